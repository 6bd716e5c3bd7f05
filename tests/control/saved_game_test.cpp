#include "control/saved_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>

#include "config/command_line.h"
#include "config/string_ids.h"
#include "control/cp1252.h"
#include "control/saved_game_date.h"
#include "control/saved_game_file.h"
#include "control/saved_game_fixture.h"

namespace pebble {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::FileBytes;
using test::PutFile;
using test::ScratchFolder;

// --- a saved game written byte by byte from the file layout -----------------

class HandWriter {
 public:
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void U8(std::uint8_t v) { bytes.push_back(v); }
  void Pad(int n) { bytes.insert(bytes.end(), n, 0xAB); }  // padding means nothing
  void F64(double v) {
    const auto raw = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(raw >> (8 * i)));
  }
  void Text(std::string_view text) {
    I32(static_cast<std::int32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
  }
  Bytes bytes;
};

constexpr std::int32_t kColumns = 10;
constexpr std::int32_t kRows = 16;
constexpr double kSavedAt = 45000.75;  // 15 March 2023, 18:00

// Offsets in a game block whose computer name has 8 characters.
constexpr std::size_t kNameLength = 24, kDate = 36, kStoneHeight = 44, kStoneWidth = 48, kColumnsAt = 52,
                      kRowsAt = 56, kColours = 60, kPlayTime = 65, kStonesLeft = 71, kMovable = 75,
                      kCellTotal = 83, kFirstCell = 87;

// The stone of a cell in the hand-made deal: a bomb, a rock, and colours.
std::uint8_t KindOf(int index) { return index == 7 ? skBomb : index == 42 ? skRock : skNormal; }
ColorValue ColorOf(int index) { return KindOf(index) != skNormal ? SpecialColor : kClassicPalette[index % 5]; }

void HandCell(HandWriter& w, int index, int columns, int rows) {
  const int column = index % columns, row = index / columns;
  w.I32(index);
  w.I32(column * 20);
  w.I32(row * 21);
  w.U8(KindOf(index));
  w.Pad(3);
  w.U32(ColorOf(index));
  w.U8(index == 0 ? 0 : 1);  // the top-left cell is empty
  w.Pad(3);
  w.I32(row > 0 ? index - columns : -1);
  w.I32(column > 0 ? index - 1 : -1);
  w.I32(column < columns - 1 ? index + 1 : -1);
  w.I32(row < rows - 1 ? index + columns : -1);
  w.U8(2);
  w.Pad(3);
}

Bytes HandMadeGameFile(std::string_view magic = kSavedGameMagic, int columns = kColumns, int rows = kRows) {
  HandWriter w;
  w.Text(magic);
  w.Text("PEBBLE-8");
  w.F64(kSavedAt);
  w.I32(21);  // stone height
  w.I32(20);  // stone width
  w.I32(columns);
  w.I32(rows);
  w.I32(7);   // colours
  w.U8(1);    // auto drop
  w.I32(120);  // play time
  w.U8(1);    // actions
  w.U8(0);    // low score off: the game counts points
  w.I32(columns * rows - 1);  // stones left
  w.I32(std::min(100, columns * rows));  // movable stones
  w.I32(1);                   // active specials
  w.I32(columns * rows);
  for (int i = 0; i < columns * rows; ++i) HandCell(w, i, columns, rows);
  return w.bytes;
}

// The hand-made deal as the reader gives it. Should the reader refuse it, the
// test that asked fails here, alone, instead of working on an empty deal.
SavedGame SmallDeal(int columns = 4, int rows = 3) {
  const ParsedSavedGame parsed = ParseGameBlock(HandMadeGameFile(kSavedGameMagic, columns, rows));
  if (parsed.status != SavedGameStatus::Ok) {
    throw std::runtime_error("the reader refused the hand-made " + std::to_string(columns) + " x " +
                             std::to_string(rows) + " deal");
  }
  return parsed.game;
}

// --- reading and writing the game block --------------------------------------

TEST(SavedGame, HandMadeFileOpensWithItsFieldAndSettings) {
  const Bytes bytes = HandMadeGameFile();
  ASSERT_EQ(bytes.size(), 79u + 8 + 44 * 160);

  const ParsedSavedGame parsed = ParseGameBlock(bytes);
  ASSERT_EQ(parsed.status, SavedGameStatus::Ok);
  EXPECT_EQ(parsed.playerHistoryOffset, 7127u);
  const SavedGame& game = parsed.game;
  EXPECT_EQ(GameHeaderOf(game), (TReportInfo{"", kSavedAt, "PEBBLE-8", "", 0}));
  EXPECT_EQ(game.settings, (SavedGameSettings{21, 20, 10, 16, 7, true, 120, true, false}));
  EXPECT_EQ(game.stonesLeft, 159);
  EXPECT_EQ(game.movableStones, 100);
  EXPECT_EQ(game.activeSpecials, 1);
  ASSERT_EQ(game.cells.size(), 160u);
  const TStoneCell& bomb = game.cells[7];
  EXPECT_EQ(bomb.Index, 7);
  EXPECT_EQ(bomb.Left, 140);
  EXPECT_EQ(bomb.Kind, skBomb);
  EXPECT_EQ(bomb.Color, SpecialColor);
  EXPECT_EQ(game.cells[0].Occupied, 0);
  EXPECT_EQ(game.cells[159].Top, 15 * 21);
  EXPECT_EQ(game.cells[159].Neighbours, (std::array<std::int32_t, 4>{149, 158, -1, -1}));

  // The file's settings win for the opened game; the rest stays.
  GameSettings settings;
  settings.soundsOn = false;
  ApplySavedSettings(game.settings, settings);
  EXPECT_EQ(settings.columnCount, 10);
  EXPECT_EQ(settings.rowCount, 16);
  EXPECT_EQ(settings.colorCount, 7);
  EXPECT_TRUE(settings.autoDrop);
  EXPECT_EQ(settings.playTime, 120);
  EXPECT_TRUE(settings.actionsOn);
  EXPECT_FALSE(settings.lowScore);
  EXPECT_FALSE(settings.fitToPicture);
  EXPECT_FALSE(settings.soundsOn);
}

TEST(SavedGame, WriterRepeatsTheHandMadeBytes) {
  Bytes expected = HandMadeGameFile();
  const SavedGame game = ParseGameBlock(expected).game;
  // Padding is written as zeros.
  for (std::size_t cell = 0; cell < 160; ++cell) {
    for (const std::size_t pad : {13, 14, 15, 21, 22, 23, 41, 42, 43}) expected[kFirstCell + 44 * cell + pad] = 0;
  }
  EXPECT_EQ(GameBlockBytes(game), expected);
  EXPECT_EQ(SavedSettingsOf(GameSettings{}, 12, 9), (SavedGameSettings{21, 20, 12, 9, 5, false, 90, false, true}));
}

TEST(SavedGame, FileSizesWithAndWithoutAHistoryEntry) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  const SaveOutcome saved = WriteGameFile(file, ParseGameBlock(HandMadeGameFile()).game);
  ASSERT_TRUE(saved.saved);
  EXPECT_EQ(saved.playerHistoryOffset, 7127u);
  EXPECT_EQ(fs::file_size(file), 7127u);

