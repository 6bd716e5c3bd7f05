#include "control/field_speech.h"

#include <array>
#include <limits>

#include "config/game_settings.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "engine/game.h"
#include "render/color_vision.h"

namespace pebble {
namespace {

// The colours named by kFirstColorName + i, in that order: the classic
// palette's fifteen, then these: white, black, brown and pink.
constexpr std::array<ColorValue, 4> kMoreNamedColors = {0xFFFFFF, 0x000000, 0x2A2A80, 0xCBC0FF};
constexpr std::size_t kNamedColorCount = kClassicPalette.size() + kMoreNamedColors.size();

ColorValue NamedColor(std::size_t i) {
  return i < kClassicPalette.size() ? kClassicPalette[i] : kMoreNamedColors[i - kClassicPalette.size()];
}

std::string Number(std::int64_t n) { return std::to_string(n); }

int KindId(std::uint8_t kind) {
  switch (kind) {
    case skBomb: return kKindBomb;
    case skRocketRight:
    case skRocketDown:
    case skRocketLeft: return kKindRocket;
    default: return kKindRock;
  }
}

std::string Position(const Game& game, std::int32_t index, int languageOffset) {
  const CellPos at = game.GetField().CellPosition(index);
  return FormatText(kCellPosition, languageOffset, {Number(at.row), Number(at.column)});
}

std::string Counts(const Game& game, int languageOffset) {
  return FormatText(kScoreFigure, languageOffset, {Number(game.Score())}) + ", " +
         FormatText(kLeftFigure, languageOffset, {Number(game.Counters().StonesLeft)});
}

}  // namespace

std::string StoneColorName(ColorValue color, int languageOffset) {
  const Lab wanted = ToLab(ToRgb8(color));
  std::size_t nearest = 0;
  double best = std::numeric_limits<double>::max();
  for (std::size_t i = 0; i < kNamedColorCount; ++i) {
    const double distance = DeltaE76(wanted, ToLab(ToRgb8(NamedColor(i))));
    if (distance < best) {
      best = distance;
      nearest = i;
    }
  }
  return Text(kFirstColorName + static_cast<int>(nearest), languageOffset);
}

std::string MoveOutcome(const Game& game, std::int32_t stones, int languageOffset) {
  const bool one = stones == 1;
  const std::string count = Number(stones);
  if (game.Settings().lowScore) {
    const std::string left = Number(game.Counters().StonesLeft - stones);
    return one ? FormatText(kPreviewLeftOne, languageOffset, {left})
               : FormatText(kPreviewLeft, languageOffset, {count, left});
  }
  const std::string points = Number(MovePoints(stones));
  return one ? FormatText(kPreviewPointsOne, languageOffset, {points})
             : FormatText(kPreviewPoints, languageOffset, {count, points});
}

std::string CellWhat(const Game& game, std::int32_t index, int languageOffset) {
  const TStoneCell& cell = game.GetField()[index];
  if (!cell.Occupied) return Text(kEmptyCell, languageOffset);
  if (cell.Kind != skNormal) return Text(KindId(cell.Kind), languageOffset);
  return StoneColorName(cell.Color, languageOffset);
}

std::string CellSpeech(const Game& game, std::int32_t index, int languageOffset) {
  const Field& field = game.GetField();
  if (!field.Contains(index)) return FieldSpeech(game, languageOffset);
  const TStoneCell& cell = field[index];
  std::string speech = CellWhat(game, index, languageOffset);
  const std::size_t taken = game.MoveCells(index).size();
  if (taken > 0) {
    speech += ", " + MoveOutcome(game, static_cast<std::int32_t>(taken), languageOffset);
  } else if (cell.Occupied && cell.Kind == skNormal && game.GroupSize(index) < 2) {
    speech += ", " + Text(kLoneStone, languageOffset);
  }
  return speech + ", " + Position(game, index, languageOffset);
}

std::string MoveSpeech(const Game& game, const std::string& what, std::int32_t stones, int languageOffset) {
  const std::string removed = stones == 1 ? FormatText(kRemovedOneStone, languageOffset, {what})
                                          : FormatText(kRemovedStones, languageOffset, {what, Number(stones)});
  return removed + ", " + Counts(game, languageOffset);
}

std::string FieldSpeech(const Game& game, int languageOffset) {
  return Text(kFieldName, languageOffset) + ", " + Counts(game, languageOffset);
}

}  // namespace pebble
