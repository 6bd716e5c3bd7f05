#include "scores/ui/tfrm_hints.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QStackedLayout>
#include <algorithm>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "engine/game.h"

namespace pebble::ui {
namespace {

// The classic window: rows 20 pixels apart, caption and value columns 60
// pixels wide side by side, in a client area of about 131 x 64.
constexpr int kMargin = 4;
constexpr int kColumnWidth = 60;
constexpr int kColumnGap = 6;
constexpr int kRowGap = 6;
constexpr QSize kClassicClientSize(131, 64);
// The instruction is set smaller than the rows (9 pixels against 11).
constexpr double kInfoFontScale = 9.0 / 11.0;

int KindTextId(std::uint8_t kind) {
  switch (kind) {
    case skNormal: return kKindNormal;
    case skBomb: return kKindBomb;
    case skRocketRight:
    case skRocketDown:
    case skRocketLeft: return kKindRocket;
    default: return kKindRock;
  }
}

std::int32_t OccupiedIn(const Field& field, CellPos from, CellPos to) {
  std::int32_t count = 0;
  for (std::int32_t row = std::max(from.row, 1); row <= std::min(to.row, field.Rows()); ++row) {
    for (std::int32_t column = std::max(from.column, 1); column <= std::min(to.column, field.Columns()); ++column) {
      if (field[field.CellIndex(row, column)].Occupied) ++count;
    }
  }
  return count;
}

// The occupied cells a bomb or rocket would hit; a rock hits nothing.
std::int32_t SpecialAreaSize(const Field& field, std::int32_t index) {
  const CellPos at = field.CellPosition(index);
  switch (field[index].Kind) {
    case skBomb: return OccupiedIn(field, {at.row - 1, at.column - 1}, {at.row + 1, at.column + 1});
    case skRocketRight: return OccupiedIn(field, at, {at.row, field.Columns()});
    case skRocketDown: return OccupiedIn(field, at, {field.Rows(), at.column});
    case skRocketLeft: return OccupiedIn(field, {at.row, 1}, at);
    default: return 0;
  }
}

QFont ScaledFont(QFont font, double scale) {
  if (font.pointSizeF() > 0) {
    font.setPointSizeF(font.pointSizeF() * scale);
  } else {
    font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
  }
  return font;
}

QLabel* RowLabel(QWidget* parent, const char* name, Qt::Alignment alignment, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(alignment | Qt::AlignVCenter);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

}  // namespace

std::int32_t HintGroupSize(const Game& game, std::int32_t index) {
  const Field& field = game.GetField();
  if (!field.Contains(index) || !field[index].Occupied) return 0;
  if (field[index].Kind != skNormal) return SpecialAreaSize(field, index);
  return game.GroupSize(index);
}

TfrmHints::TfrmHints(SettingsStore& store, const QRect& mainWindowFrame, int languageOffset)
    : QWidget(nullptr, Qt::Tool), placement_(store), languageOffset_(languageOffset) {
  setObjectName(QStringLiteral("frmHints"));
  // The player keeps playing in the main window; this one only informs.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setAttribute(Qt::WA_QuitOnClose, false);
  BuildLayout();
  ProcStrings(languageOffset);

  const QSize needed = pages_->sizeHint().expandedTo(kClassicClientSize);
  placement_.setWindowPos(*this, QRect(mainWindowFrame.right() + 1 + kGapToMainWindow, kDefaultTop, needed.width(),
                                       needed.height()));
}

TfrmHints::~TfrmHints() {
  // A window still open when the program ends keeps its place as well.
  if (isVisible()) placement_.saveWindowPos(*this);
}

void TfrmHints::BuildLayout() {
  rows_ = new QWidget(this);
  auto* grid = new QGridLayout(rows_);
  grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  grid->setHorizontalSpacing(kColumnGap);
  grid->setVerticalSpacing(kRowGap);
  const Qt::Alignment right = Qt::AlignRight;
  const Qt::Alignment left = Qt::AlignLeft;
  lblTit1_ = RowLabel(rows_, "lblTit1", right, false);
  lblTit2_ = RowLabel(rows_, "lblTit2", right, false);
  lblTit3_ = RowLabel(rows_, "lblTit3", right, false);
  lblArt_ = RowLabel(rows_, "lblArt", left, true);
  lblSize_ = RowLabel(rows_, "lblSize", left, true);
  lblPoints_ = RowLabel(rows_, "lblPoints", left, true);
  grid->addWidget(lblTit1_, 0, 0);
  grid->addWidget(lblArt_, 0, 1);
  grid->addWidget(lblTit2_, 1, 0);
  grid->addWidget(lblSize_, 1, 1);
  grid->addWidget(lblTit3_, 2, 0);
  grid->addWidget(lblPoints_, 2, 1);
  // Empty rows keep their height and the columns their classic width; longer
  // texts widen them.
  for (int column = 0; column < 2; ++column) grid->setColumnMinimumWidth(column, kColumnWidth);
  for (int row = 0; row < 3; ++row) grid->setRowMinimumHeight(row, lblArt_->fontMetrics().height());
  grid->setRowStretch(3, 1);

  lblInfo_ = new QLabel(this);
  lblInfo_->setObjectName(QStringLiteral("lblInfo"));
  lblInfo_->setFont(ScaledFont(lblInfo_->font(), kInfoFontScale));
  lblInfo_->setAlignment(Qt::AlignCenter);
  lblInfo_->setWordWrap(true);
  lblInfo_->setMargin(kMargin);

  pages_ = new QStackedLayout(this);
  pages_->addWidget(rows_);
  pages_->addWidget(lblInfo_);
}

QString TfrmHints::Str(int id) const { return QString::fromStdString(Text(id, languageOffset_)); }

void TfrmHints::ProcStrings(int languageOffset) {
  languageOffset_ = languageOffset;
  setWindowTitle(Str(kHintsCaption));
  if (!instructionShown_) setToolTip(Str(kHintsInstruction));
}

void TfrmHints::ClearRows() {
  for (QLabel* label : {lblTit1_, lblTit2_, lblTit3_, lblArt_, lblSize_, lblPoints_}) label->clear();
}

void TfrmHints::ShowRows() {
  instructionShown_ = false;
  pages_->setCurrentWidget(rows_);
  setToolTip(Str(kHintsInstruction));
}

void TfrmHints::ShowInstruction() {
  ClearRows();
  instructionShown_ = true;
  // The instruction says it all; a tooltip repeating it would only cover it.
  setToolTip(QString());
  lblInfo_->setText(Str(kHintsInstruction));
  pages_->setCurrentWidget(lblInfo_);
}

void TfrmHints::ShowStoneInfo(const Game& game, std::int32_t index) {
  if (game.Settings().languageOffset != languageOffset_) ProcStrings(game.Settings().languageOffset);
  const Field& field = game.GetField();
  if (!field.Contains(index)) {
    // A cell of an earlier, larger field: there is nothing to tell about it.
    shownIndex_ = 0;
    ShowInstruction();
    return;
  }
  shownIndex_ = index;
  ShowRows();
  ClearRows();
  const bool pointsCount = !game.Settings().lowScore;
  lblTit3_->setEnabled(pointsCount);
  lblPoints_->setEnabled(pointsCount);

  const TStoneCell& cell = field[index];
  if (!cell.Occupied) {
    lblArt_->setText(Str(kBackgroundCell));
    return;
  }
  lblTit1_->setText(Str(kTileLabel) + QLatin1Char(' ') + QString::number(cell.Index + 1));
  lblArt_->setText(Str(KindTextId(cell.Kind)));
  const std::int32_t size = HintGroupSize(game, index);
  lblTit2_->setText(Str(kGroupLabel));
  lblSize_->setText(QString::number(size));
  lblTit3_->setText(Str(kPointsLabel));
  lblPoints_->setText(QString::number(size > 1 ? MovePoints(size) : 0));
}

void TfrmHints::LanguageChanged(const Game& game) {
  ProcStrings(game.Settings().languageOffset);
  if (instructionShown_) {
    ShowInstruction();
  } else {
    ShowStoneInfo(game, shownIndex_);
  }
}

void TfrmHints::closeEvent(QCloseEvent* event) {
  // Closing only hides the window; the next right click brings it back.
  placement_.saveWindowPos(*this);
  event->accept();
}

void ShowHintsForClick(std::unique_ptr<TfrmHints>& hints, QWidget& mainWindow, SettingsStore& store,
                       const Game& game, std::int32_t index, bool rightButton) {
  if (!rightButton) {
    if (hints && hints->isVisible()) hints->ShowStoneInfo(game, index);
    return;
  }
  if (!hints) hints = std::make_unique<TfrmHints>(store, mainWindow.frameGeometry(), game.Settings().languageOffset);
  hints->ShowStoneInfo(game, index);
  if (!hints->isVisible()) {
    hints->show();
    // The player goes on clicking the field: the main window keeps the front.
    mainWindow.raise();
    mainWindow.activateWindow();
  }
}

void OpenHintsByCommand(std::unique_ptr<TfrmHints>& hints, const QWidget& mainWindow, SettingsStore& store,
                        int languageOffset) {
  if (!hints) hints = std::make_unique<TfrmHints>(store, mainWindow.frameGeometry(), languageOffset);
  hints->ProcStrings(languageOffset);
  hints->ShowInstruction();
  hints->show();
  hints->raise();
}

}  // namespace pebble::ui
