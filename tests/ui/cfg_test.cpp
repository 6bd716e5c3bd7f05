// The configuration dialog: filling from the game's settings, the window-size
// figures and the minimums that columns and stone width impose on each other,
// Save (what is stored, what the game takes at once, when a new game starts),
// the background checks, Cancel, Restore, the language switch and the colour
// dialog's effect on the next Save. Every dialog answer is scripted.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <functional>

#include "cfg_fixture.h"
#include "config/string_ids.h"
#include "config/ui/cfg_path_label.h"
#include "config/ui/cfg_spin_edit.h"
#include "config/ui/cfg_stone_preview.h"
#include "config/ui/picture_chooser.h"
#include "config/ui/tfrm_cfg.h"
#include "config/ui/tfrm_sel_colors.h"

using namespace pebble;
using namespace pebble::test;
using namespace pebble::ui;

namespace {

constexpr QRgb kPureRed = 0xFFFF0000u;

void Type(CfgSpinEdit* spin, const QString& text) {
  auto* edit = spin->findChild<QLineEdit*>();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void LeaveField(QWidget* field) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(field, &out);
}

bool ShownRed(const QLabel* label) { return label->palette().color(QPalette::WindowText).rgb() == kPureRed; }

// Everything the player can see of the dialog's settings, one line per control.
QStringList Snapshot(const TfrmCfg& d) {
  QStringList lines;
  auto spin = [&](const char* name, const CfgSpinEdit* s) {
    lines << QString("%1=%2 min %3").arg(name).arg(s->TypedValue()).arg(s->Minimum());
  };
  auto check = [&](const char* name, const QAbstractButton* b) {
    lines << QString("%1=%2 enabled %3").arg(name).arg(b->isChecked()).arg(b->isEnabled());
  };
  spin("spinStH", d.spinStH);
  spin("spinStW", d.spinStW);
  spin("spinFRow", d.spinFRow);
  spin("spinFCol", d.spinFCol);
  spin("spinC", d.spinC);
  spin("spinSecs", d.spinSecs);
  for (auto [name, box] : {std::pair<const char*, QAbstractButton*>{"chkSounds", d.chkSounds},
                           {"chkResize", d.chkResize},
                           {"chkTextured", d.chkTextured},
                           {"chkVoyeur", d.chkVoyeur},
                           {"chkDrawRect", d.chkDrawRect},
                           {"chkSymbols", d.chkSymbols},
                           {"chkAction", d.chkAction},
                           {"chkAnimations", d.chkAnimations},
                           {"chkAutoDrop", d.chkAutoDrop},
                           {"chkBackup", d.chkBackup},
                           {"radioPic", d.radioPic},
                           {"radioDir", d.radioDir},
                           {"radioNone", d.radioNone},
                           {"radioGray", d.radioGray},
                           {"radioHigh", d.radioHigh},
                           {"radioLow", d.radioLow}}) {
    check(name, box);
  }
  lines << "lblPic=" + d.lblPic->FullText() << "lblDir=" + d.lblDir->FullText();
  lines << "lblFIH=" + d.lblFIH->text() << "lblFIW=" + d.lblFIW->text();
  lines << QString("mode=%1 picture=%2 folder=%3").arg(d.WorkingBackgroundMode()).arg(d.WorkingPicture(), d.WorkingFolder());
  lines << QString("enabled: choose %1 %2 folder %3 %4 secs %5 hints %6")
               .arg(d.bttChoose->isEnabled())
               .arg(d.lblPic->isEnabled())
               .arg(d.bttchoose2->isEnabled())
               .arg(d.lblDir->isEnabled())
               .arg(d.spinSecs->isEnabled())
               .arg(d.bttHints->isEnabled());
  return lines;
}

// Settings far from the defaults, as a command line could leave them.
GameSettings UnusualSettings(const QString& picture, const QString& folder) {
  GameSettings s;
  s.stoneHeight = 30;
  s.stoneWidth = 25;
  s.rowCount = 12;
  s.columnCount = 14;
  s.colorCount = 7;
  s.soundsOn = false;
  s.fitToPicture = false;
  s.backgroundMode = 2;
  s.backgroundPicture = picture.toStdString();
  s.backgroundFolder = folder.toStdString();
  s.textured = false;
  s.voyeur = true;
  s.traceOutline = false;
  s.stoneSymbols = true;
  s.actionsOn = true;
  s.animationsOn = false;
  s.autoDrop = true;
  s.playTime = 120;
  s.undoInfo = true;
  s.lowScore = false;
  s.languageOffset = kEnglishOffset;
  return s;
}

GameSettings StoredConfiguration(SettingsStore& store) {
  GameSettings s;
  LoadSettings(store, s);
  return s;
}

}  // namespace

