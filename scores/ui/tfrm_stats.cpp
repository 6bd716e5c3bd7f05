#include "scores/ui/tfrm_stats.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <filesystem>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/system_services.h"
#include "control/saved_game_date.h"
#include "control/saved_game_file.h"
#include "control/ui/prompter.h"
#include "render/ui/bitmap_resource.h"
#include "render/ui/keyed_image.h"
#include "scores/ui/score_format.h"
#include "scores/ui/tfrm_add_address.h"
#include "scores/ui/tfrm_report.h"

namespace pebble::ui {
namespace {

// The window's classic look: small type, so that ten names fit their column.
constexpr int kFontPointSize = 8;
constexpr int kPictureSize = 15;
constexpr int kCaptionRight = 118;  // where the captions end
constexpr int kValueLeft = 132;     // where the values begin
constexpr int kValueWidth = 61;
constexpr int kScoreTop = 8;
constexpr int kScoreRowStep = 20;
constexpr int kNmsWidth = 18, kNamesWidth = 101, kPtsWidth = 49;
constexpr int kClearWidth = 49, kCloseWidth = 75, kButtonHeight = 25;
// The table and the buttons keep one margin from the window's sides, so a
// result never touches the edge when long names widen the window.
constexpr int kSideMargin = 4;
// Room above the solver's line, and between it and the table's title.
constexpr int kDealBestTop = 2, kDealBestBottom = 4;

QPixmap Glyph(const char* name) {
  return QPixmap::fromImage(TransparentByCorner(BitmapResource(QLatin1String(name))));
}

QLabel* MakeLabel(QWidget* parent, const char* name, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

// A text column of the table: never editable, never focused, no frame, on
// the window's own colour.
QTextEdit* MakeColumn(QWidget* parent, const char* name, int width, bool bold) {
  auto* column = new QTextEdit(parent);
  column->setObjectName(QLatin1String(name));
  column->setReadOnly(true);
  column->setTextInteractionFlags(Qt::NoTextInteraction);
  column->setFocusPolicy(Qt::NoFocus);
  column->setFrameShape(QFrame::NoFrame);
  column->setLineWrapMode(QTextEdit::NoWrap);
  column->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  column->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  column->document()->setDocumentMargin(0);
  column->viewport()->setAutoFillBackground(false);
  column->setStyleSheet(QStringLiteral("QTextEdit { background: transparent; }"));
  if (bold) {
    QFont font = column->font();
    font.setBold(true);
    column->setFont(font);
  }
  column->setFixedSize(width, TfrmStats::kColumnHeight);
  return column;
}

void SetLines(QTextEdit* column, const QStringList& lines, Qt::Alignment alignment) {
  column->setPlainText(lines.join(QLatin1Char('\n')));
  QTextCursor cursor(column->document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat format;
  format.setAlignment(alignment);
  cursor.mergeBlockFormat(format);
}

// A name of the full length, written in the widest letters, fits its column.
int FullNameWidth(const QFont& font) {
  const QFontMetrics metrics(font);
  int widest = 0;
  for (const QChar letter : QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜÆŒmw")) {
    widest = std::max(widest, metrics.horizontalAdvance(letter));
  }
  constexpr int kCursorRoom = 2;
  return widest * static_cast<int>(kMaxWinnerNameChars) + kCursorRoom;
}

QWidget* MakePanel(QWidget* parent, const char* name, int height) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QLatin1String(name));
  if (height > 0) panel->setFixedHeight(height);
  return panel;
}

// The name query of a new table place, asked through the scripted services.
class NameQuery final : public WinnerNameQuery {
 public:
  NameQuery(QWidget* parent, int languageOffset) : parent_(parent), languageOffset_(languageOffset) {}
  std::optional<std::string> AskWinnerName(const std::string& preset) override {
    const std::optional<QString> name = CurrentPrompter().AskText(
        parent_, ScoreText(kRecordCaption, languageOffset_), ScoreText(kRecordPrompt, languageOffset_),
        QString::fromStdString(preset), kWinnerQueryMaxLength);
    if (!name) return std::nullopt;
    return name->toStdString();
  }