  ASSERT_EQ(AppendPlayerHistoryEntry(file, {"Ann", 45001.5, "PEBBLE-8", "", 37}), AppendOutcome::Appended);
  EXPECT_EQ(fs::file_size(file), 7127u + (4 + 3) + (4 + 8) + 8 + 4 + (4 + 0));
  EXPECT_EQ(fs::file_size(file), 7162u);
}

TEST(SavedGame, MagicIsComparedCaseSensitively) {
  EXPECT_EQ(ParseGameBlock(HandMadeGameFile()).status, SavedGameStatus::Ok);
  for (const char* magic : {"pebbledrome_saved_40", "PEBBLEDROME_SAVED_40", "Pebbledrome_Saved_41", "Pebbledrome_Saved_4"}) {
    SCOPED_TRACE(magic);
    const ParsedSavedGame parsed = ParseGameBlock(HandMadeGameFile(magic));
    EXPECT_EQ(parsed.status, SavedGameStatus::NotAGameFile);
    EXPECT_EQ(ReadFailureStringId(parsed.status), 108);
  }
  EXPECT_EQ(ReadFailureStringId(SavedGameStatus::Unreadable), 109);
}

// A first string that cannot be read is a damaged file; only a string that
// reads whole and differs from the magic is another kind of file.
TEST(SavedGame, FirstStringUnreadableIsAReadErrorReadableButOtherIsNoGameFile) {
  struct Case {
    const char* what;
    Bytes bytes;
    int message;
  };
  const auto counted = [](std::int32_t length, std::size_t textBytes) {
    HandWriter w;
    w.I32(length);
    w.bytes.insert(w.bytes.end(), textBytes, 'x');
    return w.bytes;
  };
  const Case cases[] = {
      {"empty file", {}, kReadFailed},
      {"length cut short", {20, 0, 0}, kReadFailed},
      {"negative length", counted(-1, 30), kReadFailed},
      {"length beyond what a reader takes", counted(1001, 1001), kReadFailed},
      {"magic length, text cut short", counted(20, 10), kReadFailed},
      {"an empty string", counted(0, 0), kNotAGameFile},
      {"another file's first string", counted(4, 4), kNotAGameFile},
      {"the longest string a reader takes", counted(1000, 1000), kNotAGameFile},
      {"the magic cut to 19 letters", HandMadeGameFile(kSavedGameMagic.substr(0, 19)), kNotAGameFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadFailureStringId(ParseGameBlock(c.bytes).status), c.message);
  }
}

