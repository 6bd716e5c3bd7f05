#include "control/ui/group_preview.h"

#include <algorithm>

#include "control/field_speech.h"
#include "control/ui/field_view.h"
#include "engine/game.h"

namespace pebble::ui {

GroupPreview::GroupPreview(const Game& game, FieldView& field) : game_(game), field_(field) {}

void GroupPreview::PointAt(std::optional<std::int32_t> cell) {
  pointed_ = cell;
  Refresh();
}

void GroupPreview::Refresh() {
  if (!Allowed() || !pointed_) return Clear();
  std::vector<std::int32_t> cells = game_.MoveCells(*pointed_);
  std::sort(cells.begin(), cells.end());
  Show(std::move(cells));
}

void GroupPreview::Clear() { Show({}); }

bool GroupPreview::Allowed() const {
  return game_.Settings().groupPreview && !game_.SettingUp() && !game_.Busy() && !game_.MoveInProgress() &&
         game_.GameRunning() && field_.isVisible() && (!windowShown || windowShown());
}

void GroupPreview::Show(std::vector<std::int32_t> cells) {
  if (cells == cells_) return;
  cells_ = std::move(cells);
  field_.LightCells(game_.GetField(), cells_);
  if (onChange) onChange();
}

QString GroupPreview::Text(int languageOffset) const {
  if (cells_.empty()) return {};
  return QString::fromStdString(MoveOutcome(game_, static_cast<std::int32_t>(cells_.size()), languageOffset));
}

}  // namespace pebble::ui