 private:
  QWidget* parent_;
  int languageOffset_;
};

}  // namespace

TfrmStats::TfrmStats(SettingsStore& store, const GameSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      store_(store),
      keeper_(store),
      settings_(settings),
      languageOffset_(settings.languageOffset) {
  setObjectName(QStringLiteral("TfrmStats"));
  QFont small = font();
  small.setPointSize(kFontPointSize);
  setFont(small);
  arrowUp_ = Glyph("SB_ARROWUP");
  arrowDown_ = Glyph("SB_ARROWDOWN");
  switchShown_ = Glyph("SB_SWITCHD");
  switchHidden_ = Glyph("SB_SWITCHL");
  BuildLayout();

  keeper_.FollowNewGame(settings);
  ProcStrings();
  SetCountModeIcon(false);
  showPlayers_ = store_.ReadRegBool(kConfigSection, kValueShowPlayers, true);
  bttHideScoreClick(this);
  keeper_.LoadStats();
  keeper_.LoadScoreTable();
  ShowTable();
  ShowFigures();
}

TfrmStats::~TfrmStats() = default;

QString TfrmStats::Str(int id) const { return ScoreText(id, languageOffset_); }

void TfrmStats::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  layout->setSpacing(0);
  layout->addWidget(BuildHeader());
  layout->addWidget(BuildScorePanel());
  layout->addWidget(BuildDealBestPanel());
  panelMiddle_ = MakePanel(this, "panelMiddle", kMiddleHeight);
  lblTitle2_ = MakeLabel(panelMiddle_, "lblTitle2", true);
  auto* middle = new QHBoxLayout(panelMiddle_);
  middle->setContentsMargins(kPictureSize + 4, 0, 0, 0);
  middle->addWidget(lblTitle2_);
  layout->addWidget(panelMiddle_);
  layout->addWidget(BuildNamesPanel());
  layout->addWidget(BuildBottom());
}

QWidget* TfrmStats::BuildHeader() {
  panelHeader_ = MakePanel(this, "panelHeader", kHeaderHeight);
  imgCountMode_ = MakeLabel(panelHeader_, "imgCountMode", false);
  imgCountMode_->setFixedSize(kPictureSize, kPictureSize);
  imgCountMode_->setAlignment(Qt::AlignCenter);
  imgCountMode_->setCursor(Qt::PointingHandCursor);
  imgCountMode_->installEventFilter(this);
  lblTitle_ = MakeLabel(panelHeader_, "lblTitle", true);
  bttHideScore_ = new QToolButton(panelHeader_);
  bttHideScore_->setObjectName(QStringLiteral("bttHideScore"));
  bttHideScore_->setAutoRaise(true);
  bttHideScore_->setFocusPolicy(Qt::NoFocus);
  bttHideScore_->setFixedSize(kPictureSize, kPictureSize);
  bttHideScore_->setIconSize(switchShown_.isNull() ? QSize(12, 12) : switchShown_.size());
  connect(bttHideScore_, &QToolButton::clicked, this, [this] { bttHideScoreClick(bttHideScore_); });
  auto* row = new QHBoxLayout(panelHeader_);
  row->setContentsMargins(1, 1, 1, 1);
  row->setSpacing(3);
  row->addWidget(imgCountMode_);
  row->addWidget(lblTitle_, 1);
  row->addWidget(bttHideScore_);
  return panelHeader_;
}

QWidget* TfrmStats::BuildScorePanel() {
  panelScore_ = MakePanel(this, "panelScore", kScoreHeight);
  lblInfo1_ = MakeLabel(panelScore_, "lblInfo1", false);
  lbl2_ = MakeLabel(panelScore_, "lbl2", false);
  lbl3_ = MakeLabel(panelScore_, "lbl3", false);
  lbl4_ = MakeLabel(panelScore_, "lbl4", true);
  lbl5_ = MakeLabel(panelScore_, "lbl5", true);
  lbl6_ = MakeLabel(panelScore_, "lbl6", true);
  auto* grid = new QGridLayout(panelScore_);
  // Captions end at 118 and values start at 132 in the classic layout;
  // longer captions widen the window instead.
  grid->setContentsMargins(kBorder, kScoreTop, kClientWidth - 2 * kBorder - kValueLeft - kValueWidth, 0);
  grid->setHorizontalSpacing(kValueLeft - kCaptionRight);
  grid->setVerticalSpacing(0);
  grid->setColumnMinimumWidth(0, kCaptionRight - 2 * kBorder);
  grid->setColumnMinimumWidth(1, kValueWidth);
  QLabel* captions[] = {lblInfo1_, lbl2_, lbl3_};
  QLabel* values[] = {lbl4_, lbl5_, lbl6_};
  for (int row = 0; row < 3; ++row) {
    captions[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    values[row]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->setRowMinimumHeight(row, kScoreRowStep);
    grid->addWidget(captions[row], row, 0);
    grid->addWidget(values[row], row, 1);
  }
  grid->setRowStretch(3, 1);
  return panelScore_;
}

QWidget* TfrmStats::BuildDealBestPanel() {
  panelDealBest_ = MakePanel(this, "panelDealBest", 0);
  lblDealBest_ = MakeLabel(panelDealBest_, "lblDealBest", false);
  lblDealBestFigures_ = MakeLabel(panelDealBest_, "lblDealBestFigures", true);
  auto* lines = new QVBoxLayout(panelDealBest_);
  lines->setContentsMargins(kSideMargin, kDealBestTop, kSideMargin, kDealBestBottom);
  lines->setSpacing(0);
  for (QLabel* label : {lblDealBest_, lblDealBestFigures_}) {
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The lines wrap within the window's width; they never widen the window.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lines->addWidget(label);
  }
  panelDealBest_->hide();
  return panelDealBest_;
}

QWidget* TfrmStats::BuildNamesPanel() {
  panelNames_ = MakePanel(this, "panelNames", kNamesHeight);
  panelNames_->installEventFilter(this);
  // The place numbers are bold; "10." must fit whatever the desktop's font.
  QFont bold = font();
  bold.setBold(true);
  const int nmsWidth = std::max(kNmsWidth, QFontMetrics(bold).horizontalAdvance(QStringLiteral("10.")) + 2);
  listNms_ = MakeColumn(panelNames_, "listNms", nmsWidth, true);
  listNames_ = MakeColumn(panelNames_, "listNames", std::max(kNamesWidth, FullNameWidth(font())), false);
  listPts_ = MakeColumn(panelNames_, "listPts", kPtsWidth, false);
  QPalette navy = listNames_->palette();
  navy.setColor(QPalette::Text, Qt::darkBlue);
  listNames_->setPalette(navy);
  for (QTextEdit* column : {listNms_, listNames_, listPts_}) column->viewport()->installEventFilter(this);
  auto* row = new QHBoxLayout(panelNames_);
  row->setContentsMargins(kSideMargin, (kNamesHeight - kColumnHeight) / 2, kSideMargin, 0);
  row->setSpacing(4);
  row->addStretch(1);
  row->addWidget(listNms_, 0, Qt::AlignTop);
  row->addWidget(listNames_, 0, Qt::AlignTop);
  row->addWidget(listPts_, 0, Qt::AlignTop);
  row->addStretch(1);
  QStringList places;
  for (int place = 1; place <= kScorePlaces; ++place) places << QStringLiteral("%1.").arg(place);
  SetLines(listNms_, places, Qt::AlignRight);
  return panelNames_;
}

QWidget* TfrmStats::BuildBottom() {
  panelBottom_ = MakePanel(this, "panelBottom", 0);
  bttClear_ = new QPushButton(panelBottom_);
  bttClear_->setObjectName(QStringLiteral("bttClear"));
  bttClear_->setMinimumSize(kClearWidth, kButtonHeight);
  bttClear_->setAutoDefault(false);
  bttClose_ = new QPushButton(panelBottom_);
  bttClose_->setObjectName(QStringLiteral("bttClose"));
  bttClose_->setMinimumSize(kCloseWidth, kButtonHeight);
  connect(bttClear_, &QPushButton::clicked, this, &TfrmStats::bttClearClick);
  connect(bttClose_, &QPushButton::clicked, this, &QDialog::reject);
  auto* row = new QHBoxLayout(panelBottom_);
  row->setContentsMargins(kSideMargin, 2, kSideMargin, 2);
  row->addWidget(bttClear_);
  row->addStretch(1);
  row->addWidget(bttClose_);
  return panelBottom_;
}

void TfrmStats::ProcStrings() {
  const bool low = keeper_.LowScore();
  setWindowTitle(Str(kStatsCaption));
  lblInfo1_->setText(Str(kGamesPlayed));
  lbl2_->setText(Str(low ? kBestGame : kHighScore));
  lbl3_->setText(Str(low ? kAverageLeft : kBestMove));
  const QString hints[] = {Str(kGamesPlayedHint), Str(low ? kBestGameHint : kHighScoreHint),
                           Str(low ? kAverageLeftHint : kBestMoveHint)};
  QLabel* captions[] = {lblInfo1_, lbl2_, lbl3_};
  QLabel* values[] = {lbl4_, lbl5_, lbl6_};
  for (int row = 0; row < 3; ++row) {
    captions[row]->setToolTip(hints[row]);
    values[row]->setToolTip(hints[row]);
  }
  bttClear_->setText(Str(kClearButton));
  bttClear_->setToolTip(Str(kClearHint));
  bttClose_->setText(Str(kCloseButton));
  bttClose_->setToolTip(Str(kCloseHint));
  const QString namesHint = Str(kNamesHint) + '\n' + Str(kAidedMark);
  for (QWidget* names : {static_cast<QWidget*>(panelNames_), static_cast<QWidget*>(listNms_),
                         static_cast<QWidget*>(listNames_), static_cast<QWidget*>(listPts_)}) {
    names->setToolTip(namesHint);
  }
  lblTitle_->setText(Str(kStatsTitle));
  lblTitle2_->setText(Str(kStatsTitle2));
  imgCountMode_->setToolTip(Str(kCountModeHint));
  bttHideScore_->setToolTip(Str(kHideScoreHint));
  bttHideScore_->setAccessibleName(Str(kHideScoreHint));  // an icon only: the hint names it
  ShowDealBestText();
}

void TfrmStats::ShowDealComparison(const std::optional<DealComparison>& comparison) {
  comparison_ = comparison;
  ShowDealBestText();
}

void TfrmStats::ShowDealBestText() {
  const QString hint = QString::fromStdString(DealComparisonHint(languageOffset_));
  lblDealBest_->setText(QString::fromStdString(DealComparisonCaption(languageOffset_)));
  lblDealBestFigures_->setText(comparison_ ? QString::fromStdString(DealComparisonFigures(*comparison_, languageOffset_))
                                           : QString());
  for (QLabel* label : {lblDealBest_, lblDealBestFigures_}) label->setToolTip(hint);
  panelDealBest_->setVisible(comparison_.has_value());
  FixSize();
}

void TfrmStats::FixSize() {
  layout()->invalidate();
  const int fullWidth = std::max(kClientWidth, layout()->sizeHint().width());
  int dealBestHeight = 0;
  if (comparison_) {
    const int textWidth = fullWidth - 2 * (kBorder + kSideMargin);
    dealBestHeight = kDealBestTop + kDealBestBottom;
    for (QLabel* label : {lblDealBest_, lblDealBestFigures_}) {
      label->setFixedHeight(label->heightForWidth(textWidth));
      dealBestHeight += label->height();
    }
    panelDealBest_->setFixedHeight(dealBestHeight);
  }
  setFixedSize(fullWidth, kClientHeight - (showPlayers_ ? 0 : kTableHeight) + dealBestHeight);
}

void TfrmStats::ShowFigures() {
  if (!lbl4_ || !lbl5_ || !lbl6_) return;
  const ScoreCounters& counters = keeper_.Counters();
  lbl4_->setText(QString::number(counters.GamesPlayed));
  if (keeper_.LowScore()) {
    lbl5_->setText(QString::number(counters.BestGame));
    lbl6_->setText(counters.GamesPlayed == 0
                       ? QStringLiteral("0")
                       : GeneralNumber(static_cast<double>(counters.TotalLeft) / counters.GamesPlayed));
  } else {
    lbl5_->setText(QString::number(counters.HighScore));
    lbl6_->setText(QString::number(counters.BestMove));
  }
  // An average of fifteen digits is wider than the classic value column.
  FixSize();
}

void TfrmStats::ShowTable() {
  QStringList names;
  QStringList results;
  for (const ScorePlace& place : keeper_.Table()) {
    names << QString::fromStdString(place.Name) + (place.Aided ? QStringLiteral(" *") : QString());
    results << QString::number(place.Result);
  }
  SetLines(listNames_, names, Qt::AlignLeft);
  SetLines(listPts_, results, Qt::AlignRight);
}

void TfrmStats::SetCountModeIcon(bool reload) {
  imgCountMode_->setPixmap(settings_.lowScore ? arrowDown_ : arrowUp_);
  if (!reload) return;
  keeper_.BuildVariantKey(settings_);
  ProcStrings();
  keeper_.LoadScoreTable();
  ShowTable();
  ShowFigures();
}

void TfrmStats::bttHideScoreClick(const QObject* sender) {
  const bool byButton = sender == bttHideScore_;
  if (byButton) showPlayers_ = !showPlayers_;
  panelNames_->setVisible(showPlayers_);
  panelMiddle_->setVisible(showPlayers_);
  lblTitle2_->setVisible(showPlayers_);
  bttHideScore_->setIcon(showPlayers_ ? switchShown_ : switchHidden_);
  FixSize();
  if (!byButton) return;
  try {
    store_.SaveRegBool(kConfigSection, kValueShowPlayers, showPlayers_);
  } catch (const std::exception&) {
    // Only the next start's look is lost.
  }
}

void TfrmStats::bttClearClick() {
  if (!CurrentPrompter().WarningYesNo(this, Str(kClearScoresQuestion))) return;
  // A refused clear reloads what the store still holds, so the window shows
  // the truth without a message of its own.
  keeper_.ClearCurrentVariant();
  ShowTable();
  ShowFigures();
  emit bestMoveChanged(keeper_.Counters().BestMove);
}

void TfrmStats::FollowNewGame(const GameSettings& settings) {
  const bool modeChanged = settings.lowScore != settings_.lowScore;
  const bool languageChanged = settings.languageOffset != languageOffset_;
  settings_ = settings;
  keeper_.FollowNewGame(settings);
  keeper_.LoadStats();
  if (languageChanged) ApplyLanguage(settings.languageOffset);
  if (modeChanged) SetCountModeIcon(true);
  keeper_.LoadScoreTable();
  ShowTable();
  update();
  ShowFigures();
  emit bestMoveChanged(keeper_.Counters().BestMove);
}

void TfrmStats::CountModeChanged(const GameSettings& settings) {
  settings_ = settings;
  SetCountModeIcon(true);
}

void TfrmStats::RaiseBestMove(std::int32_t points) {
  if (keeper_.RaiseBestMove(points)) ShowFigures();
}

void TfrmStats::RecordResult(const GameSettings& settings, const GameResult& game, const SavedGameTie* tie) {
  settings_ = settings;
  QWidget* askParent = parentWidget() ? parentWidget() : this;
  NameQuery query(askParent, settings.languageOffset);
  const RecordOutcome outcome = keeper_.RecordResult(settings, game, query);
  ShowTable();
  ShowFigures();
  if (!outcome.stored) CurrentPrompter().Error(askParent, Str(kRecordFailed));
  if (tie) OfferHistoryEntry(*tie, ResultOf(game, settings.lowScore));
}

void TfrmStats::OfferHistoryEntry(const SavedGameTie& tie, std::int32_t result) {
  try {
    RunHistoryEntry(tie, result);
  } catch (const std::exception&) {
    CurrentPrompter().Error(parentWidget() ? parentWidget() : this, Str(kRecordFailed));
  }
}

void TfrmStats::RunHistoryEntry(const SavedGameTie& tie, std::int32_t result) {
  TReportInfo entry;
  entry.Date = CurrentDateTime();
  entry.Computer = ComputerName();
  entry.Score = result;
  if (!addAddress_) addAddress_ = new TfrmAddAddress(store_, languageOffset_, this);
  addAddress_->Prepare(entry, tie.gameHeader, keeper_.LastWinner());
  if (CurrentPrompter().RunModal(*addAddress_) != QDialog::Accepted) {
    if (addAddress_->ReportWanted()) ShowReport(tie.fileName, tie.playerHistoryOffset);
    return;
  }
  addAddress_->SavePresets();
  switch (AppendPlayerHistoryEntry(tie.fileName, addAddress_->CompleteEntry(entry))) {
    case AppendOutcome::Appended:
      if (addAddress_->ReportWanted()) ShowReport(tie.fileName, tie.playerHistoryOffset);
      break;
    case AppendOutcome::NoFile:  // the file is gone: nothing to add to, nothing to show
      break;
    case AppendOutcome::Failed:
      CurrentPrompter().Error(parentWidget() ? parentWidget() : this, Str(kRecordFailed));
      break;
  }
}

void TfrmStats::ShowReport(const std::filesystem::path& fileName, std::size_t playerHistoryOffset) {
  if (!report_) report_ = new TfrmReport(languageOffset_, this);
  if (report_->LoadReport(fileName, playerHistoryOffset, keeper_.LowScore())) {
    CurrentPrompter().RunModal(*report_);
  } else {
    CurrentPrompter().Information(parentWidget() ? parentWidget() : this, Str(kNothingToShow));
  }
}

void TfrmStats::ApplyLanguage(int languageOffset) {
  languageOffset_ = languageOffset;
  settings_.languageOffset = languageOffset;
  ProcStrings();
  if (report_) report_->ProcStrings(languageOffset);
  if (addAddress_) addAddress_->ProcStrings(languageOffset);
}

bool TfrmStats::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) ShowFigures();
  return QDialog::event(event);
}

void TfrmStats::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (placed_ || event->spontaneous()) return;
  placed_ = true;
  if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());
}

bool TfrmStats::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgCountMode_ && event->type() == QEvent::MouseButtonRelease) {
    emit countModeClicked();
    return true;
  }
  // The table's columns never hold the focus or show a caret.
  const bool tablePart = watched == panelNames_ || watched == listNms_->viewport() ||
                         watched == listNames_->viewport() || watched == listPts_->viewport();
  if (tablePart && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn)) {
    bttClose_->setFocus(Qt::MouseFocusReason);
    return event->type() == QEvent::MouseButtonPress;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace pebble::ui
