#include "config/ui/tfrm_cfg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <limits>
#include <optional>

#include "config/language.h"
#include "config/settings_model.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "config/ui/cfg_path_label.h"
#include "config/ui/cfg_spin_edit.h"
#include "config/ui/cfg_stone_preview.h"
#include "config/ui/tfrm_sel_colors.h"
#include "render/field_scale.h"
#include "render/ui/background_picture.h"
#include "control/ui/prompter.h"

namespace pebble::ui {
namespace {

// The size of the picture the next game shows, read from its header only;
// none for a folder, whose next picture is not known yet.
std::optional<PixelSize> NextPictureSize(int mode, const QString& picture) {
  QSize size;
  switch (static_cast<BackgroundMode>(mode)) {
    case BackgroundMode::Folder: return std::nullopt;
    case BackgroundMode::Gray: size = GreyPicture().size(); break;
    case BackgroundMode::PictureFile: size = QImageReader(picture).size(); break;
    case BackgroundMode::Standard: break;
  }
  // A picture that cannot be read gives way to the built-in one, as in the game.
  if (size.isEmpty()) size = BuiltInPicture().size();
  return PixelSize{size.width(), size.height()};
}

// The layout's ranges; the minimums of columns and stone width follow each other.
constexpr int kMinRows = 6, kMaxRows = 40, kMinColumns = 6, kMaxColumns = 40;
constexpr int kMinStonePixels = 5, kMaxStonePixels = 50;
constexpr int kMinColors = 2, kMaxColorCount = kMaxColors;
constexpr int kMinPlayTime = 10, kMaxPlayTime = 999;

constexpr const char* kMissingPrefix = "???: ";
constexpr int kVoyeurIndent = 17;
constexpr int kSectionGap = 14;

QLabel* TitleLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

QString PathText(const QString& path, bool exists, const QString& none) {
  if (path.isEmpty()) return none;
  return exists ? path : kMissingPrefix + path;
}

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TfrmCfg::TfrmCfg(CfgHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      host_(host) {
  setModal(false);
  random_.Reseed();
  BuildWindow();
  ConnectHandlers();
  FormCreate();
}

TfrmCfg::~TfrmCfg() = default;

QString TfrmCfg::Str(int id) const { return QString::fromStdString(Text(id, host_.Settings().languageOffset)); }

// --- the window's controls -----------------------------------------------------

void TfrmCfg::BuildWindow() {
  pages = new QTabWidget(this);
  pages->setUsesScrollButtons(false);  // every page's tab stays in sight
  tsField = BuildFieldPage();
  tsStones = BuildStonesPage();
  tsBack = BuildBackPage();
  tsAction = BuildActionPage();
  tsSpecial = BuildSpecialPage();
  for (QWidget* page : {tsField, tsStones, tsBack, tsAction, tsSpecial}) pages->addTab(page, QString());

  bttRestore = new QPushButton(this);
  bttSave = new QPushButton(this);
  bttAbort = new QPushButton(this);
  bttAbort->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(bttRestore);
  buttons->addStretch(1);
  buttons->addWidget(bttSave);
  buttons->addWidget(bttAbort);

  auto* main = new QVBoxLayout(this);
  main->addWidget(pages);
  main->addLayout(buttons);
  // The dialog keeps the size of its contents, in every language and font.
  main->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TfrmCfg::BuildFieldPage() {
  auto* page = new QWidget;
  lblTitF = TitleLabel(page);
  lblFRow = new QLabel(page);
  spinFRow = new CfgSpinEdit(kMinRows, kMaxRows, page);
  lblFRow->setBuddy(spinFRow);
  lblFCols = new QLabel(page);
  spinFCol = new CfgSpinEdit(kMinColumns, kMaxColumns, page);
  lblFCols->setBuddy(spinFCol);
  lblFITH = new QLabel(page);
  lblFIH = new QLabel(page);
  lblFITW = new QLabel(page);
  lblFIW = new QLabel(page);
  lblFIH->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblFIW->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblTitSt = TitleLabel(page);
  lblStH = new QLabel(page);
  spinStH = new CfgSpinEdit(kMinStonePixels, kMaxStonePixels, page);
  lblStH->setBuddy(spinStH);
  lblStW = new QLabel(page);
  spinStW = new CfgSpinEdit(kMinStonePixels, kMaxStonePixels, page);
  lblStW->setBuddy(spinStW);
  shapeStone = new CfgStonePreview(page);

  auto* grid = new QGridLayout(page);
  grid->addWidget(lblTitF, 0, 0);
  grid->addWidget(lblFRow, 0, 1);
  grid->addWidget(spinFRow, 0, 2);
  grid->addWidget(lblFITH, 0, 3);
  grid->addWidget(lblFIH, 0, 4);
  grid->addWidget(lblFCols, 1, 1);
  grid->addWidget(spinFCol, 1, 2);
  grid->addWidget(lblFITW, 1, 3);
  grid->addWidget(lblFIW, 1, 4);
  grid->setRowMinimumHeight(2, kSectionGap);
  grid->addWidget(lblTitSt, 3, 0);
  grid->addWidget(lblStH, 3, 1);
  grid->addWidget(spinStH, 3, 2);
  grid->addWidget(lblStW, 4, 1);
  grid->addWidget(spinStW, 4, 2);
  grid->addWidget(shapeStone, 3, 3, 3, 2, Qt::AlignLeft | Qt::AlignTop);
  grid->setRowStretch(5, 1);
  grid->setColumnMinimumWidth(3, kMaxStonePixels + 1);
  return page;
}

QWidget* TfrmCfg::BuildStonesPage() {
  auto* page = new QWidget;
  lblTitC = TitleLabel(page);
  lblCNb = new QLabel(page);
  spinC = new CfgSpinEdit(kMinColors, kMaxColorCount, page);
  lblTitC->setBuddy(spinC);
  bttColSel = new QPushButton(page);
  lblTitEff = TitleLabel(page);
  chkTextured = new QCheckBox(page);
  chkVoyeur = new QCheckBox(page);
  chkDrawRect = new QCheckBox(page);
  chkSymbols = new QCheckBox(page);
  chkGroupPreview = new QCheckBox(page);
  lblTitSounds = TitleLabel(page);
  chkSounds = new QCheckBox(page);

  auto* voyeur = new QHBoxLayout;
  voyeur->addSpacing(kVoyeurIndent);
  voyeur->addWidget(chkVoyeur);
  voyeur->addStretch(1);

  auto* grid = new QGridLayout(page);
  grid->addWidget(lblTitC, 0, 0);
  grid->addWidget(lblCNb, 0, 1);
  grid->addWidget(spinC, 0, 2);
  grid->addWidget(bttColSel, 0, 3, Qt::AlignLeft);
  grid->setRowMinimumHeight(1, kSectionGap);
  grid->addWidget(lblTitEff, 2, 0);
  grid->addWidget(chkTextured, 2, 1, 1, 4);
  grid->addLayout(voyeur, 3, 1, 1, 4);
  grid->addWidget(chkDrawRect, 4, 1, 1, 4);
  grid->addWidget(chkSymbols, 5, 1, 1, 4);
  grid->addWidget(chkGroupPreview, 6, 1, 1, 4);
  grid->setRowMinimumHeight(7, kSectionGap);
  grid->addWidget(lblTitSounds, 8, 0);
  grid->addWidget(chkSounds, 8, 1, 1, 4);
  grid->setRowStretch(9, 1);
  grid->setColumnStretch(4, 1);
  return page;
}

QWidget* TfrmCfg::BuildBackPage() {
  auto* page = new QWidget;
  lblTitSource = TitleLabel(page);
  radioPic = new QRadioButton(page);
  radioDir = new QRadioButton(page);
  radioNone = new QRadioButton(page);
  radioGray = new QRadioButton(page);
  backGroup_ = new QButtonGroup(page);
  backGroup_->addButton(radioNone, static_cast<int>(BackgroundMode::Standard));
  backGroup_->addButton(radioPic, static_cast<int>(BackgroundMode::PictureFile));
  backGroup_->addButton(radioDir, static_cast<int>(BackgroundMode::Folder));
  backGroup_->addButton(radioGray, static_cast<int>(BackgroundMode::Gray));
  chkResize = new QCheckBox(page);
  lblTitPic = TitleLabel(page);
  bttChoose = new QPushButton(page);
  lblPic = new CfgPathLabel(page);
  lblTitDir = TitleLabel(page);
  bttchoose2 = new QPushButton(page);
  lblDir = new CfgPathLabel(page);

  auto* grid = new QGridLayout(page);
  grid->addWidget(lblTitSource, 0, 0);
  grid->addWidget(radioPic, 0, 1, 1, 2);
  grid->addWidget(radioDir, 1, 1, 1, 2);
  grid->addWidget(radioNone, 2, 1);
  grid->addWidget(radioGray, 2, 2);
  grid->addWidget(chkResize, 3, 1, 1, 3);
  grid->setRowMinimumHeight(4, kSectionGap);
  grid->addWidget(lblTitPic, 5, 0);
  grid->addWidget(bttChoose, 5, 1);
  grid->addWidget(lblPic, 5, 2, 1, 2);
  grid->addWidget(lblTitDir, 6, 0);
  grid->addWidget(bttchoose2, 6, 1);
  grid->addWidget(lblDir, 6, 2, 1, 2);
  grid->setRowStretch(7, 1);
  grid->setColumnStretch(3, 1);
  return page;
}

QWidget* TfrmCfg::BuildActionPage() {
  auto* page = new QWidget;
  chkAction = new QCheckBox(page);
  chkAnimations = new QCheckBox(page);
  chkAutoDrop = new QCheckBox(page);
  chkClearable = new QCheckBox(page);
  lblCountDown = TitleLabel(page);
  spinSecs = new CfgSpinEdit(kMinPlayTime, kMaxPlayTime, page);
  lblCountDown->setBuddy(spinSecs);
  lblSecs = new QLabel(page);

  auto* duration = new QHBoxLayout;
  duration->addWidget(lblCountDown);
  duration->addWidget(spinSecs);
  duration->addWidget(lblSecs);
  duration->addStretch(1);

  auto* column = new QVBoxLayout(page);
  column->addWidget(chkAction);
  column->addWidget(chkAnimations);
  column->addWidget(chkAutoDrop);
  column->addSpacing(kSectionGap / 2);
  column->addLayout(duration);
  column->addSpacing(kSectionGap / 2);
  column->addWidget(chkClearable);
  column->addStretch(1);
  return page;
}

QWidget* TfrmCfg::BuildSpecialPage() {
  auto* page = new QWidget;
  chkBackup = new QCheckBox(page);
  lblCStats = TitleLabel(page);
  radioHigh = new QRadioButton(page);
  radioLow = new QRadioButton(page);
  countGroup_ = new QButtonGroup(page);
  countGroup_->addButton(radioHigh);
  countGroup_->addButton(radioLow);
  bttHints = new QPushButton(page);
  lblLang = TitleLabel(page);
  comboLang = new QComboBox(page);
  lblTranslator = new QLabel(page);

  auto* grid = new QGridLayout(page);
  grid->addWidget(chkBackup, 0, 0, 1, 4);
  grid->setRowMinimumHeight(1, kSectionGap);
  grid->addWidget(lblCStats, 2, 0);
  grid->addWidget(radioHigh, 2, 1);
  grid->addWidget(bttHints, 2, 2, Qt::AlignLeft);
  grid->addWidget(radioLow, 3, 1);
  grid->setRowMinimumHeight(4, kSectionGap);
  grid->addWidget(lblLang, 5, 0);
  grid->addWidget(comboLang, 5, 1, 1, 2, Qt::AlignLeft);
  grid->setRowStretch(6, 1);
  grid->addWidget(lblTranslator, 7, 0, 1, 4);
  grid->setColumnStretch(3, 1);
  return page;
}

void TfrmCfg::ConnectHandlers() {
  for (CfgSpinEdit* spin : {spinStH, spinStW}) connect(spin, &CfgSpinEdit::Changed, this, &TfrmCfg::ShowStone);
  for (CfgSpinEdit* spin : {spinFRow, spinFCol, spinC}) connect(spin, &CfgSpinEdit::Changed, this, &TfrmCfg::CalcWindow);
  connect(backGroup_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) SetBackMode();
  });
  connect(countGroup_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) bttHintState();
  });
  connect(chkTextured, &QCheckBox::toggled, this, &TfrmCfg::chkTexturedClick);
  connect(chkDrawRect, &QCheckBox::toggled, this, &TfrmCfg::ShowStone);
  connect(chkSymbols, &QCheckBox::toggled, this, &TfrmCfg::ShowStone);
  connect(chkAutoDrop, &QCheckBox::toggled, this, &TfrmCfg::chkAutoDropClick);
  connect(chkResize, &QCheckBox::toggled, this, &TfrmCfg::CalcWindow);
  connect(bttChoose, &QPushButton::clicked, this, &TfrmCfg::bttChooseClick);
  connect(bttchoose2, &QPushButton::clicked, this, &TfrmCfg::bttchoose2Click);
  connect(bttColSel, &QPushButton::clicked, this, &TfrmCfg::bttColSelClick);
  connect(bttHints, &QPushButton::clicked, this, &TfrmCfg::bttHintsClick);
  connect(comboLang, &QComboBox::currentIndexChanged, this, &TfrmCfg::comboLangChange);
  connect(bttRestore, &QPushButton::clicked, this, &TfrmCfg::bttRestoreClick);
  connect(bttSave, &QPushButton::clicked, this, &TfrmCfg::bttSaveClick);
  connect(bttAbort, &QPushButton::clicked, this, &TfrmCfg::bttAbortClick);
}

