#pragma once
// Where every setting lives in the store, and how the settings record is filled
// from it and written back. The names are the store's own, German, exactly as
// older versions wrote them, so existing settings keep working.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/game_settings.h"
#include "config/settings_store.h"

namespace pebble {

// Layout version of the stored settings; any other stored number starts the
// first-run actions once.
constexpr std::int32_t kSettingsVersion = 41;

// --- sections ---
constexpr std::string_view kRootSection = "";
constexpr std::string_view kConfigSection = "Konfiguration";
constexpr std::string_view kColorSection = "User-Farben";

// --- values of the root key ---
constexpr std::string_view kValueVersion = "Version";
constexpr std::string_view kValueMainLeft = "Pos Links";
constexpr std::string_view kValueMainTop = "Pos Top";
constexpr std::string_view kValueLanguage = "Sprache";
constexpr std::string_view kValueShowReport = "Report zeigen";  // boolean, default true
constexpr std::string_view kValuePlayerName = "Name";
constexpr std::string_view kValuePlayerAddress = "Adresse";
// string: the folder of the game file last saved or opened, where the file dialogs start
constexpr std::string_view kValueLastFolder = "Letzter Ordner";
// The field's scale in percent (the zoom keys), default 100.
constexpr std::string_view kValueZoom = "Zoom";

// --- values of Konfiguration ---
constexpr std::string_view kValueStoneHeight = "Stein Höhe";
constexpr std::string_view kValueStoneWidth = "Stein Breite";
constexpr std::string_view kValueRowCount = "Anzahl Zeilen";
constexpr std::string_view kValueColumnCount = "Anzahl Spalten";
constexpr std::string_view kValueColorCount = "Farben";
constexpr std::string_view kValueBackgroundMode = "Hintergrund-Modus";
constexpr std::string_view kValueFitToPicture = "Fenster anpassen";
constexpr std::string_view kValueBackgroundPicture = "Hintergrund-Bildchen";
constexpr std::string_view kValueBackgroundFolder = "Hintergrund-Verzeichnis";
constexpr std::string_view kValueFolderPictureIndex = "JPEG-Position";
constexpr std::string_view kValueSoundsOn = "Klänge";
constexpr std::string_view kValueTextured = "Texturiert";
constexpr std::string_view kValueVoyeur = "Voyeur";
constexpr std::string_view kValueTraceOutline = "Rahmen zeichnen";
constexpr std::string_view kValueActionsOn = "Actions";
constexpr std::string_view kValueActionFrequency = "Action-Häufigkeit";
constexpr std::string_view kValueAnimationsOn = "Animationen";
constexpr std::string_view kValueAutoDrop = "Auto-Drop";
constexpr std::string_view kValueUndoInfo = "Undo-Infos";
constexpr std::string_view kValueLowScore = "Low-Score";
constexpr std::string_view kValuePlayTime = "Spielzeit";
constexpr std::string_view kValueAniIntervalDelete = "Ani-Interval Delete";
constexpr std::string_view kValueAniIntervalMoveStone = "Ani-Interval MoveStone";
constexpr std::string_view kValueAniIntervalMoveRow = "Ani-Interval MoveRow";
constexpr std::string_view kValueAniIntervalDrop = "Ani-Interval Drop";
constexpr std::string_view kValueNewStoneEvery = "Neuer Stein alle";
constexpr std::string_view kValueDropInterval = "Interval Drop";
constexpr std::string_view kValueDropStoneOffset = "DropStone Offset";
constexpr std::string_view kValueClearableDeals = "Nur lösbare Spiele";  // boolean, default false
constexpr std::string_view kValueStoneSymbols = "Symbole";  // boolean, default false
constexpr std::string_view kValueGroupPreview = "Gruppe zeigen";  // boolean, default true
constexpr std::string_view kValueShowPlayers = "Spieler zeigen";  // boolean, default true

// "Farbe0" ... "Farbe14" of User-Farben.
std::string ColorValueName(int index);

struct SettingsLoad {
  // `Sprache` as stored, for the language choice; empty when none is stored.
  std::optional<std::int32_t> storedLanguage;
  // Some stored value could not be played and fell back to its default.
  bool repaired = false;
};

// Fills every stored field of settings (all but languageOffset) from the store,
// each missing value with its default, and sets newVersionStart (writing the
// current version when it differed). Values the game can play are used as
// stored; values it cannot play take their defaults. Throws
// SettingsStoreError only when the version cannot be written.
SettingsLoad LoadSettings(SettingsStore& store, GameSettings& settings);

// What the configuration dialog's Save writes, as one change.
void SaveConfiguration(SettingsStore& store, const GameSettings& settings);
// All fifteen stone colours, as one change; removing them returns to the
// classic palette.
void SaveStoneColors(SettingsStore& store, const StoneColorTable& colors);
bool RemoveStoneColors(SettingsStore& store);
void SaveFolderPictureIndex(SettingsStore& store, std::int32_t index);

// What the running game takes over at once when the configuration dialog saves
// `saved` in place of `current`, and whether that needs a new game. The stone
// size, the background mode, undo and dealing only clearable games wait for the
// next set-up, which reads them from the store.
struct SavedSettingsEffect {
  GameSettings updated;
  bool newGame = false;
  bool countModeChanged = false;
};
SavedSettingsEffect TakeSavedValues(const GameSettings& current, const GameSettings& saved);

struct MainWindowPos {
  std::int32_t left = 10;
  std::int32_t top = 10;
};
MainWindowPos ReadMainWindowPos(const SettingsStore& store);
void SaveMainWindowPos(SettingsStore& store, MainWindowPos pos);

std::optional<std::int32_t> ReadStoredLanguage(const SettingsStore& store);
void SaveStoredLanguage(SettingsStore& store, std::int32_t language);

}  // namespace pebble