class CfgTest : public QObject, public DialogSurroundings {
  Q_OBJECT

 private:
  std::unique_ptr<TfrmCfg> cfg_;

  TfrmCfg& Opened() {
    OpenCfg(cfg_, *host_, nullptr);
    return *cfg_;
  }

  std::vector<std::string> Calls() const { return host_->calls; }

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  void init() { MakeSurroundings(); }
  void cleanup() {
    cfg_.reset();
    DropSurroundings();
  }

  void fillShowsTheGameSettingsWithTheirEnabledRules() {
    const QString picture = store_->Folder() + "/gone.jpg";
    host_->settings = UnusualSettings(picture, store_->Folder());
    TfrmCfg& d = Opened();
    QCOMPARE(d.pages->currentWidget(), d.tsField);
    const QStringList expected = {
        "spinStH=30 min 5",
        "spinStW=25 min 11",
        "spinFRow=12 min 6",
        "spinFCol=14 min 6",
        "spinC=7 min 2",
        "spinSecs=120 min 10",
        "chkSounds=0 enabled 1",
        "chkResize=0 enabled 1",
        "chkTextured=0 enabled 1",
        "chkVoyeur=1 enabled 0",
        "chkDrawRect=0 enabled 1",
        "chkSymbols=1 enabled 1",
        "chkAction=1 enabled 1",
        "chkAnimations=0 enabled 1",
        "chkAutoDrop=1 enabled 1",
        "chkBackup=1 enabled 1",
        "radioPic=0 enabled 1",
        "radioDir=1 enabled 1",
        "radioNone=0 enabled 1",
        "radioGray=0 enabled 1",
        "radioHigh=1 enabled 1",
        "radioLow=0 enabled 1",
        "lblPic=???: " + picture,
        "lblDir=" + store_->Folder(),
        "lblFIH=413 Pixel",
        "lblFIW=351 Pixel",
        QString("mode=2 picture=%1 folder=%2").arg(picture, store_->Folder()),
        "enabled: choose 0 0 folder 1 1 secs 1 hints 1",
    };
    QCOMPARE(Snapshot(d), expected);
    QCOMPARE(d.comboLang->count(), 3);
    QCOMPARE(d.comboLang->currentIndex(), 1);
    QCOMPARE(d.comboLang->itemText(2), QString("Français"));
    QVERIFY(d.lblTranslator->text().isEmpty());
    QCOMPARE(d.shapeStone->Stone().size(), QSize(26, 31));
    QVERIFY(!store_->ConfigStored());
  }

  void emptyPathsShowNoneSelected() {
    TfrmCfg& d = Opened();
    QCOMPARE(d.lblPic->FullText(), English(kNoneSelected));
    QCOMPARE(d.lblDir->FullText(), English(kNoneSelected));
  }