// --- texts ---------------------------------------------------------------------

void TfrmCfg::ProcStrings() {
  setWindowTitle(Str(kCfgCaption));
  const int captions[] = {kFieldPage, kStonesPage, kBackgroundPage, kActionsPage, kSpecialPage};
  for (int i = 0; i < pages->count(); ++i) pages->setTabText(i, Str(captions[i]));

  bttRestore->setText(Str(kRestoreButton));
  bttRestore->setToolTip(Str(kRestoreHint));
  bttSave->setText(Str(kSaveButton));
  bttSave->setToolTip(Str(kSaveHint));
  bttAbort->setText(Str(kCancelButton));
  bttAbort->setToolTip(Str(kCancelHint));

  lblTitF->setText(Str(kFieldTitle));
  lblFRow->setText(Str(kRowsLabel));
  spinFRow->setToolTip(Str(kRowsHint));
  lblFCols->setText(Str(kColumnsLabel));
  spinFCol->setToolTip(Str(kColumnsHint));
  lblFITH->setText(Str(kWindowHeightLabel));
  lblFITW->setText(Str(kWindowWidthLabel));
  for (QLabel* label : {lblFITH, lblFIH}) label->setToolTip(Str(kWindowHeightHint));
  for (QLabel* label : {lblFITW, lblFIW}) label->setToolTip(Str(kWindowWidthHint));
  // Room for the widest figure, so the page does not move while the player types.
  const int figureWidth = lblFIH->fontMetrics().horizontalAdvance("8888 " + Str(kPixelUnit));
  for (QLabel* label : {lblFIH, lblFIW}) label->setMinimumWidth(figureWidth);
  lblTitSt->setText(Str(kStonesTitle));
  lblStH->setText(Str(kStoneHeightLabel));
  spinStH->setToolTip(Str(kStoneHeightHint));
  lblStW->setText(Str(kStoneWidthLabel));
  spinStW->setToolTip(Str(kStoneWidthHint));
  shapeStone->setToolTip(Str(kStonePreviewHint));

  lblTitC->setText(Str(kColorsTitle));
  lblCNb->setText(Str(kColorCountLabel));
  spinC->setToolTip(Str(kColorCountHint));
  bttColSel->setText(Str(kChooseColors));
  bttColSel->setToolTip(Str(kChooseColorsHint));
  lblTitEff->setText(Str(kEffectsTitle));
  chkTextured->setText(Str(kTextured));
  chkTextured->setToolTip(Str(kTexturedHint));
  chkVoyeur->setText(Str(kVoyeur));
  chkVoyeur->setToolTip(Str(kVoyeurHint));
  chkDrawRect->setText(Str(kTraceLines));
  chkDrawRect->setToolTip(Str(kTraceLinesHint));
  chkSymbols->setText(Str(kSymbolsCheck));
  chkSymbols->setToolTip(Str(kSymbolsHint));
  chkGroupPreview->setText(Str(kGroupPreviewCheck));
  chkGroupPreview->setToolTip(Str(kGroupPreviewHint));
  lblTitSounds->setText(Str(kSoundsTitle));
  chkSounds->setText(Str(kPlaySounds));
  chkSounds->setToolTip(Str(kPlaySoundsHint));

  lblTitSource->setText(Str(kSourceTitle));
  radioPic->setText(Str(kFromPicture));
  radioPic->setToolTip(Str(kFromPictureHint));
  radioDir->setText(Str(kFromFolder));
  radioDir->setToolTip(Str(kFromFolderHint));
  radioNone->setText(Str(kDefaultPicture));
  radioNone->setToolTip(Str(kDefaultPictureHint));
  radioGray->setText(Str(kGrayBackground));
  radioGray->setToolTip(Str(kGrayBackgroundHint));
  chkResize->setText(Str(kFitWindowToPicture));
  chkResize->setToolTip(Str(kFitWindowToPictureHint));
  lblTitPic->setText(Str(kPictureTitle));
  bttChoose->setText(Str(kChoosePicture));
  bttChoose->setToolTip(Str(kChoosePictureHint));
  lblTitDir->setText(Str(kFolderTitle));
  bttchoose2->setText(Str(kChooseFolder));
  bttchoose2->setToolTip(Str(kChooseFolderHint));

  chkAction->setText(Str(kSpecialStones));
  chkAction->setToolTip(Str(kSpecialStonesHint));
  chkAnimations->setText(Str(kAnimations));
  chkAnimations->setToolTip(Str(kAnimationsHint));
  chkAutoDrop->setText(Str(kAutoDrop));
  chkAutoDrop->setToolTip(Str(kAutoDropHint));
  chkClearable->setText(Str(kClearableOnly));
  chkClearable->setToolTip(Str(kClearableOnlyHint));
  lblCountDown->setText(Str(kDurationLabel));
  spinSecs->setToolTip(Str(kDurationHint));
  lblSecs->setText(Str(kSecondsUnit));

  chkBackup->setText(Str(kTrackGame));
  chkBackup->setToolTip(Str(kTrackGameHint));
  lblCStats->setText(Str(kCountModeLabel));
  lblCStats->setToolTip(Str(kCountModeLabelHint));
  radioHigh->setText(Str(kHighScoreMode));
  radioHigh->setToolTip(Str(kHighScoreModeHint));
  radioLow->setText(Str(kLowScoreMode));
  radioLow->setToolTip(Str(kLowScoreModeHint));
  bttHints->setText(Str(kHintsCaption));
  bttHints->setToolTip(Str(kShowHints));
  lblLang->setText(Str(kLanguageLabel));
  lblTranslator->setText(Str(kTranslatorCredit));

  SetPathLabels();
  CalcWindow();  // the unit after the figures follows the language
}

