// The statistics window with real widgets on the offscreen platform: the
// figures and table of both count modes, hiding and showing the table, the
// name query of a new table place, clearing, focus, language changes, and
// texts that fit in every language.

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "render/ui/keyed_image.h"
#include "scores/score_fixture.h"
#include "scores/scores_ui_fixture.h"
#include "scores/ui/tfrm_stats.h"
#include "support/save_shot.h"

using namespace pebble;
using namespace pebble::ui;
using pebble::testing::InstalledPrompter;
using pebble::testing::ScriptedPrompter;
using pebble::testing::TempStore;

namespace {

GameSettings Settings(bool lowScore, int languageOffset = kEnglishOffset) {
  GameSettings settings;
  settings.lowScore = lowScore;
  settings.languageOffset = languageOffset;
  return settings;
}

GameResult LowGame(std::int32_t stonesLeft) { return {stonesLeft, 0, 160}; }
GameResult HighGame(std::int32_t score) { return {3, score, 160}; }

QString Str(int id, int offset = kEnglishOffset) { return QString::fromStdString(Text(id, offset)); }

QImage Glyph(const char* name) {
  return QPixmap::fromImage(TransparentByCorner(QImage(QStringLiteral(":/res/") + QLatin1String(name)))).toImage();
}

// Renders the window for a look by eye when PEBBLE_SHOTS names a folder.
}  // namespace

class StatsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempStore> temp_;
  std::unique_ptr<InstalledPrompter> script_;
  std::unique_ptr<TfrmStats> stats_;

  void Make(const GameSettings& settings) { stats_ = std::make_unique<TfrmStats>(temp_->Store(), settings); }
  template <typename T>
  T* Child(const char* name) const {
    T* child = stats_->findChild<T*>(QLatin1String(name));
    if (!child) qFatal("no control %s", name);
    return child;
  }
  QString Label(const char* name) const { return Child<QLabel>(name)->text(); }
  QStringList Lines(const char* column) const {
    return Child<QTextEdit>(column)->toPlainText().split(QLatin1Char('\n'));
  }
  void ShowAndExpectAverage(const char* when) const {
    stats_->show();
    QVERIFY(QTest::qWaitForWindowExposed(stats_.get()));
    QCoreApplication::processEvents();
    QCOMPARE(Label("lbl6"), QStringLiteral("2.66666666666667"));
    for (const QLabel* label : stats_->findChildren<QLabel*>()) {
      if (!label->isVisible() || label->text().isEmpty()) continue;
      const QString what = QStringLiteral("%1, %2: \"%3\"").arg(QLatin1String(when), label->objectName(), label->text());
      QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(what));
      QVERIFY2(label->x() >= 0 && label->geometry().right() < label->parentWidget()->width(), qPrintable(what));
    }
  }
  QImage CountModePicture() const { return Child<QLabel>("imgCountMode")->pixmap().toImage(); }
  QImage SwitchGlyph() const { return Child<QToolButton>("bttHideScore")->icon().pixmap(12, 12).toImage(); }

 private slots:
  void initTestCase() {
    Q_INIT_RESOURCE(pebbledrome);
    for (const char* name : {"SB_ARROWUP", "SB_ARROWDOWN", "SB_SWITCHD", "SB_SWITCHL"}) QVERIFY(!Glyph(name).isNull());
  }
  void init() {
    temp_ = std::make_unique<TempStore>();
    script_ = std::make_unique<InstalledPrompter>();
    stats_.reset();
  }
  void cleanup() {
    stats_.reset();
    script_.reset();
    temp_.reset();
    QLocale::setDefault(QLocale::c());
  }

  void newVariantShowsDefaultsInLowScoreMode() {
    Make(Settings(true));
    QCOMPARE(stats_->windowTitle(), Str(kStatsCaption));
    QCOMPARE(Label("lblInfo1"), Str(kGamesPlayed));
    QCOMPARE(Label("lbl2"), Str(kBestGame));
    QCOMPARE(Label("lbl3"), Str(kAverageLeft));
    QCOMPARE(Child<QLabel>("lbl2")->toolTip(), Str(kBestGameHint));
    QCOMPARE(Label("lbl4"), QStringLiteral("0"));
    QCOMPARE(Label("lbl5"), QStringLiteral("1600"));
    QCOMPARE(Label("lbl6"), QStringLiteral("0"));
    QCOMPARE(Lines("listNms").first(), QStringLiteral("1."));
    QCOMPARE(Lines("listNms").last(), QStringLiteral("10."));
    QCOMPARE(Lines("listNames").size(), 10);
    QCOMPARE(Lines("listNames").first(), Str(kFirstDefaultName, 0));
    QCOMPARE(Lines("listPts"), QStringList(10, QStringLiteral("1600")));
    QCOMPARE(CountModePicture(), Glyph("SB_ARROWDOWN"));
    QCOMPARE(SwitchGlyph(), Glyph("SB_SWITCHD"));
    QCOMPARE(stats_->size(), QSize(stats_->width(), TfrmStats::kClientHeight));
    QVERIFY(stats_->width() >= TfrmStats::kClientWidth);
    QVERIFY(!stats_->isVisible());
    testing::SaveShot(*stats_, QStringLiteral("stats-new-en"));
  }

  void averageUsesGeneralFormatAndTheDecimalSeparator() {
    Make(Settings(true));
    script_->texts = {QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cid")};
    for (int left : {10, 0, 0}) stats_->RecordResult(Settings(true), LowGame(left), nullptr);
    QCOMPARE(Label("lbl4"), QStringLiteral("3"));
    QCOMPARE(Label("lbl5"), QStringLiteral("0"));
    QCOMPARE(Label("lbl6"), QStringLiteral("3.33333333333333"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    stats_->ShowFigures();
    QCOMPARE(Label("lbl6"), QStringLiteral("3,33333333333333"));
    stats_->RecordResult(Settings(true), LowGame(2), nullptr);  // 12 / 4
    QCOMPARE(Label("lbl6"), QStringLiteral("3"));
  }

  // 8 stones over 3 games: fifteen significant digits, never cut, and the
  // captions beside them keep their first letters: at the first show, live
  // when a game ends, and after a language switch.
  void longAverageNeverCutsTheFigureOrTheCaptions() {
    const int others[] = {kEnglishOffset, kFrenchOffset, kGermanOffset};
    for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      temp_ = std::make_unique<TempStore>();
      script_->texts.clear();
      Make(Settings(true, offset));
      for (int left : {3, 3, 2}) stats_->RecordResult(Settings(true, offset), LowGame(left), nullptr);
      Make(Settings(true, offset));  // the next run: a window built on the stored figures
      ShowAndExpectAverage("first show");

      temp_ = std::make_unique<TempStore>();
      Make(Settings(true, offset));
      for (int left : {3, 3}) stats_->RecordResult(Settings(true, offset), LowGame(left), nullptr);
      stats_->show();
      QVERIFY(QTest::qWaitForWindowExposed(stats_.get()));
      stats_->RecordResult(Settings(true, offset), LowGame(2), nullptr);
      ShowAndExpectAverage("game ended");
      stats_->ApplyLanguage(others[offset / 1000]);
      ShowAndExpectAverage("language switched");
      static const char* kLanguages[] = {"de", "en", "fr"};
      testing::SaveShot(*stats_, QStringLiteral("stats-average-%1").arg(kLanguages[offset / 1000]));
    }
  }

  void fullLengthNamesAreNeverCut() {
    Make(Settings(true));
    script_->texts = {QStringLiteral("Zoë überlangername"), QStringLiteral("WWWWWWWWWWWWWWWWWW"),
                      QStringLiteral("MMMMMMMMMMMMMMMMMM")};
    for (int left : {0, 1, 2}) stats_->RecordResult(Settings(true), LowGame(left), nullptr);
    stats_->show();
    QVERIFY(QTest::qWaitForWindowExposed(stats_.get()));
    const QStringList names = Lines("listNames").mid(0, 3);
    QCOMPARE(names, (QStringList{"Zoë überlangernam", "WWWWWWWWWWWWWWWWW", "MMMMMMMMMMMMMMMMM"}));
    const QTextEdit* column = Child<QTextEdit>("listNames");
    QVERIFY2(column->document()->idealWidth() <= column->viewport()->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(column->document()->idealWidth()).arg(column->viewport()->width())));
    QVERIFY(column->geometry().right() < column->parentWidget()->width());
    testing::SaveShot(*stats_, QStringLiteral("stats-long-names"));
  }

  // Long names widen the window; the place numbers and the results still stand
  // inside the line of the two buttons, never against the window's sides.
  void tableStaysWithinTheButtonsInEveryLanguage() {
    for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      for (bool lowScore : {true, false}) {
        Make(Settings(lowScore, offset));
        stats_->show();
        QVERIFY(QTest::qWaitForWindowExposed(stats_.get()));
        const auto left = [this](const QWidget* w) { return w->mapTo(stats_.get(), QPoint(0, 0)).x(); };
        const auto right = [&left](const QWidget* w) { return left(w) + w->width(); };
        const QString what = QStringLiteral("language %1, low score %2").arg(offset).arg(lowScore);
        QVERIFY2(left(Child<QTextEdit>("listNms")) >= left(Child<QPushButton>("bttClear")), qPrintable(what));
        QVERIFY2(right(Child<QTextEdit>("listPts")) <= right(Child<QPushButton>("bttClose")), qPrintable(what));
        QVERIFY2(right(Child<QPushButton>("bttClose")) < stats_->width(), qPrintable(what));
      }
    }
  }

  void nameQueryAnsweredCancelledOrLeftEmpty() {
    Make(Settings(true));
    script_->texts = {QStringLiteral("Zoe"), std::nullopt, QString(), QStringLiteral("Abcdefghijklmnopqrst")};
    for (int left : {9, 8, 7, 6}) stats_->RecordResult(Settings(true), LowGame(left), nullptr);
    QCOMPARE(Lines("listNames").mid(0, 4), (QStringList{QStringLiteral("Abcdefghijklmnopq"), Str(kNoName), Str(kAnonymous),
                                                        QStringLiteral("Zoe")}));
    QCOMPARE(Lines("listPts").mid(0, 5),
             (QStringList{QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                          QStringLiteral("1600")}));
    QCOMPARE(script_->textQuestions.size(), std::size_t{4});
    const ScriptedPrompter::TextQuestion& first = script_->textQuestions.front();
    QCOMPARE(first.title, Str(kRecordCaption));
    QCOMPARE(first.label, Str(kRecordPrompt));
    QCOMPARE(first.preset, QString());
    QCOMPARE(first.maxLength, 17);  // what the table keeps
    QCOMPARE(script_->textQuestions[1].preset, QStringLiteral("Zoe"));
    QCOMPARE(script_->textQuestions[3].preset, Str(kNoName));

    // A game without a place asks nothing.
    stats_->RecordResult(Settings(true), LowGame(1600), nullptr);
    QCOMPARE(script_->textQuestions.size(), std::size_t{4});
    QVERIFY(script_->errors.isEmpty());
  }

  void highScoreModeSwapsTextsPictureAndTable() {
    Make(Settings(true));
    script_->texts = {QStringLiteral("Low")};
    stats_->RecordResult(Settings(true), LowGame(4), nullptr);
    QSignalSpy bestMove(stats_.get(), &TfrmStats::bestMoveChanged);

    stats_->FollowNewGame(Settings(false));
    QCOMPARE(Label("lbl2"), Str(kHighScore));
    QCOMPARE(Label("lbl3"), Str(kBestMove));
    QCOMPARE(Child<QLabel>("lbl3")->toolTip(), Str(kBestMoveHint));
    QCOMPARE(CountModePicture(), Glyph("SB_ARROWUP"));
    QCOMPARE(Lines("listPts"), QStringList(10, QStringLiteral("0")));
    QCOMPARE(Label("lbl4"), QStringLiteral("0"));
    QCOMPARE(bestMove.count(), 1);

    stats_->RaiseBestMove(74);  // at once, not at the end of the game
    QCOMPARE(Label("lbl6"), QStringLiteral("74"));
    QCOMPARE(stats_->BestMove(), 74);
    script_->texts = {QStringLiteral("High")};
    stats_->RecordResult(Settings(false), HighGame(480), nullptr);
    QCOMPARE(Label("lbl5"), QStringLiteral("480"));
    QCOMPARE(Lines("listNames").first(), QStringLiteral("High"));
    testing::SaveShot(*stats_, QStringLiteral("stats-high-en"));

    stats_->FollowNewGame(Settings(true));
    QCOMPARE(Label("lbl2"), Str(kBestGame));
    QCOMPARE(CountModePicture(), Glyph("SB_ARROWDOWN"));
    QCOMPARE(Lines("listNames").first(), QStringLiteral("Low"));
    QCOMPARE(Label("lbl5"), QStringLiteral("4"));
  }

  void configurationSaveSwitchesTheCountMode() {
    Make(Settings(true));
    stats_->CountModeChanged(Settings(false));
    QCOMPARE(Label("lbl2"), Str(kHighScore));
    QCOMPARE(CountModePicture(), Glyph("SB_ARROWUP"));
    QCOMPARE(Lines("listPts").first(), QStringLiteral("0"));
  }

  void hidingAndShowingTheTable() {
    Make(Settings(true));
    stats_->show();
    auto* button = Child<QToolButton>("bttHideScore");
    auto* close = Child<QPushButton>("bttClose");
    const int closeTop = close->mapTo(stats_.get(), QPoint()).y();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(stats_->height(), TfrmStats::kClientHeight - 180);
    QVERIFY(!Child<QWidget>("panelNames")->isVisible());
    QVERIFY(!Child<QLabel>("lblTitle2")->isVisible());
    QCOMPARE(SwitchGlyph(), Glyph("SB_SWITCHL"));
    QCOMPARE(close->mapTo(stats_.get(), QPoint()).y(), closeTop - 180);
    QCOMPARE(temp_->Store().ReadRegBool("Konfiguration", "Spieler zeigen", true), false);
    testing::SaveShot(*stats_, QStringLiteral("stats-hidden-en"));

    // The next start opens short, with the same glyph, and saves nothing.
    Make(Settings(true));
    QCOMPARE(stats_->height(), TfrmStats::kClientHeight - 180);
    QCOMPARE(SwitchGlyph(), Glyph("SB_SWITCHL"));
    QVERIFY(!stats_->ShowPlayers());
    stats_->show();
    QTest::mouseClick(Child<QToolButton>("bttHideScore"), Qt::LeftButton);
    QCOMPARE(stats_->height(), TfrmStats::kClientHeight);
    QVERIFY(Child<QWidget>("panelNames")->isVisible());
    QCOMPARE(temp_->Store().ReadRegBool("Konfiguration", "Spieler zeigen", false), true);
  }

  void clearingAsksFirstAndEmptiesTheVariant() {
    Make(Settings(false));
    script_->texts = {QStringLiteral("Max")};
    stats_->RaiseBestMove(30);
    stats_->RecordResult(Settings(false), HighGame(99), nullptr);
    QSignalSpy bestMove(stats_.get(), &TfrmStats::bestMoveChanged);

    script_->answerYes = false;
    QTest::mouseClick(Child<QPushButton>("bttClear"), Qt::LeftButton);
    QCOMPARE(script_->warnings, QStringList{Str(kClearScoresQuestion)});
    QCOMPARE(Lines("listNames").first(), QStringLiteral("Max"));

    script_->answerYes = true;
    QTest::mouseClick(Child<QPushButton>("bttClear"), Qt::LeftButton);
    QCOMPARE(Lines("listNames").first(), Str(kFirstDefaultName, 0));
    QCOMPARE(Label("lbl4"), QStringLiteral("0"));
    QCOMPARE(Label("lbl5"), QStringLiteral("0"));
    QCOMPARE(Label("lbl6"), QStringLiteral("0"));
    QCOMPARE(bestMove.count(), 1);
    QCOMPARE(bestMove.first().first().toInt(), 0);
  }

  void refusedStoreIsReported() {
    Make(Settings(true));
    temp_->Backend().FailAfterWrites(3);
    script_->texts = {QStringLiteral("Lost")};
    stats_->RecordResult(Settings(true), LowGame(5), nullptr);
    QCOMPARE(script_->errors, QStringList{Str(kRecordFailed)});
  }

  void tableNeverTakesTheFocus() {
    Make(Settings(true));
    stats_->show();
    stats_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(stats_.get()));
    auto* clear = Child<QPushButton>("bttClear");
    clear->setFocus();
    for (const char* column : {"listNames", "listPts", "listNms"}) {
      clear->setFocus();
      QTest::mouseClick(Child<QTextEdit>(column)->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
      QCOMPARE(QApplication::focusWidget(), Child<QPushButton>("bttClose"));
    }
    QTest::mouseClick(Child<QWidget>("panelNames"), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(QApplication::focusWidget(), Child<QPushButton>("bttClose"));
  }

  void escapeAndCloseOnlyHide() {
    Make(Settings(true));
    stats_->show();
    QVERIFY(QTest::qWaitForWindowExposed(stats_.get()));
    QTest::keyClick(stats_.get(), Qt::Key_Escape);
    QVERIFY(!stats_->isVisible());
    stats_->show();
    QTest::mouseClick(Child<QPushButton>("bttClose"), Qt::LeftButton);
    QVERIFY(!stats_->isVisible());
    stats_->show();
    QVERIFY(stats_->close());
    QVERIFY(!stats_->isVisible());
    QCOMPARE(Child<QLabel>("lbl5")->text(), QStringLiteral("1600"));  // still there
  }

  void countModePictureAsksForTheConfiguration() {
    Make(Settings(true));
    QSignalSpy clicked(stats_.get(), &TfrmStats::countModeClicked);
    stats_->show();
    QTest::mouseClick(Child<QLabel>("imgCountMode"), Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
  }

  void languageChangeAppliesAtOnce() {
    Make(Settings(true));
    stats_->ApplyLanguage(kFrenchOffset);
    QCOMPARE(stats_->windowTitle(), Str(kStatsCaption, kFrenchOffset));
    QCOMPARE(Label("lbl2"), Str(kBestGame, kFrenchOffset));
    QCOMPARE(Child<QPushButton>("bttClose")->text(), Str(kCloseButton, kFrenchOffset));
    stats_->FollowNewGame(Settings(false, kGermanOffset));
    QCOMPARE(Label("lbl2"), Str(kHighScore, kGermanOffset));
  }

  void textsFitInEveryLanguage() {
    for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      for (bool lowScore : {true, false}) {
        stats_.reset();
        temp_ = std::make_unique<TempStore>();
        Make(Settings(lowScore, offset));
        script_->texts = {QStringLiteral("Karla Kiesel"), QStringLiteral("Jürgen Größenwah")};
        stats_->RecordResult(Settings(lowScore, offset), lowScore ? LowGame(3) : HighGame(1234), nullptr);
        stats_->RecordResult(Settings(lowScore, offset), lowScore ? LowGame(17) : HighGame(480), nullptr);
        stats_->show();
        QVERIFY(QTest::qWaitForWindowExposed(stats_.get()));
        for (const QLabel* label : stats_->findChildren<QLabel*>()) {
          if (!label->isVisible() || label->text().isEmpty()) continue;
          QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName() + ": " + label->text()));
        }
        for (const QPushButton* button : stats_->findChildren<QPushButton*>()) {
          QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
        }
        static const char* kLanguages[] = {"de", "en", "fr"};
        testing::SaveShot(*stats_, QStringLiteral("stats-%1-%2").arg(lowScore ? "low" : "high", kLanguages[offset / 1000]));
      }
    }
  }
};

QTEST_MAIN(StatsTest)
#include "stats_test.moc"
