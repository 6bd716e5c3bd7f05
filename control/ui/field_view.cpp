#include "control/ui/field_view.h"

#include "engine/field.h"
#include "engine/ui/animator.h"

namespace pebble::ui {

FieldView::FieldView(QWidget* parent) : PaintBox(parent), animator_(std::make_unique<Animator>(painter_, *this)) {
  SetImage(&painter_.Surface());
}

FieldView::~FieldView() = default;

void FieldView::Prepare(const GameSettings& settings, const QImage& picture, GameRandom& random) {
  painter_.Prepare(settings, size(), picture, random, devicePixelRatio());
  SetImage(&painter_.Surface());
}

void FieldView::Free() { painter_.Free(); }

void FieldView::DrawWholeField(const Field& field, DrawFlags flags) {
  painter_.DrawWholeField(field, flags);
  update();
}

void FieldView::DrawCell(const Field& field, std::int32_t index, DrawFlags flags) {
  painter_.DrawStone(field, field[index], 0, painter_.Surface(), 0, flags);
  update(QRect(field[index].Left, field[index].Top, field.StoneWidth() + 1, field.StoneHeight() + 1));
}

void FieldView::FrameCell(const Field& field, std::optional<std::int32_t> index) {
  if (!index) {
    SetFrame(std::nullopt);
    return;
  }
  const TStoneCell& cell = field[*index];
  SetFrame(QRect(cell.Left, cell.Top, field.StoneWidth() + 1, field.StoneHeight() + 1));
}

}  // namespace pebble::ui