void TfrmCfg::FillLanguageList() {
  const QSignalBlocker quiet(comboLang);
  comboLang->clear();
  for (const std::string& entry : LanguageListEntries()) comboLang->addItem(FromUtf8(entry));
  const int selected = host_.Settings().languageOffset / 1000;
  comboLang->setCurrentIndex(selected < comboLang->count() ? selected : -1);
}

// --- filling -------------------------------------------------------------------

void TfrmCfg::FormCreate() {
  const GameSettings settings = host_.Settings();
  ProcStrings();
  FillLanguageList();
  pages->setCurrentWidget(tsField);
  const int inPlay = std::clamp<int>(settings.colorCount, 1, kMaxColors);
  previewColor_ = settings.stoneColors[static_cast<std::size_t>(random_.Random(inPlay))];
  ShowValues(settings);
}

void TfrmCfg::ShowValues(const GameSettings& s) {
  initialising_ = true;
  LoadControls(s);
  initialising_ = false;
  ShowStone();
  bttHintState();
}

void TfrmCfg::LoadControls(const GameSettings& s) {
  // The minimums the loaded values give each other, not the layout's own: a
  // narrow field of wide stones, or many columns of thin ones, must come back
  // as the game has it.
  SetLinkedMinimums(s.columnCount, s.stoneWidth);
  spinStH->SetValue(s.stoneHeight);
  spinStW->SetValue(s.stoneWidth);
  spinFRow->SetValue(s.rowCount);
  spinFCol->SetValue(s.columnCount);
  spinC->SetValue(s.colorCount);
  chkSounds->setChecked(s.soundsOn);
  chkResize->setChecked(s.fitToPicture);
  QAbstractButton* mode = backGroup_->button(s.backgroundMode);
  (mode ? mode : radioNone)->setChecked(true);
  chkTextured->setChecked(s.textured);
  chkVoyeur->setChecked(s.voyeur);
  chkDrawRect->setChecked(s.traceOutline);
  chkSymbols->setChecked(s.stoneSymbols);
  chkGroupPreview->setChecked(s.groupPreview);
  chkBackup->setChecked(s.undoInfo);
  (s.lowScore ? radioLow : radioHigh)->setChecked(true);

  workPicture_ = FromUtf8(s.backgroundPicture);
  workFolder_ = FromUtf8(s.backgroundFolder);
  workMode_ = backGroup_->checkedId();
  SetPathLabels();

  chkTexturedClick();
  chkAction->setChecked(s.actionsOn);
  chkAnimations->setChecked(s.animationsOn);
  chkAutoDrop->setChecked(s.autoDrop);
  chkClearable->setChecked(s.clearableDeals);
  spinSecs->SetValue(s.playTime);
  chkAutoDropClick();
  SetBackMode();
}

