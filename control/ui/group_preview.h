#pragma once
// The group before the click: the stones a left click on the cell under the
// pointer or the keyboard's cursor would take are lit on the field, and the
// status bar gives their number and what the move earns in the game's count
// mode (points, or the stones left after it). The rules say which stones go
// (Game::MoveCells); nothing is lit while the option is off, a game is set
// up, a move or its animation runs, the game is over, or the window is out
// of sight.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace pebble {
class Game;
}

namespace pebble::ui {

class FieldView;

class GroupPreview {
 public:
  GroupPreview(const Game& game, FieldView& field);

  // The cell now pointed at; none when neither pointer nor cursor is on the field.
  void PointAt(std::optional<std::int32_t> cell);
  // The field or the game's state changed: the same cell is looked at again.
  void Refresh();
  // Takes the light off until the next PointAt or Refresh.
  void Clear();

  const std::vector<std::int32_t>& Cells() const { return cells_; }
  // What the status bar says of the lit group in this language; empty when none is lit.
  QString Text(int languageOffset) const;

  // Whether the window lets it show (not minimised, not disguised).
  std::function<bool()> windowShown;
  // The lit group changed: its text, or an empty text when nothing is lit.
  std::function<void()> onChange;

 private:
  bool Allowed() const;
  void Show(std::vector<std::int32_t> cells);

  const Game& game_;
  FieldView& field_;
  std::optional<std::int32_t> pointed_;
  std::vector<std::int32_t> cells_;
};

}  // namespace pebble::ui
