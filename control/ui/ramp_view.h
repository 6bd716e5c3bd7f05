#pragma once
// The drop ramp on screen, above the field, in games with auto drop: the
// ramp's rules (engine/ramp.h) stepped by the drop timer and drawn here, a
// press on a stone dropping it, and a landing stone falling into the field.

#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>

#include "control/ui/paint_box.h"
#include "engine/ramp.h"
#include "render/ui/field_painter.h"

namespace pebble {
class CommandGate;
}

namespace pebble::ui {

class FieldView;

class RampView : public PaintBox, public RampHost {
  Q_OBJECT
 public:
  // Ticks and presses reach the rules inside `gate`'s Settle.
  RampView(Game& game, GameHost& gameHost, FieldView& field, CommandGate& gate, QWidget* parent);
  ~RampView() override;

  // A new game: a ramp of this height (field pixels) when the game drops
  // stones, none else.
  void SetUp(int height);
  // The ramp drawn again for the field's new scale.
  void Rescaled();
  void Free();
  // A press on the ramp at this pixel: drops the stone there, if any.
  void Press(QPoint at);
  void SetDropTimerEnabled(bool enabled);

  Ramp* GetRamp() const { return ramp_.get(); }
  const QImage& Image() const { return image_; }
  QTimer& DropTimer() { return dropTimer_; }

  // Runs before a stone is dropped by the player (the field will change).
  std::function<void()> beforeDrop;
  // The ramp asks for a new game; it stands still until it is replaced.
  std::function<void()> onNewGame;

  // --- RampHost --------------------------------------------------------------
  void DrawRampStone(const TStoneCell& pseudoCell) override;
  void EraseRampStone(std::int32_t left) override;
  void RampPaint() override;
  void DropAnimation(std::int32_t landingIndex) override;
  void DrawCell(std::int32_t index) override;
  void ShowFailure(std::string_view text) override;
  void RequestNewGame() override;

 private:
  void DoDropStones();
  DrawFlags Flags() const;

  Game& game_;
  GameHost& gameHost_;
  FieldView& field_;
  CommandGate& gate_;
  std::unique_ptr<Ramp> ramp_;
  QImage image_;
  QSize rampSize_;  // in field pixels
  QTimer dropTimer_;
};

}  // namespace pebble::ui