void TfrmCfg::SetPathLabels() {
  const QString none = Str(kNoneSelected);
  lblPic->SetPath(PathText(workPicture_, QFileInfo(workPicture_).isFile(), none));
  lblDir->SetPath(PathText(workFolder_, QFileInfo(workFolder_).isDir(), none));
}

// --- live figures --------------------------------------------------------------

void TfrmCfg::ShowStone() {
  CfgStonePreview::Look look;
  look.width = spinStW->TypedValue();
  look.height = spinStH->TypedValue();
  look.color = previewColor_;
  look.textured = chkTextured->isChecked();
  look.traceOutline = chkDrawRect->isChecked();
  look.symbols = chkSymbols->isChecked();
  look.colors = host_.Settings().stoneColors;
  shapeStone->SetLook(look);
  CalcWindow();
}

void TfrmCfg::SetLinkedMinimums(int columns, int stoneWidth) {
  // A zero typed on the way to another number must not divide by zero.
  spinFCol->SetMinimum(kMinFieldPixels / std::max(1, stoneWidth));
  spinStW->SetMinimum(kMinFieldPixels / std::max(1, columns));
}

void TfrmCfg::CalcWindow() {
  if (initialising_) return;
  const int columns = spinFCol->TypedValue();
  const int stoneWidth = spinStW->TypedValue();
  // A field narrower than this cannot show its tool bar.
  SetLinkedMinimums(columns, stoneWidth);

  // The size the main window takes for these settings at the player's zoom:
  // field, ramp, bars and the 2 pixels below the field, as the window sizes
  // itself. A red figure means the window will show the field smaller.
  GameSettings shaped = host_.Settings();
  shaped.columnCount = columns;
  shaped.rowCount = spinFRow->TypedValue();
  shaped.stoneWidth = stoneWidth;
  shaped.stoneHeight = spinStH->TypedValue();
  shaped.fitToPicture = chkResize->isChecked();
  // With "fit the window to the picture" the picture shapes the field.
  const FieldSize field = ChooseFieldSize(shaped, NextPictureSize(workMode_, workPicture_));
  const int ramp = chkAutoDrop->isChecked() ? shaped.stoneHeight + 2 : 0;
  const PixelSize block{field.columns * stoneWidth + 1, field.rows * shaped.stoneHeight + 1 + ramp};
  const WindowFit window = FitWindow(block, kToolBarHeight + kStatusBarHeight + 2, StoredZoom() / 100.0,
                                     {std::numeric_limits<int>::max(), std::numeric_limits<int>::max()});
  const QSize screen = host_.ScreenSize();
  SetWindowFigure(lblFIH, window.client.height, screen.height());
  SetWindowFigure(lblFIW, window.client.width, screen.width());
}

