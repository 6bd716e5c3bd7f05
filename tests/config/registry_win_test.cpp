// The settings store on Windows, against the registry itself: every value type
// the game stores, batches, removing a tree, the migration from the machine
// hive, the settings record, and the language of the Windows locale.

#include <gtest/gtest.h>

#ifdef _WIN32

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "config/game_settings.h"
#include "config/language.h"
#include "config/registry_undo_journal.h"
#include "config/registry_win_backend.h"
#include "config/registry_win_text.h"
#include "config/settings_model.h"
#include "config/settings_store.h"

namespace pebble {
namespace {

// The game's own key when the registry is a scratch one (the Windows test run
// makes a fresh Wine prefix and says so); elsewhere a key of the tests' own,
// so a developer's settings are never touched.
std::string TestProgRoot() {
  const char* scratch = std::getenv("PEBBLE_SCRATCH_REGISTRY");
  if (scratch && std::string(scratch) == "1") return std::string(kPebbledromeProgRoot);
  return "\\SOFTWARE\\Varnex-Soft\\Pebbledrome Scratch";
}

std::wstring ApiKey(const std::string& progRoot, std::string_view section = {}) {
  std::string path;
  for (const auto& part : SplitRegPath(JoinRegPath(progRoot, section))) path = JoinRegPath(path, part);
  return WideFromUtf8(path);
}

// A value as the registry API itself reports it: its type and bytes.
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};

std::optional<RawValue> ReadRaw(HKEY root, const std::wstring& key, const std::wstring& name, REGSAM view = 0) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &handle) != ERROR_SUCCESS) return std::nullopt;
  RawValue value;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExW(handle, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.bytes.resize(size);
    status = RegQueryValueExW(handle, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
  }
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

bool KeyExistsRaw(HKEY root, const std::wstring& key, REGSAM view = 0) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void WriteRaw(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD size,
              REGSAM view = 0) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  RegCloseKey(handle);
}

void DeleteTreeRaw(HKEY root, const std::wstring& key, REGSAM view = 0) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_ALL_ACCESS | view, &handle) != ERROR_SUCCESS) return;
  RegDeleteTreeW(handle, nullptr);
  RegCloseKey(handle);
  RegDeleteKeyExW(root, key.c_str(), view, 0);
}

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  void Clear() {
    DeleteTreeRaw(HKEY_CURRENT_USER, ApiKey(root));
    DeleteTreeRaw(HKEY_LOCAL_MACHINE, ApiKey(root), KEY_WOW64_32KEY);
  }
  std::unique_ptr<SettingsStore> MakeStore() {
    auto backend = std::make_unique<WinRegistryBackend>();
    backend_ = backend.get();
    return std::make_unique<SettingsStore>(std::move(backend), root);
  }

  const std::string root = TestProgRoot();
  WinRegistryBackend* backend_ = nullptr;
};

TEST_F(RegistryStoreTest, EveryValueTypeLandsInTheRegistryWithItsOwnType) {
  auto store = MakeStore();
  store->SaveRegStr("Konfiguration", "Name", "Zoë Übermut – ½");
  store->SaveRegInt("Konfiguration", "Stein Höhe", 21);
  store->SaveRegInt("Konfiguration", "Negativ", -5);
  store->SaveRegFloat("Konfiguration", "Faktor", 2.5);
  store->SaveRegBool("Konfiguration", "Sounds", true);

  auto fresh = MakeStore();
  EXPECT_EQ(fresh->ReadRegStr("Konfiguration", "Name", ""), "Zoë Übermut – ½");
  EXPECT_EQ(fresh->ReadRegInt("Konfiguration", "Stein Höhe", 0), 21);
  EXPECT_EQ(fresh->ReadRegInt("Konfiguration", "Negativ", 0), -5);
  EXPECT_EQ(fresh->ReadRegFloat("Konfiguration", "Faktor", 0), 2.5);
  EXPECT_TRUE(fresh->ReadRegBool("Konfiguration", "Sounds", false));

  const std::wstring key = ApiKey(root, "Konfiguration");
  const auto text = ReadRaw(HKEY_CURRENT_USER, key, L"Name");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(text->bytes.data())), L"Zo\u00EB \u00DCbermut \u2013 \u00BD");
  const auto number = ReadRaw(HKEY_CURRENT_USER, key, L"Stein H\u00F6he");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(number->bytes, (std::vector<BYTE>{21, 0, 0, 0}));
  const auto real = ReadRaw(HKEY_CURRENT_USER, key, L"Faktor");
  ASSERT_TRUE(real);
  EXPECT_EQ(real->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(real->bytes.size(), 8u);
}