  void windowFiguresTurnRedBeyondTheScreen() {
    struct Case {
      int rows, stoneHeight, columns, stoneWidth;
      QSize screen;
      QString height, width;
      bool heightRed, widthRed;
    };
    const Case cases[] = {
        {16, 21, 10, 20, {1920, 1080}, "389 Pixel", "201 Pixel", false, false},
        {40, 50, 10, 20, {1920, 1080}, "2053 Pixel", "201 Pixel", true, false},
        {40, 50, 10, 20, {3840, 2053}, "2053 Pixel", "201 Pixel", false, false},
        {16, 21, 40, 50, {1920, 1080}, "389 Pixel", "2001 Pixel", false, true},
        {16, 21, 40, 50, {2001, 1080}, "389 Pixel", "2001 Pixel", false, false},
    };
    for (const Case& c : cases) {
      host_->screen = c.screen;
      cfg_.reset();
      TfrmCfg& d = Opened();
      d.spinStH->SetValue(c.stoneHeight);
      d.spinFRow->SetValue(c.rows);
      d.spinStW->SetValue(c.stoneWidth);
      d.spinFCol->SetValue(c.columns);
      QCOMPARE(d.lblFIH->text(), c.height);
      QCOMPARE(d.lblFIW->text(), c.width);
      QCOMPARE(ShownRed(d.lblFIH), c.heightRed);
      QCOMPARE(ShownRed(d.lblFIW), c.widthRed);
    }
  }

  void columnsAreCorrectedToEightWhenTheFocusLeaves() {
    TfrmCfg& d = Opened();
    QCOMPARE(d.spinStW->TypedValue(), 20);
    Type(d.spinFCol, "6");
    // While typed, the number counts as it stands.
    QCOMPARE(d.spinFCol->TypedValue(), 6);
    QCOMPARE(d.lblFIW->text(), QString("121 Pixel"));
    QCOMPARE(d.spinStW->Minimum(), 26);
    QCOMPARE(d.spinStW->TypedValue(), 20);  // the other field keeps its value
    LeaveField(d.spinFCol);
    QCOMPARE(d.spinFCol->TypedValue(), 8);
    QCOMPARE(d.spinFCol->findChild<QLineEdit*>()->text(), QString("8"));
    QCOMPARE(d.lblFIW->text(), QString("161 Pixel"));
    QCOMPARE(d.spinStW->Minimum(), 20);

    Type(d.spinFCol, "");  // no number: counts as the minimum
    QCOMPARE(d.spinFCol->TypedValue(), 8);
    LeaveField(d.spinFCol);
    QCOMPARE(d.spinFCol->findChild<QLineEdit*>()->text(), QString("8"));
  }

  void minimumsFollowEachOtherBelowTheLayoutsOwn() {
    struct Case {
      int stoneWidth, columns;  // set in this order
      int expectedWidth, expectedColumns;
    };
    const Case cases[] = {
        {50, 3, 50, 3},   // wide stones allow three columns
        {50, 2, 50, 3},   // but not two
        {20, 3, 20, 8},   // 160 div 20
        {5, 40, 5, 40},   // five-pixel stones need 32 columns or more
        {5, 10, 5, 32},
    };
    for (const Case& c : cases) {
      cfg_.reset();
      TfrmCfg& d = Opened();
      d.spinFCol->SetValue(40);
      Type(d.spinStW, QString::number(c.stoneWidth));
      LeaveField(d.spinStW);
      Type(d.spinFCol, QString::number(c.columns));
      LeaveField(d.spinFCol);
      QCOMPARE(d.spinStW->TypedValue(), c.expectedWidth);
      QCOMPARE(d.spinFCol->TypedValue(), c.expectedColumns);
    }
    // Forty columns allow stones of four pixels, and the down button stops there.
    cfg_.reset();
    TfrmCfg& d = Opened();
    d.spinFCol->SetValue(40);
    QCOMPARE(d.spinStW->Minimum(), 4);
    d.spinStW->SetValue(5);
    d.spinStW->stepDown();
    d.spinStW->stepDown();
    QCOMPARE(d.spinStW->TypedValue(), 4);
  }