int TfrmCfg::StoredZoom() const {
  try {
    return SaneZoom(host_.Store().ReadRegInt(kRootSection, kValueZoom, kDefaultZoom));
  } catch (const std::exception&) {
    return kDefaultZoom;
  }
}

void TfrmCfg::SetWindowFigure(QLabel* label, int pixels, int screenPixels) {
  label->setText(QString::number(pixels) + ' ' + Str(kPixelUnit));
  QPalette colors = label->palette();
  colors.setColor(QPalette::WindowText, pixels > screenPixels ? QColor(255, 0, 0) : palette().color(QPalette::WindowText));
  label->setPalette(colors);
}

// --- background ----------------------------------------------------------------

void TfrmCfg::SetBackMode() {
  if (backGroup_->checkedId() >= 0) workMode_ = backGroup_->checkedId();
  const bool folder = workMode_ == static_cast<int>(BackgroundMode::Folder);
  const bool picture = workMode_ == static_cast<int>(BackgroundMode::PictureFile);
  bttchoose2->setEnabled(folder);
  lblDir->setEnabled(folder);
  bttChoose->setEnabled(picture);
  lblPic->setEnabled(picture);
  CalcWindow();  // the picture may shape the field
}

void TfrmCfg::bttChooseClick() {
  const QString chosen = CurrentPrompter().ChoosePicture(this, Str(kChoosePictureTitle), Str(kPictureFilter),
                                                            workPicture_);
  if (chosen.isEmpty()) return;
  workPicture_ = chosen;
  lblPic->SetPath(chosen);
  CalcWindow();
}