TEST_F(RegistryStoreTest, AValueOfAnotherTypeReadsAsTheDefaultAndOtherTypesSurvive) {
  const std::wstring key = ApiKey(root, "Konfiguration");
  const wchar_t text[] = L"21";
  WriteRaw(HKEY_CURRENT_USER, key, L"Stein H\u00F6he", REG_SZ, text, sizeof(text));
  const DWORD number = 7;
  WriteRaw(HKEY_CURRENT_USER, key, L"Name", REG_DWORD, &number, sizeof(number));
  const unsigned long long wide = 0x0102030405060708ULL;
  WriteRaw(HKEY_CURRENT_USER, key, L"Gross", REG_QWORD, &wide, sizeof(wide));
  const wchar_t multi[] = L"a\0b\0";
  WriteRaw(HKEY_CURRENT_USER, key, L"Liste", REG_MULTI_SZ, multi, sizeof(multi));
  const wchar_t expand[] = L"%TEMP%\\x";
  WriteRaw(HKEY_CURRENT_USER, key, L"Pfad", REG_EXPAND_SZ, expand, sizeof(expand));

  auto store = MakeStore();
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Stein Höhe", 99), 99);
  EXPECT_EQ(store->ReadRegStr("Konfiguration", "Name", "default"), "default");
  EXPECT_EQ(store->ReadRegFloat("Konfiguration", "Gross", 1.5), 1.5);

  // Values the game does not write keep their type and bytes when it reads them.
  auto& backend = store->Backend();
  const std::string path = JoinRegPath(root, "Konfiguration");
  for (const auto& [name, type, size] : {std::tuple{"Gross", REG_QWORD, sizeof(wide)},
                                         std::tuple{"Liste", REG_MULTI_SZ, sizeof(multi)},
                                         std::tuple{"Pfad", REG_EXPAND_SZ, sizeof(expand)}}) {
    const auto value = backend.ReadValue(RegHive::CurrentUser, path, name);
    ASSERT_TRUE(value) << name;
    EXPECT_EQ(value->type, static_cast<std::uint32_t>(type)) << name;
    EXPECT_EQ(value->data.size(), size) << name;
    backend.WriteValue(RegHive::CurrentUser, path, std::string(name) + " Kopie", *value);
    const auto copy = ReadRaw(HKEY_CURRENT_USER, key, WideFromUtf8(std::string(name) + " Kopie"));
    ASSERT_TRUE(copy) << name;
    EXPECT_EQ(copy->type, static_cast<DWORD>(type)) << name;
  }
}

TEST_F(RegistryStoreTest, ABatchStoresAllOrNothing) {
  auto store = MakeStore();
  store->SaveRegInt("Konfiguration", "Spalten", 10);
  {
    SettingsBatch batch(*store);
    store->SaveRegInt("Konfiguration", "Spalten", 20);
    store->SaveRegStr("Highscores 20", "Name 1", "Ann");
    store->RemoveValue("Konfiguration", "Spalten");
    {
      SettingsBatch inner(*store);
      store->SaveRegInt("Konfiguration", "Zeilen", 30);
      inner.Commit();
    }
    EXPECT_EQ(store->ReadRegStr("Highscores 20", "Name 1", ""), "Ann") << "a batch sees its own writes";
  }  // abandoned
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Spalten", 0), 10);
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Zeilen", 0), 0);
  EXPECT_FALSE(KeyExistsRaw(HKEY_CURRENT_USER, ApiKey(root, "Highscores 20"))) << "a key the batch made is gone";

  {
    SettingsBatch batch(*store);
    store->SaveRegInt("Konfiguration", "Spalten", 20);
    store->SaveRegStr("Highscores 20", "Name 1", "Ann");
    batch.Commit();
  }
  auto fresh = MakeStore();
  EXPECT_EQ(fresh->ReadRegInt("Konfiguration", "Spalten", 0), 20);
  EXPECT_EQ(fresh->ReadRegStr("Highscores 20", "Name 1", ""), "Ann");
  RecordProperty("registry_transactions", backend_->LastBatchWasAtomic(RegHive::CurrentUser) ? "yes" : "no");
}

TEST_F(RegistryStoreTest, AnAbandonedBatchPutsBackATreeItRemoved) {
  auto store = MakeStore();
  store->SaveRegStr("Highscores 20", "Name 1", "Ann");
  store->SaveRegStr("Highscores 20\\Alt", "Name 1", "Bob");
  {
    SettingsBatch batch(*store);
    EXPECT_TRUE(store->RemoveAppsRegInfo());
    EXPECT_FALSE(KeyExistsRaw(HKEY_CURRENT_USER, ApiKey(root)));
  }
  EXPECT_EQ(store->ReadRegStr("Highscores 20", "Name 1", ""), "Ann");
  EXPECT_EQ(store->ReadRegStr("Highscores 20\\Alt", "Name 1", ""), "Bob");
}