  void saveStoresEverythingAndStartsANewGameOnlyWhenNeeded() {
    struct Case {
      const char* name;
      std::function<void(TfrmCfg&)> edit;
      std::function<void(GameSettings&)> stored;    // what the store holds afterwards
      std::function<void(GameSettings&)> inMemory;  // what the running game takes at once
      std::vector<std::string> calls;
    };
    const std::vector<std::string> toggle = {"toggle count-down"};
    const std::vector<std::string> toggleAndNew = {"toggle count-down", "new game"};
    const Case cases[] = {
        {"sounds only", [](TfrmCfg& d) { d.chkSounds->setChecked(false); },
         [](GameSettings& s) { s.soundsOn = false; }, [](GameSettings& s) { s.soundsOn = false; }, toggle},
        {"stone size", [](TfrmCfg& d) { d.spinStH->SetValue(30); d.spinStW->SetValue(25); },
         [](GameSettings& s) { s.stoneHeight = 30; s.stoneWidth = 25; }, [](GameSettings&) {}, toggleAndNew},
        {"background", [](TfrmCfg& d) { d.radioGray->setChecked(true); },
         [](GameSettings& s) { s.backgroundMode = 3; }, [](GameSettings&) {}, toggle},
        {"rows", [](TfrmCfg& d) { d.spinFRow->SetValue(20); }, [](GameSettings& s) { s.rowCount = 20; },
         [](GameSettings& s) { s.rowCount = 20; }, toggleAndNew},
        {"colours", [](TfrmCfg& d) { d.spinC->SetValue(6); }, [](GameSettings& s) { s.colorCount = 6; },
         [](GameSettings& s) { s.colorCount = 6; }, toggleAndNew},
        {"effects", [](TfrmCfg& d) { d.chkTextured->setChecked(false); d.chkDrawRect->setChecked(false); d.chkAnimations->setChecked(false); },
         [](GameSettings& s) { s.textured = false; s.traceOutline = false; s.animationsOn = false; },
         [](GameSettings& s) { s.textured = false; s.traceOutline = false; s.animationsOn = false; }, toggle},
        {"special stones", [](TfrmCfg& d) { d.chkAction->setChecked(true); },
         [](GameSettings& s) { s.actionsOn = true; }, [](GameSettings& s) { s.actionsOn = true; }, toggleAndNew},
        {"auto drop on", [](TfrmCfg& d) { d.chkAutoDrop->setChecked(true); d.spinSecs->SetValue(60); },
         [](GameSettings& s) { s.autoDrop = true; s.playTime = 60; },
         [](GameSettings& s) { s.autoDrop = true; s.playTime = 60; }, {"new game"}},
        {"count mode", [](TfrmCfg& d) { d.radioHigh->setChecked(true); },
         [](GameSettings& s) { s.lowScore = false; }, [](GameSettings& s) { s.lowScore = false; },
         {"count mode", "toggle count-down", "new game"}},
    };
    for (const Case& c : cases) {
      cleanup();
      init();
      TfrmCfg& d = Opened();
      const GameSettings before = host_->settings;
      c.edit(d);
      QTest::mouseClick(d.bttSave, Qt::LeftButton);

      GameSettings stored = before;
      c.stored(stored);
      GameSettings fromStore = StoredConfiguration(store_->Store());
      fromStore.languageOffset = stored.languageOffset;
      fromStore.newVersionStart = stored.newVersionStart;
      QVERIFY2(fromStore == stored, c.name);
      GameSettings inMemory = before;
      c.inMemory(inMemory);
      QVERIFY2(host_->settings == inMemory, c.name);
      QVERIFY2(Calls() == c.calls, c.name);
      QVERIFY2(!d.isVisible(), c.name);
      QVERIFY2(prompter_->said.isEmpty(), c.name);
    }
  }

  void anUndoChangeIsStoredForTheNextGameAndTheGameInPlayGoesOn() {
    TfrmCfg& d = Opened();
    d.chkBackup->setChecked(false);
    d.bttSaveClick();
    QCOMPARE(Messages(), QStringList{"info: " + English(kUndoFromNextGame)});
    QCOMPARE(Calls(), std::vector<std::string>{"toggle count-down"});  // no new game: the game in play stays
    QVERIFY(!store_->Store().ReadRegBool(kConfigSection, kValueUndoInfo, true));
    QVERIFY(host_->settings.undoInfo);  // the running game keeps its history
    QVERIFY(!d.isVisible());

    // With a change that deals a new game anyway, the new game says it all.
    prompter_->said.clear();
    d.Open();
    d.chkBackup->setChecked(true);
    d.spinFCol->setValue(d.spinFCol->value() + 1);
    d.bttSaveClick();
    QVERIFY(Messages().isEmpty());
    QCOMPARE(Calls(), (std::vector<std::string>{"toggle count-down", "toggle count-down", "new game"}));
    QVERIFY(store_->Store().ReadRegBool(kConfigSection, kValueUndoInfo, false));
  }