// --- damaged files -----------------------------------------------------------

void PutI32(Bytes& b, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
void PutF64(Bytes& b, std::size_t at, double v) {
  const auto raw = std::bit_cast<std::uint64_t>(v);
  for (int i = 0; i < 8; ++i) b[at + i] = static_cast<std::uint8_t>(raw >> (8 * i));
}
std::function<void(Bytes&)> SetI32(std::size_t at, std::int32_t v) {
  return [=](Bytes& b) { PutI32(b, at, v); };
}
std::size_t CellField(int cell, std::size_t offset) { return kFirstCell + 44 * cell + offset; }

struct DamagedFile {
  const char* what;
  std::function<void(Bytes&)> damage;
  SavedGameStatus status = SavedGameStatus::Unreadable;
};

const std::vector<DamagedFile> kDamagedFiles = {
    {"empty file", [](Bytes& b) { b.clear(); }},
    {"magic length huge", SetI32(0, 0x7FFFFFFF)},
    {"magic length negative", SetI32(0, -20)},
    {"computer name length negative", SetI32(kNameLength, -1)},
    {"computer name longer than 1000", SetI32(kNameLength, 1001)},
    {"computer name longer than the file", SetI32(kNameLength, 1000)},
    {"computer name length huge", SetI32(kNameLength, 0x7FFFFFFF)},
    {"date not a number", [](Bytes& b) { PutF64(b, kDate, std::nan("")); }},
    {"date infinite", [](Bytes& b) { PutF64(b, kDate, std::numeric_limits<double>::infinity()); }},
    {"date beyond the year 9999", [](Bytes& b) { PutF64(b, kDate, 1e300); }},
    {"stone height 0", SetI32(kStoneHeight, 0)},
    {"stone width negative", SetI32(kStoneWidth, -20)},
    {"stone width too wide for a window", SetI32(kStoneWidth, 5000)},
    {"columns 0", SetI32(kColumnsAt, 0)},
    {"columns differ from the cell total", SetI32(kColumnsAt, 11)},
    {"rows huge, cells claimed to match",
     [](Bytes& b) { PutI32(b, kRowsAt, 0x40000000); PutI32(b, kCellTotal, 0x7FFFFFF0); }},
    {"rows and columns whose product overflows",
     [](Bytes& b) { PutI32(b, kColumnsAt, 65536); PutI32(b, kRowsAt, 65536); PutI32(b, kCellTotal, 0); }},
    {"no colours", SetI32(kColours, 0)},
    {"16 colours", SetI32(kColours, 16)},
    {"play time 0", SetI32(kPlayTime, 0)},
    {"play time negative", SetI32(kPlayTime, -90)},
    {"stones left negative", SetI32(kStonesLeft, -1)},
    {"more movable stones than cells", SetI32(kMovable, 161)},
    {"cell total one short", SetI32(kCellTotal, 159)},
    {"cell total negative", SetI32(kCellTotal, -160)},
    {"cell total huge", SetI32(kCellTotal, 0x7FFFFFFF)},
    {"last cell cut short", [](Bytes& b) { b.resize(b.size() - 1); }},
    {"cell index out of order", SetI32(CellField(5, 0), 6)},
    {"cell index negative", SetI32(CellField(0, 0), -1)},
    {"kind 6", [](Bytes& b) { b[CellField(3, 12)] = 6; }},
    {"kind 255", [](Bytes& b) { b[CellField(3, 12)] = 255; }},
    {"bomb without the special colour", SetI32(CellField(7, 16), 0x0000FF)},
    {"normal stone in the special colour", SetI32(CellField(8, 16), static_cast<std::int32_t>(SpecialColor))},
    {"stone colour with its top byte set", SetI32(CellField(8, 16), static_cast<std::int32_t>(0xFF0000FFu))},
    {"stone colour of more than 24 bits", SetI32(CellField(9, 16), 0x01000000)},
    {"empty cell's colour with its top byte set", SetI32(CellField(0, 16), static_cast<std::int32_t>(0x80FFFFFFu))},
    {"cell left far outside the field", SetI32(CellField(3, 4), 0x7FFFFFF0)},
    {"cell left one pixel off", SetI32(CellField(13, 4), 3 * 20 + 1)},
    {"cell left of another column", SetI32(CellField(13, 4), 4 * 20)},
    {"cell top negative", SetI32(CellField(0, 8), -21)},
    {"cell top of another row", SetI32(CellField(159, 8), 14 * 21)},
    {"stone width other than the cells were laid out for", SetI32(kStoneWidth, 21)},
    {"stone height other than the cells were laid out for", SetI32(kStoneHeight, 20)},
};

TEST(SavedGame, DamagedFilesAreRefused) {
  for (const DamagedFile& c : kDamagedFiles) {
    SCOPED_TRACE(c.what);
    Bytes bytes = HandMadeGameFile();
    c.damage(bytes);
    const ParsedSavedGame parsed = ParseGameBlock(bytes);
    EXPECT_EQ(parsed.status, c.status);
    EXPECT_TRUE(parsed.game.cells.empty());
  }
}

TEST(SavedGame, FileCutAtAnyOffsetIsRefused) {
  const Bytes whole = HandMadeGameFile(kSavedGameMagic, 3, 2);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(ParseGameBlock(cut).status, SavedGameStatus::Unreadable) << "cut at " << size;
  }
}

