#pragma once
// Temporary XDG configuration folders for the store tests (the real ones are
// never touched), and a backend that records what reaches the store.

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "config/registry_file_backend.h"
#include "config/settings_store.h"

namespace pebble::test {

class TempConfigDirs {
 public:
  TempConfigDirs() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pebble-store-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    Remember("XDG_CONFIG_HOME");
    Remember("XDG_CONFIG_DIRS");
    setenv("XDG_CONFIG_HOME", (root_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", ((root_ / "etc").string() + ":/etc/xdg").c_str(), 1);
  }
  ~TempConfigDirs() {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempConfigDirs(const TempConfigDirs&) = delete;
  TempConfigDirs& operator=(const TempConfigDirs&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path UserFile() const { return root_ / "home" / "pebbledrome" / "settings.reg"; }
  std::filesystem::path MachineFile() const { return root_ / "etc" / "pebbledrome" / "settings.reg"; }

  // Through the environment, as the game builds it.
  std::unique_ptr<SettingsStore> MakeStore(std::string_view progRoot = kPebbledromeProgRoot) const {
    return MakeDefaultSettingsStore(progRoot);
  }

 private:
  void Remember(const std::string& name) {
    const char* value = getenv(name.c_str());
    saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }

  std::filesystem::path root_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

inline void WriteText(const std::filesystem::path& file, std::string_view text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

inline std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Passes everything on and notes the value names read and written, in order.
class RecordingBackend final : public RegistryBackend {
 public:
  explicit RecordingBackend(std::unique_ptr<RegistryBackend> inner) : inner_(std::move(inner)) {}

  std::vector<std::string> reads;
  std::vector<std::string> writes;  // "section-path|name"; deletions as "-path" or "-path|name"

  bool KeyExists(RegHive hive, std::string_view path) override { return inner_->KeyExists(hive, path); }
  std::optional<RegValue> ReadValue(RegHive hive, std::string_view path, std::string_view name) override {
    reads.emplace_back(name);
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
    writes.push_back(std::string(path) + "|" + std::string(name));
    inner_->WriteValue(hive, path, name, value);
  }
  bool DeleteKey(RegHive hive, std::string_view path, bool withSubkeys) override {
    writes.push_back("-" + std::string(path));
    return inner_->DeleteKey(hive, path, withSubkeys);
  }
  bool DeleteValue(RegHive hive, std::string_view path, std::string_view name) override {
    writes.push_back("-" + std::string(path) + "|" + std::string(name));
    return inner_->DeleteValue(hive, path, name);
  }
  void BeginBatch(RegHive hive) override { inner_->BeginBatch(hive); }
  void CommitBatch(RegHive hive) override { inner_->CommitBatch(hive); }
  void AbandonBatch(RegHive hive) noexcept override { inner_->AbandonBatch(hive); }

  std::vector<std::string> WrittenNames() const {
    std::vector<std::string> names;
    for (const auto& w : writes) names.push_back(w.substr(w.find('|') + 1));
    return names;
  }

 private:
  std::unique_ptr<RegistryBackend> inner_;
};

// A store over the temporary folders whose backend records; the recorder stays
// owned by the store.
struct RecordedStore {
  std::unique_ptr<SettingsStore> store;
  RecordingBackend* recorder = nullptr;
};

inline RecordedStore MakeRecordedStore(std::string_view progRoot = kPebbledromeProgRoot) {
  auto recorder = std::make_unique<RecordingBackend>(std::make_unique<FileRegistryBackend>(XdgHiveFiles()));
  RecordedStore result;
  result.recorder = recorder.get();
  result.store = std::make_unique<SettingsStore>(std::move(recorder), progRoot);
  return result;
}

}  // namespace pebble::test