void TfrmCfg::bttchoose2Click() {
  QString folder = CurrentPrompter().ChooseFolder(this, Str(kChooseFolderTitle));
  if (folder.isEmpty()) return;
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  workFolder_ = folder;
  lblDir->SetPath(folder);
}

// --- enabled rules -------------------------------------------------------------

void TfrmCfg::chkTexturedClick() {
  chkVoyeur->setEnabled(chkTextured->isChecked());
  ShowStone();
}

void TfrmCfg::chkAutoDropClick() {
  const bool on = chkAutoDrop->isChecked();
  for (QWidget* control : std::initializer_list<QWidget*>{spinSecs, lblCountDown, lblSecs}) control->setEnabled(on);
  CalcWindow();  // the ramp comes and goes with auto drop
}

void TfrmCfg::bttHintState() { bttHints->setEnabled(!radioLow->isChecked()); }

void TfrmCfg::bttHintsClick() { host_.ShowHints(); }

// --- colours and language ------------------------------------------------------

void TfrmCfg::bttColSelClick() {
  TfrmSelColors colors(host_, this);
  if (colorDialogRunner_) {
    colorDialogRunner_(colors);
  } else {
    colors.exec();
  }
  // Colours changed since the last Save need a new game, even when the dialog
  // is opened again and cancelled.
  if (colors.ColorsTouched()) tag_ = kColorsChangedTag;
}