TEST(SavedGame, FlagsAreTrueWhenNotZero) {
  Bytes bytes = HandMadeGameFile();
  bytes[kFirstCell + 44 * 3 + 20] = 7;  // occupied
  bytes[kPlayTime - 1] = 2;             // auto drop
  const SavedGame game = ParseGameBlock(bytes).game;
  EXPECT_EQ(game.cells[3].Occupied, 1);
  EXPECT_TRUE(game.settings.autoDrop);
}

// Random damage to a valid file with a history: the reader must never crash,
// read outside its buffer or accept a game it cannot play. Run under
// -fsanitize=address to catch out-of-bounds reads.
TEST(SavedGame, RandomlyDamagedFilesNeverCrashTheReader) {
  Bytes valid = SavedGameBytes(SmallDeal(5, 4), {{"Ann", 45001.5, "PC", "ann@example.org", 3}, {"Bo", 45002, "PC", "", 0}});
  std::mt19937 random(20240611);
  int accepted = 0;
  for (int round = 0; round < 4000; ++round) {
    Bytes bytes = valid;
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % bytes.size();
      switch (random() % 4) {
        case 0: bytes[at] = static_cast<std::uint8_t>(random()); break;
        case 1: bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
        case 2: bytes.resize(at + 1); break;
        default: bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(random()));
      }
    }
    const ParsedSavedGame parsed = ParseGameBlock(bytes);
    if (parsed.status != SavedGameStatus::Ok) continue;
    ++accepted;
    ASSERT_TRUE(IsPlayableSavedGame(parsed.game)) << "round " << round;
    ASSERT_LE(parsed.playerHistoryOffset, bytes.size());
    ParsePlayerHistory(bytes, parsed.playerHistoryOffset);
  }
  EXPECT_GT(accepted, 0);  // the damage also reaches the history
}

