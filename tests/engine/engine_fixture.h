#pragma once
// Fields written as rows of letters, and a host that records what the rules
// asked of the window.
//   a..o  a normal stone of palette colour 0..14     .  an empty cell
//   B bomb   R / D / L rocket right / down / left    X  rock

#include <functional>
#include <string>
#include <vector>

#include "config/string_ids.h"
#include "engine/game.h"

namespace pebble::testing {

constexpr std::int32_t kW = 20, kH = 21;

inline void SetStone(TStoneCell& cell, char letter) {
  cell.Occupied = letter != '.';
  cell.Kind = skNormal;
  switch (letter) {
    case '.': cell.Color = 0; return;
    case 'B': cell.Kind = skBomb; break;
    case 'R': cell.Kind = skRocketRight; break;
    case 'D': cell.Kind = skRocketDown; break;
    case 'L': cell.Kind = skRocketLeft; break;
    case 'X': cell.Kind = skRock; break;
    default: cell.Color = kClassicPalette[static_cast<std::size_t>(letter - 'a')]; return;
  }
  cell.Color = SpecialColor;
}

inline Field MakeField(const std::vector<std::string>& rows) {
  Field field(static_cast<std::int32_t>(rows.front().size()), static_cast<std::int32_t>(rows.size()), kW, kH);
  for (std::int32_t i = 0; i < field.Size(); ++i) {
    const CellPos p = field.CellPosition(i);
    SetStone(field[i], rows[static_cast<std::size_t>(p.row - 1)][static_cast<std::size_t>(p.column - 1)]);
  }
  field.Recount(true);
  return field;
}

inline char Letter(const TStoneCell& cell) {
  if (!cell.Occupied) return '.';
  switch (cell.Kind) {
    case skBomb: return 'B';
    case skRocketRight: return 'R';
    case skRocketDown: return 'D';
    case skRocketLeft: return 'L';
    case skRock: return 'X';
    default: break;
  }
  for (std::size_t i = 0; i < kClassicPalette.size(); ++i) {
    if (kClassicPalette[i] == cell.Color) return static_cast<char>('a' + i);
  }
  return '?';
}

inline std::vector<std::string> Rows(const Field& field) {
  std::vector<std::string> rows(static_cast<std::size_t>(field.Rows()), std::string(static_cast<std::size_t>(field.Columns()), ' '));
  for (std::int32_t i = 0; i < field.Size(); ++i) {
    const CellPos p = field.CellPosition(i);
    rows[static_cast<std::size_t>(p.row - 1)][static_cast<std::size_t>(p.column - 1)] = Letter(field[i]);
  }
  return rows;
}

// The lines the host below records for a message shown in its turn, and for
// one shown at once.
inline std::string Msg(int id) { return "msg " + std::to_string(id); }
inline std::string MsgNow(int id) { return "msg! " + std::to_string(id); }

// Records every call as a short line, in order.
class RecordingHost : public GameHost {
 public:
  std::vector<std::string> calls;
  int message = -1;
  std::function<void()> duringAnimation;  // runs inside each animation stage
  Game* game = nullptr;

  void ShowMessage(int id) override { message = id; calls.push_back(Msg(id)); }
  void ShowMessageNow(int id) override { message = id; calls.push_back(MsgNow(id)); }
  void ClearMessage() override { message = -1; }
  int MessageShown() const override { return message; }
  void PlaySound(std::string_view name) override { calls.push_back("sound " + std::string(name)); }
  void Beep() override { calls.push_back("beep"); }
  void ShowCounts() override { calls.push_back("counts"); }
  void SetWaitCursor(bool) override {}
  void FieldTooltipsOff() override {}
  void ShowCellHint(std::int32_t index, bool right) override {
    if (right) calls.push_back("hint " + std::to_string(index));
  }
  void DeleteAnimation(const RemovalList& runs) override { Stage("delete", runs.size()); }
  void FallAnimation(const FallList& stacks) override { Stage("fall", stacks.size()); }
  void ColumnAnimation(const GapList& gaps) override { Stage("column", gaps.size()); }
  void DrawWholeField() override { calls.push_back("draw"); }
  void UndoAvailable(bool on) override { undoAvailable = on; }
  void BestMoveRaised(std::int32_t best) override { calls.push_back("best " + std::to_string(best)); }
  void StopCountDown() override { calls.push_back("stop"); }
  void ShowClearingBonus(std::int32_t bonus) override { calls.push_back("bonus " + std::to_string(bonus)); }
  void RecordResult(std::int32_t result) override { calls.push_back("record " + std::to_string(result)); }
  void ResultRestored(std::int32_t result) override { calls.push_back("restored " + std::to_string(result)); }

  bool undoAvailable = false;
  bool busySeen = false;

  // Only the calls that start with one of the prefixes.
  std::vector<std::string> Only(std::initializer_list<std::string> prefixes) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
      for (const auto& p : prefixes)
        if (c.rfind(p, 0) == 0) {
          out.push_back(c);
          break;
        }
    return out;
  }

 private:
  void Stage(const std::string& name, std::size_t n) {
    calls.push_back(name + " " + std::to_string(n));
    if (game) busySeen = busySeen || game->Busy();
    if (duringAnimation) duringAnimation();
  }
};

inline GameSettings QuietSettings() {
  GameSettings s;
  s.animationsOn = false;
  s.soundsOn = true;
  return s;
}

// A game on the given field, with the settings given.
struct GameOn {
  RecordingHost host;
  GameRandom random;
  Game game{host, random};

  explicit GameOn(const std::vector<std::string>& rows, GameSettings settings = QuietSettings()) {
    host.game = &game;
    random.SetFixedSeed(1);
    const Field field = MakeField(rows);
    game.LoadField(settings, {field.Columns(), field.Rows()}, field.Cells());
  }

  // A left click in the middle of the cell at (row, column).
  void Click(std::int32_t row, std::int32_t column, MouseButton button = MouseButton::Left) {
    game.imgMainMouseUp(button, (column - 1) * kW + kW / 2, (row - 1) * kH + kH / 2);
  }
  std::vector<std::string> Rows() const { return testing::Rows(game.GetField()); }
};

}  // namespace pebble::testing