TEST_F(RegistryStoreTest, RemovingKeysAndTheWholeTree) {
  auto store = MakeStore();
  store->SaveRegStr("Highscores 20", "Name 1", "Ann");
  store->SaveRegStr("Highscores 20\\Alt", "Name 1", "Bob");
  store->SaveRegInt("Konfiguration", "Spalten", 12);
  EXPECT_FALSE(store->RemoveKey("Highscores 20")) << "a key with subkeys stays";
  EXPECT_TRUE(store->RemoveKey("Highscores 20\\Alt"));
  EXPECT_TRUE(store->RemoveKey("Highscores 20"));
  EXPECT_TRUE(store->RemoveValue("Konfiguration", "Spalten"));
  EXPECT_FALSE(store->RemoveValue("Konfiguration", "Spalten"));
  store->SaveRegStr("Highscores 20\\Alt", "Name 1", "Bob");
  EXPECT_TRUE(store->RemoveAppsRegInfo());
  EXPECT_FALSE(KeyExistsRaw(HKEY_CURRENT_USER, ApiKey(root)));
  EXPECT_TRUE(KeyExistsRaw(HKEY_CURRENT_USER, L"SOFTWARE\\Varnex-Soft")) << "only the program's own key goes";
}

TEST_F(RegistryStoreTest, MigrationCopiesTheOlderMachineTreeOnce) {
  const std::wstring machine = ApiKey(root, "Konfiguration");
  const DWORD columns = 14;
  WriteRaw(HKEY_LOCAL_MACHINE, machine, L"Spalten", REG_DWORD, &columns, sizeof(columns), KEY_WOW64_32KEY);
  const wchar_t name[] = L"Zo\u00EB";
  WriteRaw(HKEY_LOCAL_MACHINE, ApiKey(root, "Highscores"), L"Name 1", REG_SZ, name, sizeof(name), KEY_WOW64_32KEY);

  auto store = MakeStore();
  ASSERT_TRUE(store->MigrationNeeded());
  ASSERT_TRUE(store->MigrateRegistry());
  EXPECT_FALSE(store->MigrationNeeded());
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Spalten", 0), 14);
  EXPECT_EQ(store->ReadRegStr("Highscores", "Name 1", ""), "Zoë");

  store->SaveRegInt("Konfiguration", "Spalten", 9);
  EXPECT_FALSE(store->MigrationNeeded()) << "never over the player's own tree";
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Spalten", 0), 9);
}

TEST_F(RegistryStoreTest, TheSettingsRecordRoundTrips) {
  auto store = MakeStore();
  GameSettings saved;
  saved.columnCount = 23;
  saved.rowCount = 17;
  saved.colorCount = 7;
  saved.lowScore = false;
  saved.backgroundFolder = "C:\\Users\\Zoë\\Bilder\\";
  SaveConfiguration(*store, saved);

  auto fresh = MakeStore();
  GameSettings loaded;
  LoadSettings(*fresh, loaded);
  EXPECT_EQ(loaded.columnCount, 23);
  EXPECT_EQ(loaded.rowCount, 17);
  EXPECT_EQ(loaded.colorCount, 7);
  EXPECT_FALSE(loaded.lowScore);
  EXPECT_EQ(loaded.backgroundFolder, "C:\\Users\\Zoë\\Bilder\\");
}

TEST_F(RegistryStoreTest, ARollbackJournalUndoesEveryKindOfChange) {
  auto store = MakeStore();
  auto& backend = store->Backend();
  const std::string conf = JoinRegPath(root, "Konfiguration");
  store->SaveRegInt("Konfiguration", "Spalten", 10);
  store->SaveRegStr("Alt\\Tief", "Name", "Ann");

  RegistryUndoJournal journal;
  journal.NoteValue(backend, RegHive::CurrentUser, conf, "Spalten");
  backend.WriteValue(RegHive::CurrentUser, conf, "Spalten", RegValue::Dword(40));
  const std::string fresh = JoinRegPath(root, "Neu\\Tiefer");
  journal.NoteValue(backend, RegHive::CurrentUser, fresh, "Wert");
  backend.WriteValue(RegHive::CurrentUser, fresh, "Wert", RegValue::String("x"));
  const std::string old = JoinRegPath(root, "Alt");
  journal.NoteKeyRemoval(backend, RegHive::CurrentUser, old);
  backend.DeleteKey(RegHive::CurrentUser, old, true);

  journal.Rollback(backend);
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Spalten", 0), 10);
  EXPECT_FALSE(KeyExistsRaw(HKEY_CURRENT_USER, ApiKey(root, "Neu")));
  EXPECT_EQ(store->ReadRegStr("Alt\\Tief", "Name", ""), "Ann");
}

// The test run sets the locale of the Wine prefix through LANG; on a real
// Windows machine the test names the system's own language.
TEST(WindowsLanguage, TheSystemLanguageDecidesWithoutAStoredChoice) {
  const int expected = LanguageCodeForId(GetSystemDefaultLangID());
  EXPECT_EQ(WindowsLanguageCode(std::nullopt), expected);
  EXPECT_EQ(WindowsLanguageCode(std::optional<int>(kLanguageCodeFrench)), kLanguageCodeFrench);
  if (const char* want = std::getenv("PEBBLE_EXPECT_LANGUAGE")) {
    EXPECT_EQ(expected, std::atoi(want)) << "the locale the test run set";
  }
}

}  // namespace
}  // namespace pebble

#else  // _WIN32

TEST(RegistryStoreOnWindows, OnlyOnWindows) {
  GTEST_SKIP() << "the Windows registry; the settings file tests cover the store elsewhere";
}

#endif  // _WIN32