// --- texts ---------------------------------------------------------------------

TEST(SavedGame, TextsRoundTripThroughWindows1252) {
  const ScratchFolder folder;
  const fs::path file = folder / "umlaut.clk";
  SavedGame game = SmallDeal();
  game.computerName = "Jürgens-Büro";
  ASSERT_TRUE(WriteGameFile(file, game).saved);
  const TReportInfo entry{"Zoë Ångström", 45010.25, "Jürgens-Büro", "françois@exämple.fr", 12};
  ASSERT_EQ(AppendPlayerHistoryEntry(file, entry), AppendOutcome::Appended);

  const Bytes bytes = FileBytes(file);
  const std::string name(reinterpret_cast<const char*>(bytes.data()) + 28, 12);
  EXPECT_EQ(name, "J\xFCrgens-B\xFCro");  // one byte per character on disk
  const ParsedSavedGame read = ReadGameFile(file);
  ASSERT_EQ(read.status, SavedGameStatus::Ok);
  EXPECT_EQ(read.game.computerName, "Jürgens-Büro");
  const ParsedPlayerHistory history = ReadPlayerHistory(file, read.playerHistoryOffset);
  ASSERT_TRUE(history.ok);
  EXPECT_EQ(history.entries, std::vector<TReportInfo>{entry});
}

TEST(SavedGame, Windows1252Conversion) {
  std::string everyByte;
  for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(everyByte)), everyByte);
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9F\xE9"), "€Ÿé");
  EXPECT_EQ(Utf8ToCp1252("日本 ok €"), "?? ok \x80");            // no Windows-1252 form
  EXPECT_EQ(Utf8ToCp1252("a\xC3" "b\xFF\xE2\x82"), "a?b???");  // one "?" per broken byte
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "?");                     // overlong form of "/"
  EXPECT_EQ(Utf8ToCp1252("😀"), "?");
}

TEST(SavedGame, LongTextsAreCutOnWritingAndRefusedOnReading) {
  SavedGame game = SmallDeal();
  game.computerName = "A-VERY-LONG-COMPUTER-NAME";
  EXPECT_EQ(ParseGameBlock(GameBlockBytes(game)).game.computerName, "A-VERY-LONG-COM");

  const TReportInfo longEntry{std::string(300, 'n'), 45000, "PC", std::string(260, 'a'), 1};
  const Bytes entry = PlayerHistoryEntryBytes(longEntry);
  const ParsedPlayerHistory cut = ParsePlayerHistory(entry, 0);
  ASSERT_TRUE(cut.ok);
  EXPECT_EQ(cut.entries[0].Name, std::string(250, 'n'));
  EXPECT_EQ(cut.entries[0].Address, std::string(250, 'a'));

  HandWriter w;
  w.Text(std::string(1000, 'x'));  // the longest text a reader takes
  w.Text("PC");
  w.F64(45000);
  w.I32(5);
  w.Text("");
  EXPECT_TRUE(ParsePlayerHistory(w.bytes, 0).ok);
  PutI32(w.bytes, 0, 1001);
  EXPECT_FALSE(ParsePlayerHistory(w.bytes, 0).ok);
}

