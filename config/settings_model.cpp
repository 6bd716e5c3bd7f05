#include "config/settings_model.h"

namespace pebble {
namespace {

constexpr std::int32_t kNoStoredValue = -1;
constexpr ColorValue kRgbMask = 0x00FFFFFF;

// Counts held in a byte: a stored number outside the playable range would turn
// into some other count once cut to eight bits, so it takes the default whole.
std::uint8_t ReadByteSetting(const SettingsStore& store, std::string_view name, std::uint8_t defaultValue,
                             std::int32_t lowest, std::int32_t highest, bool& repaired) {
  const std::int32_t stored = store.ReadRegInt(kConfigSection, name, defaultValue);
  if (stored >= lowest && stored <= highest) return static_cast<std::uint8_t>(stored);
  repaired = true;
  return defaultValue;
}

void ReadFieldSize(const SettingsStore& store, GameSettings& s, const GameSettings& d, bool& repaired) {
  s.stoneHeight = store.ReadRegInt(kConfigSection, kValueStoneHeight, d.stoneHeight);
  s.stoneWidth = store.ReadRegInt(kConfigSection, kValueStoneWidth, d.stoneWidth);
  s.rowCount = store.ReadRegInt(kConfigSection, kValueRowCount, d.rowCount);
  s.columnCount = store.ReadRegInt(kConfigSection, kValueColumnCount, d.columnCount);
  s.colorCount = ReadByteSetting(store, kValueColorCount, d.colorCount, 1, kMaxColors, repaired);
}

// Colours are 24-bit RGB: anything in the top byte could make a stone's colour
// look like the mark of a special stone.
void ReadStoneColors(const SettingsStore& store, GameSettings& s, bool& repaired) {
  for (int i = 0; i < kMaxColors; ++i) {
    const auto stored = static_cast<ColorValue>(
        store.ReadRegInt(kColorSection, ColorValueName(i), static_cast<std::int32_t>(kClassicPalette[i])));
    s.stoneColors[i] = stored & kRgbMask;
    repaired = repaired || s.stoneColors[i] != stored;
  }
}

void ReadBackground(const SettingsStore& store, GameSettings& s, const GameSettings& d, bool& repaired) {
  s.backgroundMode = ReadByteSetting(store, kValueBackgroundMode, d.backgroundMode, 0,
                                     static_cast<std::int32_t>(BackgroundMode::Gray), repaired);
  s.fitToPicture = store.ReadRegBool(kConfigSection, kValueFitToPicture, d.fitToPicture);
  s.backgroundPicture = store.ReadRegStr(kConfigSection, kValueBackgroundPicture, d.backgroundPicture);
  s.backgroundFolder = store.ReadRegStr(kConfigSection, kValueBackgroundFolder, d.backgroundFolder);
  s.folderPictureIndex = store.ReadRegInt(kConfigSection, kValueFolderPictureIndex, d.folderPictureIndex);
}

void ReadPlay(const SettingsStore& store, GameSettings& s, const GameSettings& d) {
  s.soundsOn = store.ReadRegBool(kConfigSection, kValueSoundsOn, d.soundsOn);
  s.textured = store.ReadRegBool(kConfigSection, kValueTextured, d.textured);
  s.voyeur = store.ReadRegBool(kConfigSection, kValueVoyeur, d.voyeur);
  s.traceOutline = store.ReadRegBool(kConfigSection, kValueTraceOutline, d.traceOutline);
  s.actionsOn = store.ReadRegBool(kConfigSection, kValueActionsOn, d.actionsOn);
  s.actionFrequency = store.ReadRegInt(kConfigSection, kValueActionFrequency, d.actionFrequency);
  s.animationsOn = store.ReadRegBool(kConfigSection, kValueAnimationsOn, d.animationsOn);
  s.autoDrop = store.ReadRegBool(kConfigSection, kValueAutoDrop, d.autoDrop);
  s.undoInfo = store.ReadRegBool(kConfigSection, kValueUndoInfo, d.undoInfo);
  s.lowScore = store.ReadRegBool(kConfigSection, kValueLowScore, d.lowScore);
  s.playTime = store.ReadRegInt(kConfigSection, kValuePlayTime, d.playTime);
}

void ReadTimings(const SettingsStore& store, GameSettings& s, const GameSettings& d) {
  s.aniIntervalDelete = store.ReadRegInt(kConfigSection, kValueAniIntervalDelete, d.aniIntervalDelete);
  s.aniIntervalMoveStone = store.ReadRegInt(kConfigSection, kValueAniIntervalMoveStone, d.aniIntervalMoveStone);
  s.aniIntervalMoveRow = store.ReadRegInt(kConfigSection, kValueAniIntervalMoveRow, d.aniIntervalMoveRow);
  s.aniIntervalDrop = store.ReadRegInt(kConfigSection, kValueAniIntervalDrop, d.aniIntervalDrop);
  s.newStoneEvery = store.ReadRegInt(kConfigSection, kValueNewStoneEvery, d.newStoneEvery);
  s.dropInterval = store.ReadRegInt(kConfigSection, kValueDropInterval, d.dropInterval);
  s.dropStoneOffset = store.ReadRegInt(kConfigSection, kValueDropStoneOffset, d.dropStoneOffset);
  s.clearableDeals = store.ReadRegBool(kConfigSection, kValueClearableDeals, d.clearableDeals);
  s.stoneSymbols = store.ReadRegBool(kConfigSection, kValueStoneSymbols, d.stoneSymbols);
  s.groupPreview = store.ReadRegBool(kConfigSection, kValueGroupPreview, d.groupPreview);
}

}  // namespace

std::string ColorValueName(int index) { return "Farbe" + std::to_string(index); }

SettingsLoad LoadSettings(SettingsStore& store, GameSettings& settings) {
  const GameSettings d;
  SettingsLoad load;
  SettingsBatch batch(store);  // one consistent look at the store, one write at most

  const std::int32_t version = store.ReadRegInt(kRootSection, kValueVersion, kNoStoredValue);
  settings.newVersionStart = version != kSettingsVersion;
  if (settings.newVersionStart) store.SaveRegInt(kRootSection, kValueVersion, kSettingsVersion);

  ReadFieldSize(store, settings, d, load.repaired);
  ReadStoneColors(store, settings, load.repaired);
  ReadBackground(store, settings, d, load.repaired);
  ReadPlay(store, settings, d);
  ReadTimings(store, settings, d);
  load.storedLanguage = ReadStoredLanguage(store);
  batch.Commit();

  load.repaired = MakePlayable(settings) || load.repaired;
  return load;
}

void SaveConfiguration(SettingsStore& store, const GameSettings& s) {
  SettingsBatch batch(store);
  store.SaveRegInt(kConfigSection, kValueStoneHeight, s.stoneHeight);
  store.SaveRegInt(kConfigSection, kValueStoneWidth, s.stoneWidth);
  store.SaveRegInt(kConfigSection, kValueRowCount, s.rowCount);
  store.SaveRegInt(kConfigSection, kValueColumnCount, s.columnCount);
  store.SaveRegInt(kConfigSection, kValueColorCount, s.colorCount);
  store.SaveRegInt(kConfigSection, kValueBackgroundMode, s.backgroundMode);
  store.SaveRegBool(kConfigSection, kValueFitToPicture, s.fitToPicture);
  store.SaveRegStr(kConfigSection, kValueBackgroundPicture, s.backgroundPicture);
  store.SaveRegStr(kConfigSection, kValueBackgroundFolder, s.backgroundFolder);
  store.SaveRegBool(kConfigSection, kValueSoundsOn, s.soundsOn);
  store.SaveRegBool(kConfigSection, kValueTextured, s.textured);
  store.SaveRegBool(kConfigSection, kValueVoyeur, s.voyeur);
  store.SaveRegBool(kConfigSection, kValueTraceOutline, s.traceOutline);
  store.SaveRegBool(kConfigSection, kValueActionsOn, s.actionsOn);
  store.SaveRegBool(kConfigSection, kValueAnimationsOn, s.animationsOn);
  store.SaveRegBool(kConfigSection, kValueAutoDrop, s.autoDrop);
  store.SaveRegInt(kConfigSection, kValuePlayTime, s.playTime);
  store.SaveRegBool(kConfigSection, kValueUndoInfo, s.undoInfo);
  store.SaveRegBool(kConfigSection, kValueLowScore, s.lowScore);
  store.SaveRegBool(kConfigSection, kValueClearableDeals, s.clearableDeals);
  store.SaveRegBool(kConfigSection, kValueStoneSymbols, s.stoneSymbols);
  store.SaveRegBool(kConfigSection, kValueGroupPreview, s.groupPreview);
  batch.Commit();
}

void SaveStoneColors(SettingsStore& store, const StoneColorTable& colors) {
  SettingsBatch batch(store);
  for (int i = 0; i < kMaxColors; ++i) {
    store.SaveRegInt(kColorSection, ColorValueName(i), static_cast<std::int32_t>(colors[i]));
  }
  batch.Commit();
}

bool RemoveStoneColors(SettingsStore& store) { return store.RemoveKey(kColorSection); }

SavedSettingsEffect TakeSavedValues(const GameSettings& current, const GameSettings& saved) {
  SavedSettingsEffect out{current};
  out.newGame = saved.rowCount != current.rowCount || saved.columnCount != current.columnCount ||
                saved.stoneWidth != current.stoneWidth || saved.stoneHeight != current.stoneHeight ||
                saved.playTime != current.playTime || saved.colorCount != current.colorCount ||
                saved.actionsOn != current.actionsOn || saved.autoDrop != current.autoDrop ||
                saved.lowScore != current.lowScore;
  out.countModeChanged = saved.lowScore != current.lowScore;
  GameSettings& u = out.updated;
  u.rowCount = saved.rowCount;
  u.columnCount = saved.columnCount;
  u.colorCount = saved.colorCount;
  u.fitToPicture = saved.fitToPicture;
  u.backgroundPicture = saved.backgroundPicture;
  u.backgroundFolder = saved.backgroundFolder;
  u.soundsOn = saved.soundsOn;
  u.textured = saved.textured;
  u.voyeur = saved.voyeur;
  u.traceOutline = saved.traceOutline;
  u.stoneSymbols = saved.stoneSymbols;
  u.groupPreview = saved.groupPreview;
  u.actionsOn = saved.actionsOn;
  u.animationsOn = saved.animationsOn;
  u.autoDrop = saved.autoDrop;
  u.playTime = saved.playTime;
  u.lowScore = saved.lowScore;
  return out;
}

void SaveFolderPictureIndex(SettingsStore& store, std::int32_t index) {
  store.SaveRegInt(kConfigSection, kValueFolderPictureIndex, index);
}

MainWindowPos ReadMainWindowPos(const SettingsStore& store) {
  const MainWindowPos d;
  return {store.ReadRegInt(kRootSection, kValueMainLeft, d.left), store.ReadRegInt(kRootSection, kValueMainTop, d.top)};
}

void SaveMainWindowPos(SettingsStore& store, MainWindowPos pos) {
  SettingsBatch batch(store);
  store.SaveRegInt(kRootSection, kValueMainLeft, pos.left);
  store.SaveRegInt(kRootSection, kValueMainTop, pos.top);
  batch.Commit();
}

std::optional<std::int32_t> ReadStoredLanguage(const SettingsStore& store) {
  const std::int32_t stored = store.ReadRegInt(kRootSection, kValueLanguage, kNoStoredValue);
  if (stored == kNoStoredValue) return std::nullopt;
  return stored;
}

void SaveStoredLanguage(SettingsStore& store, std::int32_t language) {
  store.SaveRegInt(kRootSection, kValueLanguage, language);
}

}  // namespace pebble
