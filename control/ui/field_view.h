#pragma once
// The field on screen: the surface the stones are drawn on, the animations
// that play on it, and the keyboard cursor's frame. Clicks go to whoever
// listens on onMouseUp; the rules never reach this widget but through the
// window.

#include <QImage>
#include <memory>
#include <optional>
#include <vector>

#include "control/ui/paint_box.h"
#include "render/ui/field_painter.h"

namespace pebble {
class Field;
class GameRandom;
struct GameSettings;
}

namespace pebble::ui {

class Animator;

class FieldView : public PaintBox {
  Q_OBJECT
 public:
  explicit FieldView(QWidget* parent = nullptr);
  ~FieldView() override;

  // The pictures of a new game, for a field of this widget's size.
  void Prepare(const GameSettings& settings, const QImage& picture, GameRandom& random);
  void Free();

  void DrawWholeField(const Field& field, DrawFlags flags);
  void DrawCell(const Field& field, std::int32_t index, DrawFlags flags);
  // The keyboard cursor's frame around a cell, or none.
  void FrameCell(const Field& field, std::optional<std::int32_t> index);
  // Lights these cells (the group a click would take); none takes the light off.
  void LightCells(const Field& field, const std::vector<std::int32_t>& cells);

  FieldPainter& Painter() { return painter_; }
  const FieldPainter& Painter() const { return painter_; }
  Animator& GetAnimator() { return *animator_; }

 private:
  FieldPainter painter_;
  std::unique_ptr<Animator> animator_;  // after the painter: it draws with it to the last frame
};

}  // namespace pebble::ui
