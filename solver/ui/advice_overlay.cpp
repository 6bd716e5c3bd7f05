#include "solver/ui/advice_overlay.h"

#include <QPainter>
#include <algorithm>

#include "render/ui/cell_marks.h"

namespace pebble::ui {

AdviceOverlay::AdviceOverlay(QWidget* field) : QWidget(field) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  hideTimer_.setSingleShot(true);
  hideTimer_.setInterval(kShownMs);
  connect(&hideTimer_, &QTimer::timeout, this, &AdviceOverlay::Clear);
  hide();
}

void AdviceOverlay::ShowCells(const std::vector<std::int32_t>& cells, std::int32_t columns, QSize cellSize) {
  cells_ = cells;
  columns_ = std::max(1, columns);
  cellSize_ = cellSize;
  const std::int32_t last = cells.empty() ? 0 : *std::max_element(cells.begin(), cells.end());
  rows_ = last / columns_ + 1;
  marked_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), false);
  for (std::int32_t cell : cells) marked_[static_cast<std::size_t>(cell)] = true;
  setGeometry(parentWidget()->rect());
  show();
  raise();
  update();
  hideTimer_.start();
}

void AdviceOverlay::Clear() {
  hideTimer_.stop();
  cells_.clear();
  marked_.clear();
  hide();
}

bool AdviceOverlay::Marked(std::int32_t row, std::int32_t column) const {
  if (row < 0 || column < 0 || row >= rows_ || column >= columns_) return false;
  return marked_[static_cast<std::size_t>(row * columns_ + column)];
}

// Draws each edge between a marked cell and an unmarked one, so the ring
// follows the group's outline however it winds.
void AdviceOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int w = cellSize_.width(), h = cellSize_.height();
  // The ring lies over the field as drawn, at the field's scale.
  const double scale = static_cast<double>(width()) / (columns_ * w + 1);
  painter.scale(scale, scale);
  std::vector<QLine> edges;
  for (std::int32_t cell : cells_) {
    const int row = cell / columns_, column = cell % columns_;
    const int x = column * w, y = row * h;
    if (!Marked(row - 1, column)) edges.emplace_back(x, y, x + w, y);
    if (!Marked(row + 1, column)) edges.emplace_back(x, y + h, x + w, y + h);
    if (!Marked(row, column - 1)) edges.emplace_back(x, y, x, y + h);
    if (!Marked(row, column + 1)) edges.emplace_back(x + w, y, x + w, y + h);
  }
  DrawAdviceRing(painter, edges);
}

}  // namespace pebble::ui
