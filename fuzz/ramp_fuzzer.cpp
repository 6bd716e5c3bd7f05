// The drop ramp with stones anywhere a stone can be, any step width and any
// order of ticks, clicks and drops: no cell outside the field is touched and
// the field's counters always agree with its stones.
#include <algorithm>

#include "engine/ramp.h"
#include "fuzz_support.h"
#include "game_support.h"

namespace {

using namespace pebble;

class SilentRamp : public RampHost {
 public:
  void DrawRampStone(const TStoneCell&) override {}
  void EraseRampStone(std::int32_t) override {}
  void RampPaint() override {}
  void DropAnimation(std::int32_t) override {}
  void DrawCell(std::int32_t) override {}
  void ShowFailure(std::string_view) override {}
  void RequestNewGame() override {}
};

// Takes the input byte by byte; zeros once it is used up.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::int32_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::int32_t Word() { return Byte() | Byte() << 8; }
  std::int32_t Between(std::int32_t lo, std::int32_t hi) { return lo + Word() % (hi - lo + 1); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

GameSettings RampSettings(Input& in) {
  GameSettings s;
  s.columnCount = in.Between(1, 40);
  s.rowCount = in.Between(1, 40);
  s.stoneWidth = in.Between(1, 50);
  s.stoneHeight = in.Between(1, 50);
  s.dropStoneOffset = in.Between(1, kMaxStonePixels);
  s.newStoneEvery = in.Between(1, 8);
  s.actionsOn = in.Byte() % 2 == 0;
  s.colorCount = static_cast<std::uint8_t>(in.Between(2, kMaxColors));
  s.autoDrop = true;
  s.animationsOn = false;
  return s;
}

// Each column keeps a stack of stones at its bottom, some columns none.
void EmptyColumnTops(Game& game, Input& in) {
  Field& field = game.GetField();
  for (std::int32_t column = 1; column <= field.Columns(); ++column) {
    const std::int32_t emptyRows = in.Byte() % (field.Rows() + 1);
    for (std::int32_t row = 1; row <= emptyRows; ++row) field[field.CellIndex(row, column)].Occupied = 0;
  }
  field.Recount();
}

// Stones anywhere from beyond the left end to beyond the right end.
void PlaceRampStones(Ramp& ramp, const Field& field, Input& in) {
  const std::int32_t count = in.Byte() % 12;
  const std::int32_t reach = field.PixelWidth() + 2 * field.StoneWidth() + 4;
  for (std::int32_t i = 0; i < count; ++i) {
    RampStone stone;
    stone.Left = in.Between(-reach, 2 * reach) - reach / 2;
    stone.MovingRight = static_cast<std::uint8_t>(in.Byte() % 2);
    stone.Kind = static_cast<std::uint8_t>(in.Byte() % kStoneKindCount);
    stone.Color = stone.Kind == skNormal ? kClassicPalette[0] : SpecialColor;
    ramp.RampStones().push_back(stone);
  }
}

void CheckCounters(const Game& game) {
  Field recounted = game.GetField();
  recounted.Recount();
  fuzz::Require(recounted.Counters() == game.Counters(), "the counters agree with the field");
}

void Play(Game& game, Ramp& ramp, Input& in) {
  const Field& field = game.GetField();
  for (int steps = 0; steps < 200 && !in.Empty(); ++steps) {
    switch (in.Byte() % 4) {
      case 0: ramp.DoDropStones(); break;
      case 1: ramp.DropTheStoneClick(in.Between(-2, ramp.RampWidth() + 2), in.Between(-2, ramp.RampHeight() + 2)); break;
      case 2: game.imgMainMouseUp(MouseButton::Left, in.Between(0, field.PixelWidth()), in.Between(0, field.PixelHeight())); break;
      default: ramp.DropRampStone(in.Byte() % 16 - 2); break;
    }
    CheckCounters(game);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  fuzz::QuietGame quiet;
  quiet.random.SetFixedSeed(static_cast<std::uint64_t>(in.Byte()));
  const GameSettings settings = RampSettings(in);
  quiet.game.NewField(settings, {settings.columnCount, settings.rowCount});
  EmptyColumnTops(quiet.game, in);
  SilentRamp rampHost;
  Ramp ramp(quiet.game, quiet.host, rampHost, quiet.random);
  PlaceRampStones(ramp, quiet.game.GetField(), in);
  Play(quiet.game, ramp, in);
  return 0;
}
