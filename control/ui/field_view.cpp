#include "control/ui/field_view.h"

#include <cmath>
#include <algorithm>

#include "engine/field.h"
#include "engine/ui/animator.h"

namespace pebble::ui {

FieldView::FieldView(QWidget* parent)
    : PaintBox(parent),
      animator_(std::make_unique<Animator>(painter_, [this](const QRect& changed) { UpdateField(changed); })),
      fieldArea_(new QWidget(this)) {
  fieldArea_->setAttribute(Qt::WA_TransparentForMouseEvents);
  fieldArea_->setAttribute(Qt::WA_NoSystemBackground);
  SetImage(&painter_.Surface());
}

FieldView::~FieldView() = default;

double FieldView::WantedRatio() const { return Placement().scale * devicePixelRatioF(); }

void FieldView::Prepare(const GameSettings& settings, QSize fieldPixels, const QImage& picture, GameRandom& random) {
  painter_.Prepare(settings, fieldPixels, picture, random, WantedRatio());
  SetImage(&painter_.Surface());
  // The bands beside a scaled field wear the picture's corner, as the ramp does.
  const QImage& background = painter_.BackgroundBitmap();
  SetBandColor(background.width() > 1 && background.height() > 1 ? QColor(background.pixel(1, 1)) : QColor(Qt::black));
}

void FieldView::Free() { painter_.Free(); }

void FieldView::ShowAt(const FieldPlacement& placement, QSize fieldPixels) {
  SetPlacement(placement, fieldPixels);
  fieldArea_->setGeometry(ImageArea().toAlignedRect());
  for (QWidget* mark : fieldArea_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    mark->setGeometry(fieldArea_->rect());
  }
}

bool FieldView::NeedsRescale() const {
  return !painter_.Surface().isNull() && std::abs(painter_.Ratio() - WantedRatio()) > 1e-9;
}

void FieldView::Rescale() {
  painter_.Rescale(WantedRatio());
  SetImage(&painter_.Surface());
  update();
}

void FieldView::DrawWholeField(const Field& field, DrawFlags flags) {
  painter_.DrawWholeField(field, flags);
  update();
}

void FieldView::DrawCell(const Field& field, std::int32_t index, DrawFlags flags) {
  painter_.DrawStone(field, field[index], 0, painter_.Surface(), 0, flags);
  UpdateField(QRect(field[index].Left, field[index].Top, field.StoneWidth() + 1, field.StoneHeight() + 1));
}

void FieldView::FrameCell(const Field& field, std::optional<std::int32_t> index) {
  if (!index) {
    SetFrame(std::nullopt);
    return;
  }
  const TStoneCell& cell = field[*index];
  SetFrame(QRect(cell.Left, cell.Top, field.StoneWidth() + 1, field.StoneHeight() + 1));
}

void FieldView::LightCells(const Field& field, const std::vector<std::int32_t>& cells) {
  std::vector<QRect> rects;
  std::vector<QLine> outline;
  std::vector<std::int32_t> sorted = cells;
  std::sort(sorted.begin(), sorted.end());
  const auto lit = [&](std::int32_t row, std::int32_t column) {
    if (row < 1 || column < 1 || row > field.Rows() || column > field.Columns()) return false;
    return std::binary_search(sorted.begin(), sorted.end(), field.CellIndex(row, column));
  };
  const std::int32_t w = field.StoneWidth(), h = field.StoneHeight();
  for (std::int32_t index : cells) {
    const TStoneCell& cell = field[index];
    const CellPos at = field.CellPosition(index);
    const int l = cell.Left, t = cell.Top, r = cell.Left + w, b = cell.Top + h;
    rects.emplace_back(l, t, w + 1, h + 1);
    if (!lit(at.row - 1, at.column)) outline.emplace_back(l, t, r, t);
    if (!lit(at.row + 1, at.column)) outline.emplace_back(l, b, r, b);
    if (!lit(at.row, at.column - 1)) outline.emplace_back(l, t, l, b);
    if (!lit(at.row, at.column + 1)) outline.emplace_back(r, t, r, b);
  }
  SetLight(std::move(rects), std::move(outline));
}

}  // namespace pebble::ui