// A history cut anywhere is what a crash in the middle of an append leaves:
// every whole entry before the cut stays. Damage inside an entry is refused.
TEST(SavedGame, CutHistoryKeepsItsWholeEntriesAndDamagedHistoryIsRefused) {
  const Bytes good = SavedGameBytes(SmallDeal(), {{"Ann", 45001.5, "PC", "", 3}, {"Bo", 45002, "PC", "", 0}});
  const std::size_t offset = ParseGameBlock(good).playerHistoryOffset;
  ASSERT_EQ(ParsePlayerHistory(good, offset).entries.size(), 2u);
  EXPECT_EQ(ParsePlayerHistory(good, offset).wholeEntriesEnd, good.size());
  EXPECT_TRUE(ParsePlayerHistory(good, good.size()).ok);  // no entries
  const std::size_t endOfFirst = offset + (4 + 3) + (4 + 2) + 8 + 4 + 4;
  for (std::size_t size = offset; size < good.size(); ++size) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    const ParsedPlayerHistory history = ParsePlayerHistory(cut, offset);
    ASSERT_TRUE(history.ok) << "cut at " << size;
    EXPECT_EQ(history.entries.size(), size >= endOfFirst ? 1u : 0u) << "cut at " << size;
    EXPECT_EQ(history.wholeEntriesEnd, size >= endOfFirst ? endOfFirst : offset) << "cut at " << size;
  }
  EXPECT_FALSE(ParsePlayerHistory(good, good.size() + 1).ok);

  const std::size_t secondDate = endOfFirst + (4 + 2) + (4 + 2);
  const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> damages = {
      {"negative name length", SetI32(offset, -3)},
      {"name longer than a reader takes", SetI32(offset, 1001)},
      {"second entry dated beyond the year 9999", [&](Bytes& b) { PutF64(b, secondDate, 1e300); }},
      {"second entry's address length negative", SetI32(good.size() - 4, -1)},
  };
  for (const auto& [what, damage] : damages) {
    Bytes bytes = good;
    damage(bytes);
    EXPECT_FALSE(ParsePlayerHistory(bytes, offset).ok) << what;
    EXPECT_TRUE(ParsePlayerHistory(bytes, offset).entries.empty()) << what;
  }
}

// --- files ---------------------------------------------------------------------

TEST(SavedGameFile, AppendingEntriesGrowsTheHistoryInOrder) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  const SaveOutcome saved = WriteGameFile(file, SmallDeal());
  ASSERT_TRUE(saved.saved);
  EXPECT_TRUE(ReadPlayerHistory(file, saved.playerHistoryOffset).entries.empty());

  const std::vector<TReportInfo> entries = {{"Ann", 45001.5, "PC-1", "ann@example.org", 3},
                                            {"Bo", 45002.25, "PC-2", "", 0}};
  for (const TReportInfo& entry : entries) ASSERT_EQ(AppendPlayerHistoryEntry(file, entry), AppendOutcome::Appended);
  const ParsedPlayerHistory history = ReadPlayerHistory(file, saved.playerHistoryOffset);
  ASSERT_TRUE(history.ok);
  EXPECT_EQ(history.entries, entries);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"deal.clk"});  // nothing left beside it
}

// A count-down game the settings let the player play can be saved and opened
// again, however long its clock; a length the settings would replace is
// refused on saving and on reading alike.
TEST(SavedGameFile, EveryPlayablePlayTimeSavesAndReopens) {
  const ScratchFolder folder;
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
  for (const std::int32_t playTime : {kLowest, -90, 0, 1, 90, 86400, 86401, 1000000, kHighest}) {
    SCOPED_TRACE(playTime);
    const bool playable = playTime >= 1;
    GameSettings settings;
    settings.playTime = playTime;
    ASSERT_EQ(MakePlayable(settings), !playable);

    SavedGame game = SmallDeal();
    game.settings.playTime = playTime;
    const fs::path file = folder / (std::to_string(playTime) + ".clk").c_str();
    ASSERT_EQ(WriteGameFile(file, game).saved, playable);
    if (playable) {
      const ParsedSavedGame reopened = ReadGameFile(file);
      ASSERT_EQ(reopened.status, SavedGameStatus::Ok);
      EXPECT_EQ(reopened.game, game);
      GameSettings opened;
      ApplySavedSettings(reopened.game.settings, opened);
      EXPECT_EQ(opened.playTime, playTime);
    }
    Bytes written = HandMadeGameFile();
    PutI32(written, kPlayTime, playTime);
    EXPECT_EQ(ParseGameBlock(written).status, playable ? SavedGameStatus::Ok : SavedGameStatus::Unreadable);
  }
}