void TfrmCfg::comboLangChange(int index) {
  if (index < 0) return;
  GameSettings settings = host_.Settings();
  settings.languageOffset = index * 1000;
  host_.UpdateSettings(settings);
  try {
    SaveStoredLanguage(host_.Store(), settings.languageOffset);
  } catch (const std::exception&) {
    // The language still changes for this run; a store that cannot be written loses nothing else.
  }
  ProcStrings();
  host_.LanguageChanged();
}

// --- the three buttons ---------------------------------------------------------

// The defaults of every value on the pages; the stone colours stay, they have
// their own dialog.
void TfrmCfg::bttRestoreClick() { ShowValues(GameSettings{}); }

void TfrmCfg::CommitNumbers() {
  // The field being typed in first: the other minimums follow what it holds.
  if (auto* typing = qobject_cast<CfgSpinEdit*>(focusWidget())) typing->Commit();
  for (CfgSpinEdit* spin : {spinStH, spinStW, spinFRow, spinFCol, spinC, spinSecs}) spin->Commit();
}

GameSettings TfrmCfg::DialogValues() const {
  GameSettings v = host_.Settings();
  v.stoneHeight = spinStH->TypedValue();
  v.stoneWidth = spinStW->TypedValue();
  v.rowCount = spinFRow->TypedValue();
  v.columnCount = spinFCol->TypedValue();
  v.colorCount = static_cast<std::uint8_t>(spinC->TypedValue());
  v.backgroundMode = static_cast<std::uint8_t>(workMode_);
  v.fitToPicture = chkResize->isChecked();
  v.backgroundPicture = workPicture_.toStdString();
  v.backgroundFolder = workFolder_.toStdString();
  v.soundsOn = chkSounds->isChecked();
  v.textured = chkTextured->isChecked();
  v.voyeur = chkVoyeur->isChecked();
  v.traceOutline = chkDrawRect->isChecked();
  v.stoneSymbols = chkSymbols->isChecked();
  v.groupPreview = chkGroupPreview->isChecked();
  v.actionsOn = chkAction->isChecked();
  v.animationsOn = chkAnimations->isChecked();
  v.autoDrop = chkAutoDrop->isChecked();
  v.clearableDeals = chkClearable->isChecked();
  v.playTime = spinSecs->TypedValue();
  v.undoInfo = chkBackup->isChecked();
  v.lowScore = radioLow->isChecked();
  return v;
}

