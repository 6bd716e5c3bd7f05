#pragma once
// The suggested move drawn over the field: a ring around the stones it
// removes, in the advice's own look (render/ui/cell_marks.h). It lets clicks
// through to the field.

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace pebble::ui {

class AdviceOverlay : public QWidget {
  Q_OBJECT
 public:
  explicit AdviceOverlay(QWidget* field);

  // Rings the cells for a moment; cell indices of a field of `columns`
  // columns and cells of `cellSize` pixels.
  void ShowCells(const std::vector<std::int32_t>& cells, std::int32_t columns, QSize cellSize);
  void Clear();
  const std::vector<std::int32_t>& Cells() const { return cells_; }

  static constexpr int kShownMs = 4000;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool Marked(std::int32_t row, std::int32_t column) const;

  std::vector<std::int32_t> cells_;
  std::vector<bool> marked_;
  std::int32_t columns_ = 1, rows_ = 1;
  QSize cellSize_;
  QTimer hideTimer_;
};

}  // namespace pebble::ui