TEST(SavedGameFile, AppendingNeedsAnExistingSavedGame) {
  const ScratchFolder folder;
  const TReportInfo entry{"Ann", 45001.5, "PC", "", 3};
  EXPECT_EQ(AppendPlayerHistoryEntry(folder / "gone.clk", entry), AppendOutcome::NoFile);
  EXPECT_FALSE(fs::exists(folder / "gone.clk"));

  const Bytes letter = {'D', 'e', 'a', 'r', ' ', 'A', 'n', 'n'};
  PutFile(folder / "letter.clk", letter);
  EXPECT_EQ(AppendPlayerHistoryEntry(folder / "letter.clk", entry), AppendOutcome::Failed);
  EXPECT_EQ(FileBytes(folder / "letter.clk"), letter);
}

TEST(SavedGameFile, MissingOrUnreadableFiles) {
  const ScratchFolder folder;
  EXPECT_EQ(ReadGameFile(folder / "gone.clk").status, SavedGameStatus::Unreadable);
  fs::create_directory(folder / "folder.clk");
  EXPECT_EQ(ReadGameFile(folder / "folder.clk").status, SavedGameStatus::Unreadable);
  // No history yet: nothing to show, but no failure either.
  EXPECT_TRUE(ReadPlayerHistory(folder / "gone.clk", 7127).ok);
  PutFile(folder / "deal.clk", HandMadeGameFile());
  EXPECT_TRUE(ReadPlayerHistory(folder / "deal.clk", 0).ok);
  EXPECT_FALSE(ReadPlayerHistory(folder / "deal.clk", 8000).ok);
}

// A save replaces the whole file: the history stays only for the same deal,
// and no bytes of a longer old file linger behind the new game block.
TEST(SavedGameFile, SavingKeepsTheHistoryOnlyForTheSameDeal) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  const SavedGame big = SmallDeal(8, 6);
  ASSERT_TRUE(WriteGameFile(file, big).saved);
  const TReportInfo entry{"Ann", 45001.5, "PC", "", 3};
  ASSERT_EQ(AppendPlayerHistoryEntry(file, entry), AppendOutcome::Appended);

  SavedGame again = big;  // the same deal, saved elsewhere, later, in bigger stones
  again.computerName = "OTHER-PC";
  again.savedAt += 3;
  again.settings.stoneWidth = 30;
  for (TStoneCell& cell : again.cells) cell.Left = cell.Index % 8 * 30;  // the cells lie where the stones are
  const SaveOutcome kept = WriteGameFile(file, again);
  ASSERT_TRUE(kept.saved && kept.historyKept);
  EXPECT_EQ(ReadGameFile(file).game, again);
  EXPECT_EQ(ReadPlayerHistory(file, kept.playerHistoryOffset).entries, std::vector<TReportInfo>{entry});

  const SavedGame small = SmallDeal(4, 3);
  const SaveOutcome fresh = WriteGameFile(file, small);
  ASSERT_TRUE(fresh.saved);
  EXPECT_FALSE(fresh.historyKept);
  EXPECT_EQ(FileBytes(file), GameBlockBytes(small));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"deal.clk"});

  PutFile(file, {'n', 'o', 't', 'e', 's'});  // not a saved game: simply replaced
  ASSERT_TRUE(WriteGameFile(file, small).saved);
  EXPECT_EQ(FileBytes(file), GameBlockBytes(small));
}

TEST(SavedGameFile, FailedSaveLeavesTheOldFile) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  ASSERT_TRUE(WriteGameFile(file, SmallDeal()).saved);
  ASSERT_EQ(AppendPlayerHistoryEntry(file, {"Ann", 45001.5, "PC", "", 3}), AppendOutcome::Appended);
  const Bytes before = FileBytes(file);

  SavedGame unplayable = SmallDeal();
  unplayable.cells.pop_back();
  EXPECT_FALSE(WriteGameFile(file, unplayable).saved);
  EXPECT_EQ(FileBytes(file), before);

  // A folder in the way: the rename fails and the new bytes are cleaned away.
  fs::create_directories(folder / "taken.clk" / "inside");
  EXPECT_FALSE(WriteGameFile(folder / "taken.clk", SmallDeal()).saved);
  EXPECT_EQ(folder.Names().size(), 2u);
}

