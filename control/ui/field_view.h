#pragma once
// The field on screen: the surface the stones are drawn on, the animations
// that play on it, and the keyboard cursor's frame, shown at the scale the
// window gives. Clicks go to whoever listens on onMouseUp, in field pixels;
// the rules never reach this widget but through the window.

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

  // The pictures of a new game, for a field of `fieldPixels`, made for the
  // scale of the placement given last.
  void Prepare(const GameSettings& settings, QSize fieldPixels, const QImage& picture, GameRandom& random);
  void Free();

  // Shows a field of `fieldPixels` at this placement; its pictures wait for Rescale.
  void ShowAt(const FieldPlacement& placement, QSize fieldPixels);
  // The pictures were made for another scale or screen than they are shown at.
  bool NeedsRescale() const;
  // Makes them again for the scale shown; the field must then be drawn again.
  void Rescale();

  void DrawWholeField(const Field& field, DrawFlags flags);
  void DrawCell(const Field& field, std::int32_t index, DrawFlags flags);
  // The keyboard cursor's frame around a cell, or none.
  void FrameCell(const Field& field, std::optional<std::int32_t> index);
  // Lights these cells (the group a click would take); none takes the light off.
  void LightCells(const Field& field, const std::vector<std::int32_t>& cells);

  // A child laid exactly over the drawn field, for marks drawn in field pixels
  // scaled to its size (the advice's ring); it lets clicks through.
  QWidget* FieldArea() const { return fieldArea_; }

  FieldPainter& Painter() { return painter_; }
  const FieldPainter& Painter() const { return painter_; }
  Animator& GetAnimator() { return *animator_; }

 private:
  double WantedRatio() const;

  FieldPainter painter_;
  std::unique_ptr<Animator> animator_;  // after the painter: it draws with it to the last frame
  QWidget* fieldArea_ = nullptr;
};

}  // namespace pebble::ui