  void autoDropSwitchedOffTogglesTheCountDownBeforeTheNewGame() {
    host_->settings.autoDrop = true;
    TfrmCfg& d = Opened();
    d.chkAutoDrop->setChecked(false);
    d.bttSaveClick();
    QCOMPARE(Calls(), (std::vector<std::string>{"toggle count-down", "new game"}));
    QVERIFY(!host_->settings.autoDrop);
  }

  void aMissingFolderOrPictureStopsTheSave() {
    TfrmCfg& d = Opened();
    d.radioDir->setChecked(true);
    d.bttSaveClick();
    QCOMPARE(Messages(), QStringList{"error: " + English(kNoFolder)});
    QCOMPARE(prompter_->choices.size(), std::size_t{1});
    QCOMPARE(prompter_->choices[0].kind, std::string("folder"));
    QCOMPARE(prompter_->choices[0].title, English(kChooseFolderTitle));
    QVERIFY(!store_->ConfigStored());
    QVERIFY(Calls().empty());
    QVERIFY(d.isVisible());

    // Chosen the second time: the save stops once more, showing the folder.
    prompter_->folders.push_back(store_->Folder());
    d.bttSaveClick();
    QCOMPARE(d.lblDir->FullText(), store_->Folder() + QDir::separator());
    QVERIFY(!store_->ConfigStored());
    d.bttSaveClick();
    QVERIFY(store_->ConfigStored());
    QCOMPARE(QString::fromStdString(store_->Store().ReadRegStr(kConfigSection, kValueBackgroundFolder, "")),
             store_->Folder() + QDir::separator());

    cleanup();
    init();
    TfrmCfg& p = Opened();
    p.radioPic->setChecked(true);
    p.bttSaveClick();
    QCOMPARE(Messages(), QStringList{"error: " + English(kNoPicture)});
    QCOMPARE(prompter_->choices.size(), std::size_t{1});
    QCOMPARE(prompter_->choices[0].kind, std::string("picture"));
    QCOMPARE(prompter_->choices[0].title, English(kChoosePictureTitle));
    QCOMPARE(prompter_->choices[0].filter, English(kPictureFilter));
    QVERIFY(!store_->ConfigStored());
  }