bool TfrmCfg::StoreConfiguration(const GameSettings& values) {
  try {
    SaveConfiguration(host_.Store(), values);  // one change: all values or none
    return true;
  } catch (const std::exception&) {
    CurrentPrompter().Error(this, Str(kSaveFailed));
    return false;
  }
}

void TfrmCfg::bttSaveClick() {
  CommitNumbers();
  if (radioDir->isChecked() && workFolder_.isEmpty()) {
    CurrentPrompter().Error(this, Str(kNoFolder));
    bttchoose2Click();
    return;
  }
  if (radioPic->isChecked() && workPicture_.isEmpty()) {
    CurrentPrompter().Error(this, Str(kNoPicture));
    bttChooseClick();
    return;
  }
  const GameSettings current = host_.Settings();
  const GameSettings values = DialogValues();
  if (!StoreConfiguration(values)) return;  // nothing stored: the dialog stays for another try

  const SavedSettingsEffect outcome = TakeSavedValues(current, values);
  host_.UpdateSettings(outcome.updated);
  if (outcome.countModeChanged) host_.CountModeChanged();
  hide();
  if (!values.autoDrop) host_.ToggleCountDown();
  const bool colorsChanged = tag_ == kColorsChangedTag;
  tag_ = 0;  // the new game below shows them; later saves need no new game for them
  const bool newGame = outcome.newGame || colorsChanged;
  // The game in play keeps its own undo history (or its lack of one): a save
  // needs the history from the first move on. The next game reads the new value.
  if (values.undoInfo != current.undoInfo && !newGame) CurrentPrompter().Information(this, Str(kUndoFromNextGame));
  if (newGame) host_.StartNewGame();
}

void TfrmCfg::bttAbortClick() {
  FormCreate();
  hide();
}

// --- window --------------------------------------------------------------------

void TfrmCfg::Open(std::optional<CfgPage> page) {
  if (page) pages->setCurrentIndex(static_cast<int>(*page));
  if (!centred_) {
    adjustSize();
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) move(screen->availableGeometry().center() - rect().center());
    centred_ = true;
  }
  show();
  raise();
  activateWindow();
}

void TfrmCfg::closeEvent(QCloseEvent* event) {
  // The close box only hides: the edits stay for the next opening.
  event->accept();
}

void TfrmCfg::reject() { bttAbortClick(); }

TfrmCfg& OpenCfg(std::unique_ptr<TfrmCfg>& cfg, CfgHost& host, QWidget* parent, std::optional<CfgPage> page) {
  if (!cfg) cfg = std::make_unique<TfrmCfg>(host, parent);
  cfg->Open(page);
  return *cfg;
}

}  // namespace pebble::ui
