#pragma once
// A settings store over a temporary folder, a store whose writes can be made
// to fail, and a scripted name query. Shared by the core and the window tests.

#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "config/reg_tree.h"
#include "config/registry_file_backend.h"
#include "config/registry_win_backend.h"
#include "config/settings_store.h"
#include "scores/score_store.h"

namespace pebble::testing {

// The store of this platform over scratch places: two files in a temporary
// folder, or on Windows the registry itself, below a program root of the
// tests' own (the player's settings are never touched).
#ifdef _WIN32
constexpr std::string_view kScratchProgRoot = "\\SOFTWARE\\Varnex-Soft\\Pebbledrome Scratch";
inline std::unique_ptr<RegistryBackend> MakeScratchBackend(const std::filesystem::path&) {
  return std::make_unique<WinRegistryBackend>();
}
#else
constexpr std::string_view kScratchProgRoot = kPebbledromeProgRoot;
inline std::unique_ptr<RegistryBackend> MakeScratchBackend(const std::filesystem::path& folder) {
  return std::make_unique<FileRegistryBackend>(HiveFiles{folder / "user" / "settings.reg", folder / "machine" / "settings.reg"});
}
#endif

// Passes everything to the scratch backend; once armed, the write after the
// given number of writes fails as a full disk would.
class FailingBackend final : public RegistryBackend {
 public:
  explicit FailingBackend(std::unique_ptr<RegistryBackend> inner) : inner_(std::move(inner)) {}
  void FailAfterWrites(int writes) { writesLeft_ = writes; }

  bool KeyExists(RegHive hive, std::string_view path) override { return inner_->KeyExists(hive, path); }
  std::optional<RegValue> ReadValue(RegHive hive, std::string_view path, std::string_view name) override {
    return inner_->ReadValue(hive, path, name);
  }
  std::vector<std::string> SubkeyNames(RegHive hive, std::string_view path) override {
    return inner_->SubkeyNames(hive, path);
  }
  std::vector<RegKey::NamedValue> Values(RegHive hive, std::string_view path) override {
    return inner_->Values(hive, path);
  }
  void CreateKey(RegHive hive, std::string_view path) override { inner_->CreateKey(hive, path); }
  void WriteValue(RegHive hive, std::string_view path, std::string_view name, const RegValue& value) override {
    if (writesLeft_ && (*writesLeft_)-- == 0) throw SettingsStoreError("disk full");
    inner_->WriteValue(hive, path, name, value);
  }
  bool DeleteKey(RegHive hive, std::string_view path, bool withSubkeys) override {
    return inner_->DeleteKey(hive, path, withSubkeys);
  }
  bool DeleteValue(RegHive hive, std::string_view path, std::string_view name) override {
    return inner_->DeleteValue(hive, path, name);
  }
  void BeginBatch(RegHive hive) override { inner_->BeginBatch(hive); }
  void CommitBatch(RegHive hive) override { inner_->CommitBatch(hive); }
  void AbandonBatch(RegHive hive) noexcept override { inner_->AbandonBatch(hive); }

 private:
  std::unique_ptr<RegistryBackend> inner_;
  std::optional<int> writesLeft_;
};

class TempStore {
 public:
  TempStore() {
    std::random_device seed;
    folder_ = std::filesystem::temp_directory_path() / ("pebble-scores-" + std::to_string(seed()));
    std::filesystem::create_directories(folder_);
    auto backend = std::make_unique<FailingBackend>(MakeScratchBackend(folder_));
    backend_ = backend.get();
    store_ = std::make_unique<SettingsStore>(std::move(backend), kScratchProgRoot);
    ClearScratchRoot();
  }
  ~TempStore() {
    ClearScratchRoot();
    store_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempStore(const TempStore&) = delete;
  TempStore& operator=(const TempStore&) = delete;

  SettingsStore& Store() { return *store_; }
  FailingBackend& Backend() { return *backend_; }

  bool SectionExists(std::string_view section) {
    return store_->Backend().KeyExists(RegHive::CurrentUser, JoinRegPath(store_->ProgRoot(), section));
  }
  std::size_t ValueCount(std::string_view section) {
    return store_->Backend().Values(RegHive::CurrentUser, JoinRegPath(store_->ProgRoot(), section)).size();
  }

 private:
  // Each test starts from an empty store; files start empty by themselves.
  void ClearScratchRoot() {
#ifdef _WIN32
    store_->Backend().DeleteKey(RegHive::CurrentUser, store_->ProgRoot(), true);
#endif
  }

  std::filesystem::path folder_;
  FailingBackend* backend_ = nullptr;
  std::unique_ptr<SettingsStore> store_;
};

// Answers the name query from a script and remembers what it was shown.
class ScriptedQuery final : public WinnerNameQuery {
 public:
  explicit ScriptedQuery(std::optional<std::string> answer = "Tester") : answer_(std::move(answer)) {}
  std::optional<std::string> AskWinnerName(const std::string& preset) override {
    presets.push_back(preset);
    return answer_;
  }
  void Answer(std::optional<std::string> answer) { answer_ = std::move(answer); }
  std::vector<std::string> presets;

 private:
  std::optional<std::string> answer_;
};

inline GameSettings LowScoreSettings() {
  GameSettings settings;
  settings.languageOffset = 1000;
  return settings;
}

inline GameSettings HighScoreSettings() {
  GameSettings settings = LowScoreSettings();
  settings.lowScore = false;
  return settings;
}

inline GameResult LowScoreGame(std::int32_t stonesLeft) { return {stonesLeft, 0, 160}; }
inline GameResult HighScoreGame(std::int32_t score) { return {7, score, 160}; }

}  // namespace pebble::testing