  void thePictureChooserStartsAtThePictureAndItsAnswerIsShown() {
    const QString picture = store_->Folder() + "/back.jpg";
    QFile file(picture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    host_->settings.backgroundMode = 1;
    host_->settings.backgroundPicture = picture.toStdString();
    TfrmCfg& d = Opened();
    QCOMPARE(d.lblPic->FullText(), picture);
    QVERIFY(d.bttChoose->isEnabled());
    prompter_->pictures.push_back(store_->Folder() + "/other.bmp");
    QTest::mouseClick(d.bttChoose, Qt::LeftButton);
    QCOMPARE(prompter_->choices.at(0).start, picture);
    QCOMPARE(d.WorkingPicture(), store_->Folder() + "/other.bmp");
    QCOMPARE(d.lblPic->FullText(), store_->Folder() + "/other.bmp");
    QTest::mouseClick(d.bttChoose, Qt::LeftButton);  // cancelled: nothing changes
    QCOMPARE(d.WorkingPicture(), store_->Folder() + "/other.bmp");
  }

  void thePictureFilterBecomesTheFileDialogsFilters() {
    for (int language : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      const QStringList filters = FileDialogFilters(QString::fromStdString(Text(kPictureFilter, language)));
      QCOMPARE(filters.size(), 4);
      QCOMPARE(filters[0], QString("JPEG (*.jpg)"));
      QVERIFY(filters[2].endsWith("(*.jpg *.bmp)"));  // preselected
      QVERIFY(filters[3].endsWith("(*.*)"));
    }
    QCOMPARE(FileDialogFilters("All files |*.*"), QStringList{"All files (*.*)"});
  }

  void cancelRestoresEveryControlAndReopeningShowsThem() {
    host_->settings = UnusualSettings(QString(), QString());
    TfrmCfg& d = Opened();
    const QStringList filled = Snapshot(d);
    d.spinStH->SetValue(44);
    d.spinStW->SetValue(44);
    d.spinFRow->SetValue(7);
    d.spinFCol->SetValue(33);
    d.spinC->SetValue(3);
    d.spinSecs->SetValue(500);
    for (QAbstractButton* box : std::initializer_list<QAbstractButton*>{
             d.chkSounds, d.chkResize, d.chkTextured, d.chkVoyeur, d.chkDrawRect, d.chkSymbols, d.chkAction,
             d.chkAnimations, d.chkAutoDrop, d.chkBackup}) {
      box->toggle();
    }
    d.radioPic->setChecked(true);
    d.radioLow->setChecked(true);
    prompter_->pictures.push_back("/somewhere/else.jpg");
    d.bttChooseClick();
    QVERIFY(Snapshot(d) != filled);

    QTest::mouseClick(d.bttAbort, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(Snapshot(d), filled);
    d.Open();
    QCOMPARE(Snapshot(d), filled);
    QVERIFY(!store_->ConfigStored());
    QVERIFY(Calls().empty());

    // Escape is Cancel too; the close box only hides and keeps the edits.
    d.spinFRow->SetValue(9);
    QTest::keyClick(&d, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(Snapshot(d), filled);
    d.Open();
    d.spinFRow->SetValue(9);
    d.close();
    QVERIFY(!d.isVisible());
    d.Open();
    QCOMPARE(d.spinFRow->TypedValue(), 9);
  }

  // Stored sizes the dialog allows, though below the layout's own minimums,
  // come back exactly at every fill; a Save that changes only the sounds then
  // stores them unchanged and starts no new game.
  void narrowFieldsAndThinStonesSurviveCancelAndASoundsOnlySave() {
    struct Case {
      int columns, stoneWidth;
    };
    const Case cases[] = {{3, 50}, {4, 40}, {5, 32}, {40, 4}};
    for (const Case& c : cases) {
      cleanup();
      init();
      const QByteArray name = QString("%1 columns of %2 pixels").arg(c.columns).arg(c.stoneWidth).toUtf8();
      store_->Store().SaveRegInt(kConfigSection, kValueColumnCount, c.columns);
      store_->Store().SaveRegInt(kConfigSection, kValueStoneWidth, c.stoneWidth);
      GameSettings stored = StoredConfiguration(store_->Store());
      stored.languageOffset = kEnglishOffset;
      host_->settings = stored;
      const auto shown = [&](TfrmCfg& d) {
        return d.spinFCol->TypedValue() == c.columns && d.spinStW->TypedValue() == c.stoneWidth;
      };

      TfrmCfg& d = Opened();
      QVERIFY2(shown(d), name);
      d.spinFCol->SetValue(10);
      d.spinStW->SetValue(20);
      QTest::mouseClick(d.bttAbort, Qt::LeftButton);
      QVERIFY2(shown(d), name);

      d.Open();
      d.chkSounds->setChecked(false);
      QTest::mouseClick(d.bttSave, Qt::LeftButton);
      GameSettings expected = stored;
      expected.soundsOn = false;
      GameSettings fromStore = StoredConfiguration(store_->Store());
      fromStore.languageOffset = expected.languageOffset;
      fromStore.newVersionStart = expected.newVersionStart;
      QVERIFY2(fromStore == expected, name);
      QVERIFY2(host_->settings == expected, name);
      QVERIFY2(Calls() == std::vector<std::string>{"toggle count-down"}, name);
    }
  }

  void restoreSetsTheDefaultsWithoutStoring() {
    TfrmCfg defaults(*host_);
    const QStringList expected = Snapshot(defaults);

    host_->settings = UnusualSettings(store_->Folder() + "/a.jpg", store_->Folder());
    host_->settings.languageOffset = kEnglishOffset;
    TfrmCfg& d = Opened();
    d.comboLang->setCurrentIndex(1);
    QTest::mouseClick(d.bttRestore, Qt::LeftButton);
    QCOMPARE(Snapshot(d), expected);
    QVERIFY(d.isVisible());
    QVERIFY(!store_->ConfigStored());
    QCOMPARE(d.comboLang->currentIndex(), 1);
  }

  void theLanguageSwitchesAtOnceAndIsStored() {
    TfrmCfg& d = Opened();
    QCOMPARE(d.bttSave->text(), English(kSaveButton));
    d.comboLang->setCurrentIndex(2);
    QCOMPARE(host_->settings.languageOffset, kFrenchOffset);
    QCOMPARE(store_->Store().ReadRegInt(kRootSection, kValueLanguage, -1), kFrenchOffset);
    QCOMPARE(Calls(), std::vector<std::string>{"language"});
    QCOMPARE(d.bttSave->text(), QString::fromStdString(Text(kSaveButton, kFrenchOffset)));
    QCOMPARE(d.pages->tabText(0), QString::fromStdString(Text(kFieldPage, kFrenchOffset)));
    QCOMPARE(d.lblFIH->text(), "389 " + QString::fromStdString(Text(kPixelUnit, kFrenchOffset)));
    QVERIFY(!d.lblTranslator->text().isEmpty());

    // Cancel keeps the language; nothing else was stored.
    d.bttAbortClick();
    QCOMPARE(host_->settings.languageOffset, kFrenchOffset);
    QCOMPARE(d.comboLang->currentIndex(), 2);
    QVERIFY(!store_->ConfigStored());
  }

  void theHintsButtonFollowsTheCountMode() {
    TfrmCfg& d = Opened();
    QVERIFY(!d.bttHints->isEnabled());
    d.radioHigh->setChecked(true);
    QVERIFY(d.bttHints->isEnabled());
    QTest::mouseClick(d.bttHints, Qt::LeftButton);
    QCOMPARE(Calls(), std::vector<std::string>{"hints"});
  }

  void changedColoursMakeTheNextSaveStartANewGame() {
    TfrmCfg& d = Opened();
    int runs = 0;
    d.SetColorDialogRunner([&](TfrmSelColors& colors) {
      ++runs;
      QCOMPARE(colors.windowTitle(), English(kChooseColors));
      if (runs == 1) colors.ChoosePresets(Palette::WinXP);
      colors.bttCancelClick();
    });
    QTest::mouseClick(d.bttColSel, Qt::LeftButton);
    QCOMPARE(d.Tag(), TfrmCfg::kColorsChangedTag);
    QCOMPARE(host_->settings.stoneColors, PaletteColors(Palette::WinXP));
    QTest::mouseClick(d.bttColSel, Qt::LeftButton);  // opened again and cancelled
    QCOMPARE(d.Tag(), TfrmCfg::kColorsChangedTag);

    d.bttSaveClick();
    QCOMPARE(Calls(), (std::vector<std::string>{"toggle count-down", "new game"}));
    host_->calls.clear();
    d.Open();
    d.bttSaveClick();
    QCOMPARE(Calls(), std::vector<std::string>{"toggle count-down"});
  }

  void aStoreThatCannotBeWrittenKeepsTheDialogOpen() {
    TfrmCfg& d = Opened();
    store_->Store().SaveRegInt(kRootSection, kValueVersion, kSettingsVersion);
    std::filesystem::create_directories((store_->UserFile() + ".tmp").toStdString());
    d.spinFRow->SetValue(20);
    d.bttSaveClick();
    QCOMPARE(Messages(), QStringList{"error: " + English(kSaveFailed)});
    QVERIFY(d.isVisible());
    QCOMPARE(host_->updates, 0);
    QVERIFY(Calls().empty());
  }

};

QTEST_MAIN(CfgTest)
#include "cfg_test.moc"
