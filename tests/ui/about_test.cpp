// The about window with real widgets on the offscreen platform: the picture
// turned and switched by real mouse presses, the version, the texts in every
// language, and the web and mail buttons with their question and failure.

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/shell_help.h"
#include "control/ui/paint_box.h"
#include "support/scripted_prompter.h"
#include "render/ui/background_picture.h"
#include "scores/ui/tfrm_about.h"
#include "support/save_shot.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

QString Str(int id, int offset) { return QString::fromStdString(Text(id, offset)); }

// Renders the window for a look by eye when PEBBLE_SHOTS names a folder.

}  // namespace

class AboutTest : public QObject {
  Q_OBJECT

 private:
  testing::ScriptedPrompter prompter_;
  std::unique_ptr<TfrmAbout> about_;
  QImage morek_, morek2_;

  void Press(Qt::MouseButton button) { QTest::mousePress(about_->ProgIcoBox(), button, {}, QPoint(70, 40)); }
  QPushButton* Button(const char* name) const {
    return about_->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  // What the box shows on the screen.
  QImage Painted() const { return Rgb(about_->ProgIcoBox()->grab().toImage()); }
  QImage Expected(const QImage& picture) const {
    return Rgb(picture).copy(0, 0, TfrmAbout::kPictureWidth, TfrmAbout::kPictureHeight);
  }

 private slots:
  void initTestCase() {
    Q_INIT_RESOURCE(pebbledrome);
    SetPrompter(&prompter_);
    morek_ = LoadJpegResource("MOREK");
    morek2_ = LoadJpegResource("MOREK2");
    QCOMPARE(morek_.size(), QSize(140, 90));
    QCOMPARE(morek2_.size(), QSize(140, 90));
    QVERIFY(Rgb(morek_) != Rgb(morek2_));
  }
  void cleanupTestCase() {
    SetPrompter(nullptr);
  }
  void init() {
    prompter_ = testing::ScriptedPrompter();
    about_ = std::make_unique<TfrmAbout>(kEnglishOffset);
    about_->ShowModeless();
    QVERIFY(QTest::qWaitForWindowExposed(about_.get()));
  }
  void cleanup() { about_.reset(); }

  void pictureTurnedByLeftClicks() {
    QCOMPARE(Painted(), Expected(morek_));
    Press(Qt::LeftButton);
    QCOMPARE(Rgb(about_->CurrentPicture()), Rgb(morek_.mirrored(true, true)));
    QCOMPARE(Painted(), Expected(morek_.mirrored(true, true)));
    Press(Qt::LeftButton);
    QCOMPARE(Painted(), Expected(morek_));
  }

  void pictureSwitchedByRightClicksUndoesTurning() {
    Press(Qt::RightButton);
    QCOMPARE(Painted(), Expected(morek2_));
    Press(Qt::LeftButton);
    QCOMPARE(Painted(), Expected(morek2_.mirrored(true, true)));
    Press(Qt::RightButton);
    QCOMPARE(Painted(), Expected(morek_));
    Press(Qt::RightButton);
    QCOMPARE(Painted(), Expected(morek2_));
    QCOMPARE(about_->PictureSwitches(), 4);
  }

  void versionFromTheProgram() {
    const auto* version = about_->findChild<QLabel*>("lblVers");
    QCOMPARE(version->text(), QStringLiteral("Vers. " PEBBLE_VERSION_STRING));
  }

  void textsInEveryLanguage() {
    for (const int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      about_->ProcStrings(offset);
      QCOMPARE(about_->windowTitle(), Str(kAboutCaption, offset));
      QCOMPARE(about_->ProgIcoBox()->toolTip(), Str(kThisIsMe, offset));
      for (int id = 3; id <= 5; ++id) {
        QCOMPARE(about_->findChild<QLabel*>(QStringLiteral("lblInfo%1").arg(id - 1))->text(), Str(id, offset));
      }
      QCOMPARE(Button("bttMail")->text(), Str(kMailCaption, offset));
      QCOMPARE(Button("bttWWW")->text(), Str(kWebButton, offset));
      QCOMPARE(Button("bttOK")->text(), Str(kAboutOk, offset));
    }
  }

  // The title names the system the game runs on, never Windows on Linux.
  void titleNamesThePlatform() {
#ifdef _WIN32
    const QStringList titles{Str(kProgramForWindows, kGermanOffset), Str(kProgramForWindows, kEnglishOffset), Str(kProgramForWindows, kFrenchOffset)};
#else
    const QStringList titles{"Pebbledrome! für Linux", "Pebbledrome! for Linux", "Pebbledrome! pour Linux"};
#endif
    for (const int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      about_->ProcStrings(offset);
      QCOMPARE(about_->findChild<QLabel*>(QStringLiteral("lblInfo1"))->text(), titles[offset / 1000]);
      QCoreApplication::processEvents();
      testing::SaveShot(*about_, QStringLiteral("about-%1").arg(QLatin1String(offset == 0 ? "de" : offset == 1000 ? "en" : "fr")));
    }
  }

  void wwwIsDefaultAndEscapeOrOkOnlyHide() {
    QVERIFY(Button("bttWWW")->isDefault());
    QTest::keyClick(about_.get(), Qt::Key_Escape);
    QVERIFY(!about_->isVisible());
    about_->ShowModeless();
    QTest::mouseClick(Button("bttOK"), Qt::LeftButton);
    QVERIFY(!about_->isVisible());
    QVERIFY(prompter_.opened.empty());
  }

  void wwwOpensWebPageOfTheLanguage() {
    about_->ProcStrings(kFrenchOffset);
    QTest::mouseClick(Button("bttWWW"), Qt::LeftButton);
    QVERIFY(prompter_.helpQuestions.isEmpty());
    QCOMPARE(prompter_.opened, std::vector<QUrl>{QUrl(Str(kWebLink, kFrenchOffset))});
  }

  void mailAsksFirst_data() {
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("pressHelp");
    QTest::newRow("declined") << false << false;
    QTest::newRow("help, then declined") << false << true;
    QTest::newRow("help, then yes") << true << true;
    QTest::newRow("yes") << true << false;
  }
  void mailAsksFirst() {
    QFETCH(bool, answerYes);
    QFETCH(bool, pressHelp);
    prompter_.helpAnswer = answerYes;
    prompter_.pressHelp = pressHelp;
    QSignalSpy help(about_.get(), &TfrmAbout::HelpRequested);
    about_->ProcStrings(kGermanOffset);
    QTest::mouseClick(Button("bttMail"), Qt::LeftButton);

    QCOMPARE(prompter_.helpQuestions, QStringList{Str(kAboutMailPlea, kGermanOffset) + "\n\n" + Str(kAboutMailAnyway, kGermanOffset)});
    QCOMPARE(help.count(), pressHelp ? 1 : 0);
    if (pressHelp) QCOMPARE(help.front().front().toInt(), kGermanOffset + kHelpQuestionsTopic);
    if (!answerYes) {
      QVERIFY(prompter_.opened.empty());
      return;
    }
    QCOMPARE(prompter_.opened.size(), std::size_t{1});
    const QUrl link = prompter_.opened.front();
    QCOMPARE(link.scheme(), QStringLiteral("mailto"));
    QCOMPARE(link.query(QUrl::FullyDecoded), QStringLiteral("subject=Pebbledrome " PEBBLE_VERSION_STRING " D"));
  }

  // Without a mail program the player reads the address to type in: the
  // version filled in, and a quote closed only where the lead-in opened one.
  void failedLinkShowsTheAddressToTypeIn() {
    const struct {
      int offset;
      const char* language;
      const char* close;
    } cases[] = {{kGermanOffset, "D", "\"."}, {kEnglishOffset, "E", "."}, {kFrenchOffset, "F", "\"."}};
    prompter_.helpAnswer = true;
    prompter_.openSucceeds = false;
    for (const auto& c : cases) {
      prompter_.errors.clear();
      about_->ProcStrings(c.offset);
      QTest::mouseClick(Button("bttMail"), Qt::LeftButton);
      const QString address = QStringLiteral("mailto:pebbledrome@varnex-soft.example?subject=Pebbledrome ") +
                              QStringLiteral(PEBBLE_VERSION_STRING " ") + QLatin1String(c.language);
      QCOMPARE(prompter_.errors, QStringList{Str(kNoBrowser, c.offset) + address + QLatin1String(c.close)});
      QVERIFY(!prompter_.errors.front().contains(QLatin1String("%s")));
      QCOMPARE(prompter_.errors.front().count(QLatin1Char('"')) % 2, 0);
    }
    QVERIFY(prompter_.opened.front().toString().contains(PEBBLE_VERSION_STRING));
  }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
