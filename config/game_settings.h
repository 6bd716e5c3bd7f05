#pragma once
// The one record of every configuration value, with the defaults a game can be
// played from before anything has been read from the store.

#include <array>
#include <cstdint>
#include <string>

namespace pebble {

using ColorValue = std::uint32_t;  // 0x00BBGGRR, red in the low byte

// A stone colour is 24-bit RGB: anything in the top byte could make it look
// like the mark of a special stone.
constexpr bool IsRgbColor(ColorValue color) { return (color & 0xFF000000u) == 0; }

constexpr int kMaxColors = 15;
using StoneColorTable = std::array<ColorValue, kMaxColors>;

// red, blue, green, orange, silver, olive, lime, teal, navy, maroon,
// yellow, fuchsia, purple, aqua, gray
constexpr StoneColorTable kClassicPalette = {
    0x0000FF, 0xFF0000, 0x008000, 0x0080FF, 0xC0C0C0, 0x008080, 0x00FF00, 0x808000,
    0x800000, 0x000080, 0x00FFFF, 0xFF00FF, 0x800080, 0xFFFF00, 0x808080};

enum class BackgroundMode : std::uint8_t { Standard = 0, PictureFile = 1, Folder = 2, Gray = 3 };

struct GameSettings {
  std::int32_t stoneHeight = 21;
  std::int32_t stoneWidth = 20;
  std::int32_t rowCount = 16;
  std::int32_t columnCount = 10;
  std::uint8_t colorCount = 5;
  StoneColorTable stoneColors = kClassicPalette;
  std::uint8_t backgroundMode = 0;
  bool fitToPicture = true;
  std::string backgroundPicture;
  std::string backgroundFolder;
  std::int32_t folderPictureIndex = 0;
  bool soundsOn = true;
  bool textured = true;
  bool voyeur = false;
  bool traceOutline = true;
  bool actionsOn = false;
  std::int32_t actionFrequency = 30;
  bool animationsOn = true;
  bool autoDrop = false;
  bool undoInfo = true;
  bool lowScore = true;
  std::int32_t playTime = 90;
  std::int32_t aniIntervalDelete = 50;
  std::int32_t aniIntervalMoveStone = 30;
  std::int32_t aniIntervalMoveRow = 50;
  std::int32_t aniIntervalDrop = 150;
  std::int32_t newStoneEvery = 7;
  std::int32_t dropInterval = 400;
  std::int32_t dropStoneOffset = 5;
  std::int32_t languageOffset = 0;
  bool newVersionStart = false;
  bool clearableDeals = false;  // new games only on deals the solver has cleared
  bool stoneSymbols = false;    // a shape on every stone, one per colour
  bool groupPreview = true;     // the group a click would take is lit, its points in the status bar

  bool operator==(const GameSettings&) const = default;
};

// Limits of what the game can hold and play. Values inside them are kept as the
// player set them, even outside the dialog's ranges.
constexpr std::int32_t kMaxFieldCells = 1000;     // rows or columns
constexpr std::int32_t kMaxStonePixels = 1000;    // stone width or height
constexpr std::int32_t kMaxFieldPixels = 30000;   // width or height of the paint box

// Replaces every value the game cannot play (no colours, a zero frequency or
// interval, a field of no or of unholdable size, an unknown background mode,
// a folder picture index that cannot be advanced)
// by its default; playable values stay as they are. Returns true when anything
// was replaced.
bool MakePlayable(GameSettings& settings);

}  // namespace pebble