struct DealChange {
  const char* what;
  std::function<void(SavedGame&)> change;
  bool sameDeal;
};

TEST(SavedGame, SameDealMeansSameRulesAndStones) {
  const std::vector<DealChange> changes = {
      {"saved elsewhere and later", [](SavedGame& g) { g.computerName = "X"; g.savedAt = 1; }, true},
      {"other stone size", [](SavedGame& g) { g.settings.stoneHeight = 30; g.settings.stoneWidth = 9; }, true},
      {"other stored counters", [](SavedGame& g) { g.movableStones = 0; }, true},
      {"one colour differs", [](SavedGame& g) { g.cells[5].Color = 0x123456; }, false},
      {"one cell empty", [](SavedGame& g) { g.cells[5].Occupied = 0; }, false},
      {"other count mode", [](SavedGame& g) { g.settings.lowScore = !g.settings.lowScore; }, false},
      {"other play time", [](SavedGame& g) { g.settings.playTime = 60; }, false},
      {"other shape", [](SavedGame& g) { std::swap(g.settings.columnCount, g.settings.rowCount); }, false},
  };
  const SavedGame deal = SmallDeal();
  for (const DealChange& c : changes) {
    SCOPED_TRACE(c.what);
    SavedGame other = deal;
    c.change(other);
    EXPECT_EQ(SameDeal(deal, other), c.sameDeal);
  }
}

TEST(SavedGame, DatesCountDaysSince30December1899LocalTime) {
  const auto local = [](int year, int month, int day, int hour) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t));
  };
  EXPECT_DOUBLE_EQ(DaysSince1899(local(2000, 1, 1, 12)), 36526.5);
  EXPECT_DOUBLE_EQ(DaysSince1899(local(1970, 1, 2, 6)), 25570.25);
  EXPECT_DOUBLE_EQ(DaysSince1899(local(2023, 3, 15, 18)), kSavedAt);
}

// Saved games are named by the paths the player's system gives them: letters
// beyond ASCII everywhere, and on Windows drive letters and backslashes (the
// game hands the file name over as UTF-8 text).
TEST(SavedGameFile, PathsAsThePlayersSystemWritesThem) {
  const ScratchFolder folder;
  const auto u8 = (folder / "").u8string();
  const std::string base(u8.begin(), u8.end());
  std::vector<std::string> names = {base + "Spielst\u00e4nde/Zo\u00eb \u2013 Partie \u00e0 deux.clk"};
#ifdef _WIN32
  std::string backslashed = base + "Spielst\u00e4nde\\Ren\u00e9e\\\u00dcbung.clk";
  std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
  ASSERT_TRUE(backslashed.size() > 3 && backslashed[1] == ':' && backslashed[2] == '\\') << backslashed;
  names.push_back(backslashed);
#endif
  const TReportInfo entry{"Zo\u00eb", 45001.5, "PC-\u00c4", "", 3};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const fs::path file = PathFromUtf8(name);
    fs::create_directories(file.parent_path());
    const SaveOutcome saved = WriteGameFile(file, SmallDeal());
    ASSERT_TRUE(saved.saved);
    ASSERT_EQ(AppendPlayerHistoryEntry(file, entry), AppendOutcome::Appended);

    const ParsedSavedGame opened = ReadGameFile(file);
    ASSERT_EQ(opened.status, SavedGameStatus::Ok);
    EXPECT_EQ(opened.game, SmallDeal());
    EXPECT_EQ(ReadPlayerHistory(file, opened.playerHistoryOffset).entries, std::vector<TReportInfo>{entry});
    bool listed = false;  // the folder shows the name as it was given
    for (const auto& found : fs::directory_iterator(file.parent_path()))
      listed = listed || found.path().filename() == file.filename();
    EXPECT_TRUE(listed);
  }
}

}  // namespace
}  // namespace pebble
