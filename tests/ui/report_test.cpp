// The player history of saved games with real widgets on the offscreen
// platform: the report's pictures and sorting in both count modes, missing and
// damaged histories, the mail link, the history dialog and the whole entry
// step at the end of a game tied to a file.

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>
#include <memory>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "config/system_services.h"
#include "scores/score_fixture.h"
#include "scores/scores_ui_fixture.h"
#include "scores/ui/score_format.h"
#include "scores/ui/tfrm_add_address.h"
#include "scores/ui/tfrm_report.h"
#include "scores/ui/tfrm_stats.h"
#include "support/save_shot.h"

using namespace pebble;
using namespace pebble::ui;
using pebble::testing::Entry;
using pebble::testing::InstalledPrompter;
using pebble::testing::TempStore;
using pebble::testing::WriteSavedGame;

namespace {

QString Str(int id, int offset = kEnglishOffset) { return QString::fromStdString(Text(id, offset)); }

GameSettings Settings(bool lowScore, int languageOffset = kEnglishOffset) {
  GameSettings settings;
  settings.lowScore = lowScore;
  settings.languageOffset = languageOffset;
  return settings;
}

const char* const kLanguages[] = {"de", "en", "fr"};

}  // namespace

class ReportTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<InstalledPrompter> script_;
  std::filesystem::path file_;

  std::size_t Write(const std::vector<TReportInfo>& history) { return WriteSavedGame(file_, history); }

  // The player types a name into the history dialog and saves the entry.
  void AcceptTheHistoryDialogAs(const QString& name) {
    script_->modal = [name](QDialog& dialog) {
      if (auto* history = qobject_cast<TfrmAddAddress*>(&dialog)) {
        history->editName()->setText(name);
        return int(QDialog::Accepted);
      }
      return int(QDialog::Rejected);
    };
    script_->texts = {name};
  }

  static QStringList Column(const TfrmReport& report, int column) {
    QStringList texts;
    for (int i = 0; i < report.listReport()->topLevelItemCount(); ++i) {
      texts << report.listReport()->topLevelItem(i)->text(column);
    }
    return texts;
  }
  static QList<int> Images(const TfrmReport& report) {
    QList<int> images;
    for (int i = 0; i < report.listReport()->topLevelItemCount(); ++i) {
      images << report.listReport()->topLevelItem(i)->data(0, TfrmReport::kImageRole).toInt();
    }
    return images;
  }
  static void ClickHeader(TfrmReport& report, int column) {
    QHeaderView* header = report.listReport()->header();
    const QPoint inside(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, inside);
  }

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    script_ = std::make_unique<InstalledPrompter>();
    file_ = std::filesystem::path(dir_->path().toStdString()) / "deal.clk";
  }
  void cleanup() {
    QLocale::setDefault(QLocale::c());
    script_.reset();
    dir_.reset();
  }

  void lowScoreMarksEveryClearedField() {
    const std::size_t offset =
        Write({Entry("Ann", 0, 45001.25), Entry("Bob", 5, 45002.5, "bob@example.org"), Entry("Cid", 0, 45000.75)});
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // dates in a known form
    TfrmReport report(kEnglishOffset);
    QVERIFY(report.LoadReport(file_, offset, true));
    QCOMPARE(Images(report), (QList<int>{0, 1, 0}));
    QCOMPARE(report.lblCount()->text(), QStringLiteral("3 players"));
    QCOMPARE(Column(report, TfrmReport::kColName), (QStringList{"Ann", "Bob", "Cid"}));
    QCOMPARE(Column(report, TfrmReport::kColPoints), (QStringList{"0", "5", "0"}));
    QCOMPARE(Column(report, TfrmReport::kColComputer), (QStringList{"BOX", "BOX", "BOX"}));
    QCOMPARE(Column(report, TfrmReport::kColMail), (QStringList{"", "bob@example.org", ""}));
    // Day 45001 after 30 December 1899, a quarter through it.
    QCOMPARE(Column(report, TfrmReport::kColDate),
             (QStringList{"16.03.23 06:00:00", "17.03.23 12:00:00", "15.03.23 18:00:00"}));
    QCOMPARE(report.listReport()->headerItem()->text(TfrmReport::kColPoints), QStringLiteral("Stones left"));
    QCOMPARE(report.listReport()->headerItem()->text(TfrmReport::kColMail), Str(kMailColumn));
    QVERIFY(report.listReport()->columnWidth(TfrmReport::kColPoints) >= TfrmReport::kPointsWidth);
    QCOMPARE(report.windowTitle(), Str(kReportCaption));
    QVERIFY(!report.listReport()->topLevelItem(0)->icon(0).isNull());
  }

  void highScoreMarksTheFirstBestResult() {
    struct Case {
      std::vector<std::int32_t> scores;
      QList<int> images;
    };
    const Case cases[] = {
        {{50, 80, 80}, {1, 0, 1}},
        {{0, 0}, {0, 1}},  // no points at all: the first player
        {{7}, {0}},
        {{3, 2, 9, 1}, {1, 1, 0, 1}},
    };
    for (const Case& c : cases) {
      std::vector<TReportInfo> history;
      for (std::int32_t score : c.scores) history.push_back(Entry("P", score));
      std::filesystem::remove(file_);
      const std::size_t offset = Write(history);
      TfrmReport report(kEnglishOffset);
      QVERIFY(report.LoadReport(file_, offset, false));
      QCOMPARE(Images(report), c.images);
    }
  }

  void sortingByEachColumnInItsOwnDirection() {
    const std::size_t offset = Write({Entry("bert", 12, 45003.0, "b@x.org", "ZED"),
                                      Entry("Anna", 3, 45001.0, "c@x.org", "ALPHA"),
                                      Entry("Carl", 40, 45002.0, "a@x.org", "MID")});
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (bool lowScore : {true, false}) {
      TfrmReport report(kEnglishOffset);
      report.show();
      QVERIFY(QTest::qWaitForWindowExposed(&report));
      QVERIFY(report.LoadReport(file_, offset, lowScore));
      ClickHeader(report, TfrmReport::kColName);
      QCOMPARE(Column(report, 0), (QStringList{"Anna", "bert", "Carl"}));
      ClickHeader(report, TfrmReport::kColDate);
      QCOMPARE(Column(report, 0), (QStringList{"Anna", "Carl", "bert"}));
      ClickHeader(report, TfrmReport::kColPoints);
      const QStringList byPoints = lowScore ? QStringList{"Anna", "bert", "Carl"} : QStringList{"Carl", "bert", "Anna"};
      QCOMPARE(Column(report, 0), byPoints);
      ClickHeader(report, TfrmReport::kColPoints);  // a second click keeps the direction
      QCOMPARE(Column(report, 0), byPoints);
      ClickHeader(report, TfrmReport::kColComputer);
      QCOMPARE(Column(report, 0), (QStringList{"Anna", "Carl", "bert"}));
      ClickHeader(report, TfrmReport::kColMail);
      QCOMPARE(Column(report, 0), (QStringList{"Carl", "bert", "Anna"}));
      QCOMPARE(Images(report), lowScore ? (QList<int>{1, 1, 1}) : (QList<int>{0, 1, 1}));
      testing::SaveShot(report, QStringLiteral("report-%1-en").arg(lowScore ? "low" : "high"));
    }
  }

  // The result column is named by the count mode, and the count of players
  // reads as each language says it.
  void captionAndCountSpeakEachLanguage() {
    const struct {
      int offset;
      const char* stonesLeft;
      const char* points;
      const char* counts[3];  // 0, 1 and 2 players
    } cases[] = {
        {kGermanOffset, "Steine übrig", "Punkte", {"0 Spieler", "1 Spieler", "2 Spieler"}},
        {kEnglishOffset, "Stones left", "Points", {"0 players", "1 player", "2 players"}},
        {kFrenchOffset, "Reste", "Points", {"0 joueur", "1 joueur", "2 joueurs"}},
    };
    for (const auto& c : cases) {
      for (int players = 0; players <= 2; ++players) {
        std::filesystem::remove(file_);
        std::vector<TReportInfo> history;
        for (int i = 0; i < players; ++i) history.push_back(Entry("Ann", i));
        const std::size_t offset = Write(history);
        for (bool lowScore : {true, false}) {
          TfrmReport report(c.offset);
          QCOMPARE(report.LoadReport(file_, offset, lowScore), players > 0);
          QCOMPARE(report.lblCount()->text(), QString::fromUtf8(c.counts[players]));
          QCOMPARE(report.listReport()->headerItem()->text(TfrmReport::kColPoints),
                   QString::fromUtf8(lowScore ? c.stonesLeft : c.points));
        }
      }
    }
  }

  void noHistoryShowsNothingAndKeepsTheList() {
    const std::size_t offset = Write({Entry("Ann", 0)});
    TfrmReport report(kEnglishOffset);
    QVERIFY(report.LoadReport(file_, offset, true));
    QVERIFY(!report.LoadReport(file_, 0, true));
    QVERIFY(!report.LoadReport(file_.parent_path() / "gone.clk", offset, true));
    QCOMPARE(report.listReport()->topLevelItemCount(), 1);
    QVERIFY(script_->errors.isEmpty());

    std::filesystem::remove(file_);
    const std::size_t emptyOffset = Write({});
    QVERIFY(!report.LoadReport(file_, emptyOffset, true));
    QCOMPARE(report.lblCount()->text(), QStringLiteral("0 players"));
  }

  void reportCommandExplainsAMissingOrDamagedHistory() {
    TempStore temp;
    TfrmStats stats(temp.Store(), Settings(true));
    const std::size_t offset = Write({Entry("Ann", 0)});
    stats.ShowReport(file_, offset);
    QCOMPARE(script_->shownModal, QStringList{"TfrmReport"});
    QVERIFY(script_->informations.isEmpty());

    stats.ShowReport(file_, 0);
    QCOMPARE(script_->informations, QStringList{Str(kNothingToShow)});
    QVERIFY(script_->errors.isEmpty());

    std::ofstream(file_, std::ios::binary | std::ios::app) << "broken";
    stats.ShowReport(file_, offset);
    QCOMPARE(script_->errors, QStringList{Str(kScoresReadFailed)});
    QCOMPARE(script_->informations, (QStringList{Str(kNothingToShow), Str(kNothingToShow)}));
    QCOMPARE(script_->shownModal.size(), 1);
  }

  void doubleClickStartsAMailAfterTheQuestion() {
    const std::size_t offset = Write({Entry("Ann", 0, 45001.0, "ann@example.org"),
                                      Entry("Eve", 2, 45001.0, "eve@example.org?attach=/home/ann/.ssh/id_rsa")});
    TfrmReport report(kEnglishOffset);
    report.show();
    QVERIFY(QTest::qWaitForWindowExposed(&report));
    QVERIFY(report.LoadReport(file_, offset, true));
    QTreeWidget* list = report.listReport();
    const auto doubleClick = [&](int row) {
      const QRect cell = list->visualItemRect(list->topLevelItem(row));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    };

    script_->confirmAnswer = false;
    doubleClick(0);
    QCOMPARE(script_->confirmations, QStringList{Str(kReportMailPlea)});
    QVERIFY(script_->opened.empty());

    script_->confirmAnswer = true;
    doubleClick(0);
    QCOMPARE(script_->opened.size(), std::size_t{1});
    QCOMPARE(script_->opened[0].toString(), QStringLiteral("mailto:ann@example.org"));

    // Only the recipient goes to the mail program, never a smuggled attachment.
    doubleClick(1);
    QCOMPARE(script_->opened[1].scheme(), QStringLiteral("mailto"));
    QVERIFY(script_->opened[1].query().isEmpty());
    QCOMPARE(script_->opened[1].path(), QStringLiteral("eve@example.org?attach=/home/ann/.ssh/id_rsa"));

    script_->openSucceeds = false;
    doubleClick(0);
    // The English lead-in opens no quote, so none is closed.
    QCOMPARE(script_->errors, QStringList{Str(kNoBrowser) + QStringLiteral("ann@example.org.")});

    list->clearSelection();
    list->setCurrentItem(nullptr);
    report.listReportDblClick();
    QCOMPARE(script_->opened.size(), std::size_t{3});  // nothing chosen, nothing opened
  }

  void historyDialogSavesOnlyWithAName() {
    TempStore temp;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // dates in a known form
    TfrmAddAddress dialog(temp.Store(), kEnglishOffset);
    dialog.Prepare(Entry("", 4, 45001.5, "", "MYBOX"), Entry("", 0, 45000.75, "", "SAVER"), "");
    QCOMPARE(dialog.editName()->text(), QString());
    QCOMPARE(dialog.editAddress()->text(), QString());
    QCOMPARE(dialog.editAddress()->placeholderText(), Str(kExampleAddress));
    QVERIFY(!dialog.bttOK()->isEnabled());
    QVERIFY(dialog.bttOK()->isDefault());
    QVERIFY(dialog.checkReport()->isChecked());
    QCOMPARE(dialog.windowTitle(), Str(kHistoryCaption));
    QCOMPARE(dialog.lblInfo2()->text(), QStringLiteral("Computer: MYBOX\nDate: 16.03.23 12:00:00"));
    QCOMPARE(dialog.lblGameInfo()->text(), QStringLiteral("Game saved on SAVER on 15.03.23 18:00:00"));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.editName());
    QTest::keyClick(dialog.editName(), Qt::Key_Return);  // Enter does not confirm an empty name
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    QTest::keyClicks(dialog.editName(), QStringLiteral("Ida"));
    QVERIFY(dialog.bttOK()->isEnabled());
    QTest::keyClick(dialog.editName(), Qt::Key_Backspace);
    QTest::keyClick(dialog.editName(), Qt::Key_Backspace);
    QTest::keyClick(dialog.editName(), Qt::Key_Backspace);
    QVERIFY(!dialog.bttOK()->isEnabled());
    QTest::keyClicks(dialog.editName(), QStringLiteral("Ida"));
    QTest::keyClick(dialog.editName(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QTest::mouseClick(dialog.checkReport(), Qt::LeftButton);
    QCOMPARE(temp.Store().ReadRegBool("", "Report zeigen", true), false);
  }

  // French sets a no-break space before a colon; German and English none.
  void historyDialogWritesLabelsAsEachLanguageDoes() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // dates in a known form
    const struct {
      int offset;
      const char* info;
    } cases[] = {{kGermanOffset, "Computer: MYBOX\nDatum: 16.03.23 12:00:00"},
                 {kEnglishOffset, "Computer: MYBOX\nDate: 16.03.23 12:00:00"},
                 {kFrenchOffset, "Ordinateur\u00A0: MYBOX\nDate\u00A0: 16.03.23 12:00:00"}};
    for (const auto& c : cases) {
      TempStore temp;
      TfrmAddAddress dialog(temp.Store(), c.offset);
      dialog.Prepare(Entry("", 4, 45001.5, "", "MYBOX"), Entry("", 0, 45000.75, "", "SAVER"), "");
      QCOMPARE(dialog.lblInfo2()->text(), QString::fromUtf8(c.info));
    }
  }

  void historyDialogCutsLongTextsAndRemembersThem() {
    TempStore temp;
    temp.Store().SaveRegStr("", "Name", "Stored Stan");
    temp.Store().SaveRegStr("", "Adresse", "stan@example.org");
    TfrmAddAddress dialog(temp.Store(), kEnglishOffset);
    dialog.Prepare(Entry("", 4), Entry("", 0), "");
    QCOMPARE(dialog.editName()->text(), QStringLiteral("Stored Stan"));
    QCOMPARE(dialog.editAddress()->text(), QStringLiteral("stan@example.org"));
    dialog.Prepare(Entry("", 4), Entry("", 0), "Table Tom");  // the name just put into the table wins
    QCOMPARE(dialog.editName()->text(), QStringLiteral("Table Tom"));

    dialog.editName()->setText(QString(300, QChar(0x00E4)));  // ä
    const TReportInfo entry = dialog.CompleteEntry(Entry("", 4));
    QCOMPARE(QString::fromStdString(entry.Name), QString(250, QChar(0x00E4)));
    dialog.SavePresets();
    QCOMPARE(QString::fromStdString(temp.Store().ReadRegStr("", "Name", "")), QString(250, QChar(0x00E4)));
  }

  // The example address is a greyed hint: an untouched field stores nothing,
  // and an example kept by an older version is not taken for the address.
  void untouchedMailFieldStoresNoAddress() {
    TempStore temp;
    temp.Store().SaveRegStr("", "Adresse", Text(kExampleAddress, kFrenchOffset));
    TfrmStats stats(temp.Store(), Settings(true));
    const std::size_t offset = Write({});
    SavedGameTie tie{file_, offset, Entry("", 0)};
    script_->texts = {QStringLiteral("Ida")};
    QString placeholder;
    script_->modal = [&](QDialog& dialog) {
      auto* history = qobject_cast<TfrmAddAddress*>(&dialog);
      if (!history) return int(QDialog::Rejected);
      placeholder = history->editAddress()->placeholderText();
      return int(QDialog::Accepted);
    };
    stats.RecordResult(Settings(true), GameResult{4, 0, 160}, &tie);
    QCOMPARE(placeholder, Str(kExampleAddress));
    const ParsedPlayerHistory history = ReadPlayerHistory(file_, offset);
    QCOMPARE(history.entries.size(), std::size_t{1});
    QCOMPARE(history.entries[0].Name, std::string("Ida"));
    QCOMPARE(history.entries[0].Address, std::string());
    QCOMPARE(temp.Store().ReadRegStr("", "Adresse", "?"), std::string());
  }

  void endOfAGameTiedToAFileAddsTheEntry() {
    TempStore temp;
    TfrmStats stats(temp.Store(), Settings(true));
    const std::size_t offset = Write({Entry("Ann", 9)});
    SavedGameTie tie{file_, offset, Entry("", 0, 45000.75, "", "SAVER")};
    script_->texts = {QStringLiteral("Zed")};
    QStringList reportNames;
    script_->modal = [&](QDialog& dialog) {
      if (auto* history = qobject_cast<TfrmAddAddress*>(&dialog)) {
        if (history->editName()->text() != QStringLiteral("Zed")) return int(QDialog::Rejected);
        history->editAddress()->setText(QStringLiteral("zed@example.org"));
        return int(QDialog::Accepted);
      }
      reportNames = Column(*qobject_cast<TfrmReport*>(&dialog), TfrmReport::kColName);
      return int(QDialog::Rejected);
    };
    stats.RecordResult(Settings(true), GameResult{4, 0, 160}, &tie);
    QCOMPARE(script_->shownModal, (QStringList{"TfrmAddAddress", "TfrmReport"}));
    QCOMPARE(reportNames, (QStringList{"Ann", "Zed"}));
    const ParsedPlayerHistory history = ReadPlayerHistory(file_, offset);
    QVERIFY(history.ok);
    QCOMPARE(history.entries.size(), std::size_t{2});
    QCOMPARE(history.entries[1].Name, std::string("Zed"));
    QCOMPARE(history.entries[1].Address, std::string("zed@example.org"));
    QCOMPARE(history.entries[1].Score, 4);
    QCOMPARE(history.entries[1].Computer, ComputerName());
    QCOMPARE(temp.Store().ReadRegStr("", "Adresse", ""), std::string("zed@example.org"));
    QVERIFY(script_->errors.isEmpty());
  }

  void cancelAddsNothingButMayStillShowTheReport() {
    TempStore temp;
    TfrmStats stats(temp.Store(), Settings(false));
    const std::size_t offset = Write({Entry("Ann", 9)});
    SavedGameTie tie{file_, offset, Entry("", 0)};
    script_->modal = [](QDialog&) { return int(QDialog::Rejected); };
    stats.RecordResult(Settings(false), GameResult{4, 0, 160}, &tie);  // no table place, no name query
    QCOMPARE(script_->shownModal, (QStringList{"TfrmAddAddress", "TfrmReport"}));
    QCOMPARE(ReadPlayerHistory(file_, offset).entries.size(), std::size_t{1});

    stats.HistoryDialog()->checkReport()->setChecked(false);
    script_->shownModal.clear();
    stats.RecordResult(Settings(false), GameResult{4, 0, 160}, &tie);
    QCOMPARE(script_->shownModal, QStringList{"TfrmAddAddress"});
  }

  void vanishedFileGetsNoEntryAndNoReport() {
    TempStore temp;
    TfrmStats stats(temp.Store(), Settings(true));
    const std::size_t offset = Write({});
    SavedGameTie tie{file_, offset, Entry("", 0)};
    script_->modal = [&](QDialog& dialog) {
      if (auto* history = qobject_cast<TfrmAddAddress*>(&dialog)) {
        history->editName()->setText(QStringLiteral("Late"));
        std::filesystem::remove(file_);
        return int(QDialog::Accepted);
      }
      return int(QDialog::Rejected);
    };
    script_->texts = {QStringLiteral("Late")};
    stats.RecordResult(Settings(true), GameResult{4, 0, 160}, &tie);
    QCOMPARE(script_->shownModal, QStringList{"TfrmAddAddress"});
    QVERIFY(!std::filesystem::exists(file_));
    QVERIFY(script_->errors.isEmpty());
  }

  void fileThatIsNoLongerASavedGameReportsTheFailure() {
    TempStore temp;
    TfrmStats stats(temp.Store(), Settings(true));
    const std::size_t offset = Write({});
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << "not a game";
    SavedGameTie tie{file_, offset, Entry("", 0)};
    AcceptTheHistoryDialogAs(QStringLiteral("Ida"));
    stats.RecordResult(Settings(true), GameResult{4, 0, 160}, &tie);
    QCOMPARE(script_->errors, QStringList{Str(kRecordFailed)});
    QCOMPARE(stats.Keeper().Table()[0].Name, std::string("Ida"));  // the score stays recorded
  }

  // A history the player made read-only gets no entry: the player hears why,
  // the file stays as it was, and the report is not offered.
  void readOnlyFileReportsTheFailureAndStaysAsItWas() {
    TempStore temp;
    TfrmStats stats(temp.Store(), Settings(true));
    const std::size_t offset = Write({Entry("Ann", 9)});
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                            std::filesystem::perms::others_read);
    std::ifstream before(file_, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(before)), {});
    SavedGameTie tie{file_, offset, Entry("", 0)};
    AcceptTheHistoryDialogAs(QStringLiteral("Ida"));
    stats.RecordResult(Settings(true), GameResult{4, 0, 160}, &tie);
    QCOMPARE(script_->errors, QStringList{Str(kRecordFailed)});
    QCOMPARE(script_->shownModal, QStringList{"TfrmAddAddress"});
    std::ifstream after(file_, std::ios::binary);
    QCOMPARE(std::string((std::istreambuf_iterator<char>(after)), {}), bytes);
    std::filesystem::permissions(file_, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  }

  void languageChangeReachesBothWindows() {
    TempStore temp;
    TfrmStats stats(temp.Store(), Settings(true));
    const std::size_t offset = Write({Entry("Ann", 0)});
    stats.ShowReport(file_, offset);
    SavedGameTie tie{file_, offset, Entry("", 0)};
    stats.RecordResult(Settings(true), GameResult{1600, 0, 160}, &tie);
    stats.ApplyLanguage(kFrenchOffset);
    QCOMPARE(stats.Report()->windowTitle(), Str(kReportCaption, kFrenchOffset));
    QCOMPARE(stats.Report()->lblCount()->text(), QStringLiteral("1 joueur"));
    QCOMPARE(stats.HistoryDialog()->windowTitle(), Str(kHistoryCaption, kFrenchOffset));
    QCOMPARE(stats.HistoryDialog()->bttOK()->text(), Str(kSaveButton, kFrenchOffset));
  }

  void textsFitInEveryLanguage() {
    const std::size_t offset = Write({Entry("Karla Kiesel", 0, 45001.25, "karla@example.org", "KIESEL-PC"),
                                      Entry("Jürgen Größenwah", 17, 45002.5, "", "WORKSTATION-07"),
                                      Entry("Éloïse", 3, 45003.75, "eloise@example.fr", "PORTABLE")});
    for (int offsetLanguage : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      TempStore temp;
      TfrmAddAddress dialog(temp.Store(), offsetLanguage);
      dialog.Prepare(Entry("", 4, 45003.75, "", "WORKSTATION-07"), Entry("", 0, 45000.75, "", "SAVER-PC"),
                     "Karla Kiesel");
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QVERIFY(dialog.width() >= TfrmAddAddress::kClientWidth);
      QVERIFY(dialog.height() >= TfrmAddAddress::kClientHeight);
      for (QWidget* control : dialog.findChildren<QWidget*>()) {
        if (!control->isVisible()) continue;
        const auto* label = qobject_cast<QLabel*>(control);
        if (label && label->wordWrap()) {
          QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->text()));
        } else if (label || qobject_cast<QPushButton*>(control) || qobject_cast<QCheckBox*>(control)) {
          QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(control->objectName()));
        }
      }
      testing::SaveShot(dialog, QStringLiteral("history-%1").arg(kLanguages[offsetLanguage / 1000]));

      TfrmReport report(offsetLanguage);
      report.show();
      QVERIFY(QTest::qWaitForWindowExposed(&report));
      QVERIFY(report.LoadReport(file_, offset, true));
      testing::SaveShot(report, QStringLiteral("report-%1").arg(kLanguages[offsetLanguage / 1000]));
    }
  }

  // The columns share the window: with a short history every header and
  // every entry can be read without scrolling sideways, in each language and
  // its desktop's date format, and the last column takes what is left. A long
  // address still shows whole and may scroll.
  void columnsFitTheWindowInEveryLanguage() {
    struct Case {
      int languageOffset;
      QLocale locale;
      std::vector<TReportInfo> history;
      bool fits;
      const char* shot;
    };
    const std::vector<TReportInfo> shortEntry{Entry("élodie", 1, 46366.632, "", "vm")};
    const std::vector<TReportInfo> longMail{
        Entry("Anna", 2, 46366.632, "a.very.long.address.of.forty@example.org", "vm")};
    const std::vector<TReportInfo> manyPlayers(20, Entry("Ann", 4, 46366.632, "", "vm"));  // scrolls down
    const Case cases[] = {
        {kGermanOffset, QLocale(QLocale::German, QLocale::Germany), shortEntry, true, "de"},
        {kEnglishOffset, QLocale(QLocale::English, QLocale::UnitedStates), shortEntry, true, "en"},
        {kFrenchOffset, QLocale(QLocale::French, QLocale::France), shortEntry, true, "fr"},
        {kFrenchOffset, QLocale(QLocale::French, QLocale::France), {}, true, nullptr},
        {kFrenchOffset, QLocale(QLocale::French, QLocale::France), manyPlayers, true, "fr-many"},
        {kFrenchOffset, QLocale(QLocale::French, QLocale::France), longMail, false, "fr-long-mail"},
    };
    for (const Case& c : cases) {
      QLocale::setDefault(c.locale);
      std::filesystem::remove(file_);
      const std::size_t offset = Write(c.history);
      TfrmReport report(c.languageOffset);
      report.show();
      QVERIFY(QTest::qWaitForWindowExposed(&report));
      report.LoadReport(file_, offset, true);
      QCoreApplication::processEvents();  // the scroll bars follow the entries a moment later
      QCOMPARE(report.size(), QSize(TfrmReport::kClientWidth, TfrmReport::kClientHeight));
      QTreeWidget* list = report.listReport();
      QHeaderView* header = list->header();
      const QAbstractItemView* view = list;  // the width its entries need is public there
      const QString language = kLanguages[c.languageOffset / 1000];
      int total = 0;
      for (int column = 0; column < TfrmReport::kColumnCount; ++column) {
        const QString what = language + QLatin1Char(' ') + list->headerItem()->text(column);
        QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column), qPrintable(what));
        QVERIFY2(header->sectionSize(column) >= view->sizeHintForColumn(column), qPrintable(what));
        total += header->sectionSize(column);
      }
      // The points give up their usual width only where that alone keeps the
      // list from scrolling sideways.
      const int points = header->sectionSize(TfrmReport::kColPoints);
      QVERIFY2(points >= TfrmReport::kPointsWidth ||
                   total - points + TfrmReport::kPointsWidth > list->viewport()->width(),
               qPrintable(language));
      if (c.fits) {
        QVERIFY2(total == list->viewport()->width(), qPrintable(language));
        QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
      } else {
        QTRY_VERIFY(list->horizontalScrollBar()->isVisible());
      }
      if (c.shot) testing::SaveShot(report, QStringLiteral("report-columns-%1").arg(QLatin1String(c.shot)));
    }
  }

  // The player may drag a column wider; the scroll bar that then appears
  // below the list must not undo it.
  void aColumnDraggedWiderStaysSo() {
    const std::size_t offset = Write({Entry("Ann", 0)});
    TfrmReport report(kEnglishOffset);
    report.show();
    QVERIFY(QTest::qWaitForWindowExposed(&report));
    QVERIFY(report.LoadReport(file_, offset, true));
    QHeaderView* header = report.listReport()->header();
    header->resizeSection(TfrmReport::kColName, 300);
    QTRY_VERIFY(report.listReport()->horizontalScrollBar()->isVisible());
    QCOMPARE(header->sectionSize(TfrmReport::kColName), 300);
  }
};

QTEST_MAIN(ReportTest)
#include "report_test.moc"
