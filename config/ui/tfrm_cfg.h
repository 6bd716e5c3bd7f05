#pragma once
// The configuration dialog: field and stone size, colours, effects, sounds,
// background, special stones, animations, auto drop, undo, count mode and
// language. It shows the window size the settings give, stores everything as
// one change on Save and starts a new game when a change needs one. Created
// once, kept for the whole run and shown beside the game (not modal).

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "config/game_settings.h"
#include "config/ui/cfg_host.h"
#include "engine/random.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace pebble::ui {

class CfgSpinEdit;
class CfgStonePreview;
class CfgPathLabel;
class TfrmSelColors;

enum class CfgPage { tsField, tsStones, tsBack, tsAction, tsSpecial };

class TfrmCfg : public QDialog {
  Q_OBJECT
 public:
  // The window the colour dialog runs in; tests replace it to drive the dialog.
  using ColorDialogRunner = std::function<void(TfrmSelColors&)>;

  // The main window's tool bar and status bar around the field.
  static constexpr int kToolBarHeight = 33;
  static constexpr int kStatusBarHeight = 19;
  // Columns times stone width are held at about this many pixels or more.
  static constexpr int kMinFieldPixels = 160;
  static constexpr int kColorsChangedTag = 5;

  explicit TfrmCfg(CfgHost& host, QWidget* parent = nullptr);
  ~TfrmCfg() override;

  // Shows the dialog (on the given page) and brings it to the front.
  void Open(std::optional<CfgPage> page = std::nullopt);

  // Loads every control from the running game's settings.
  void FormCreate();
  void ProcStrings();

  // --- event handlers ----------------------------------------------------------
  void ShowStone();
  void CalcWindow();
  int StoredZoom() const;
  void SetBackMode();
  void bttChooseClick();
  void bttchoose2Click();
  void chkTexturedClick();
  void chkAutoDropClick();
  void bttColSelClick();
  void bttHintState();
  void bttHintsClick();
  void comboLangChange(int index);
  void bttRestoreClick();
  void bttSaveClick();
  void bttAbortClick();

  void SetColorDialogRunner(ColorDialogRunner runner) { colorDialogRunner_ = std::move(runner); }
  int Tag() const { return tag_; }
  int WorkingBackgroundMode() const { return workMode_; }
  const QString& WorkingPicture() const { return workPicture_; }
  const QString& WorkingFolder() const { return workFolder_; }

  // --- the controls, by the names the game's documentation uses -----------------
  QTabWidget* pages = nullptr;
  QWidget *tsField = nullptr, *tsStones = nullptr, *tsBack = nullptr, *tsAction = nullptr, *tsSpecial = nullptr;
  QPushButton *bttRestore = nullptr, *bttSave = nullptr, *bttAbort = nullptr;
  // tsField
  QLabel *lblTitF = nullptr, *lblFRow = nullptr, *lblFCols = nullptr;
  CfgSpinEdit *spinFRow = nullptr, *spinFCol = nullptr;
  QLabel *lblFITH = nullptr, *lblFIH = nullptr, *lblFITW = nullptr, *lblFIW = nullptr;
  QLabel *lblTitSt = nullptr, *lblStH = nullptr, *lblStW = nullptr;
  CfgSpinEdit *spinStH = nullptr, *spinStW = nullptr;
  CfgStonePreview* shapeStone = nullptr;
  // tsStones
  QLabel *lblTitC = nullptr, *lblCNb = nullptr;
  CfgSpinEdit* spinC = nullptr;
  QPushButton* bttColSel = nullptr;
  QLabel* lblTitEff = nullptr;
  QCheckBox *chkTextured = nullptr, *chkVoyeur = nullptr, *chkDrawRect = nullptr;
  QCheckBox* chkSymbols = nullptr;
  QCheckBox* chkGroupPreview = nullptr;
  QLabel* lblTitSounds = nullptr;
  QCheckBox* chkSounds = nullptr;
  // tsBack
  QLabel* lblTitSource = nullptr;
  QRadioButton *radioPic = nullptr, *radioDir = nullptr, *radioNone = nullptr, *radioGray = nullptr;
  QCheckBox* chkResize = nullptr;
  QLabel *lblTitPic = nullptr, *lblTitDir = nullptr;
  QPushButton *bttChoose = nullptr, *bttchoose2 = nullptr;
  CfgPathLabel *lblPic = nullptr, *lblDir = nullptr;
  // tsAction
  QCheckBox *chkAction = nullptr, *chkAnimations = nullptr, *chkAutoDrop = nullptr;
  QCheckBox* chkClearable = nullptr;
  QLabel* lblCountDown = nullptr;
  CfgSpinEdit* spinSecs = nullptr;
  QLabel* lblSecs = nullptr;
  // tsSpecial
  QCheckBox* chkBackup = nullptr;
  QLabel* lblCStats = nullptr;
  QRadioButton *radioHigh = nullptr, *radioLow = nullptr;
  QPushButton* bttHints = nullptr;
  QLabel* lblLang = nullptr;
  QComboBox* comboLang = nullptr;
  QLabel* lblTranslator = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void BuildWindow();
  QWidget* BuildFieldPage();
  QWidget* BuildStonesPage();
  QWidget* BuildBackPage();
  QWidget* BuildActionPage();
  QWidget* BuildSpecialPage();
  void ConnectHandlers();
  void FillLanguageList();
  // Shows the values on the pages, then the stone and the window size they give.
  void ShowValues(const GameSettings& settings);
  void LoadControls(const GameSettings& settings);
  void SetPathLabels();
  void SetWindowFigure(QLabel* label, int pixels, int screenPixels);
  // Columns and stone width hold each other's minimum (columns x width >= 160).
  void SetLinkedMinimums(int columns, int stoneWidth);
  void CommitNumbers();
  GameSettings DialogValues() const;
  bool StoreConfiguration(const GameSettings& values);
  QString Str(int id) const;

  CfgHost& host_;
  QButtonGroup* backGroup_ = nullptr;
  QButtonGroup* countGroup_ = nullptr;
  ColorValue previewColor_ = 0;
  int workMode_ = 0;
  QString workPicture_;
  QString workFolder_;
  bool initialising_ = false;
  bool centred_ = false;
  int tag_ = 0;
  ColorDialogRunner colorDialogRunner_;
  GameRandom random_;  // the preview's colour; the game's own sequence stays untouched
};

// Creates the dialog on first use, then shows it (on page, when given).
TfrmCfg& OpenCfg(std::unique_ptr<TfrmCfg>& cfg, CfgHost& host, QWidget* parent,
                 std::optional<CfgPage> page = std::nullopt);

}  // namespace pebble::ui
