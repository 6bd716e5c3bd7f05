#pragma once
// Where the settings store keeps its keys: the Windows registry, or one text
// file per hive elsewhere. The store speaks only to this interface.

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/reg_tree.h"

namespace pebble {

enum class RegHive {
  CurrentUser,   // the player's own settings
  LocalMachine,  // where older versions kept them; read for the migration
};

// A write that reached the store but could not be completed (disk full, no
// permission to replace the file, ...). Reads never throw.
class SettingsStoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Paths are relative to the hive's root, key names joined by backslashes.
// Writes to a hive that cannot be opened at all are skipped silently; a write
// that fails once the hive is open throws SettingsStoreError.
class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  virtual bool KeyExists(RegHive hive, std::string_view path) = 0;
  virtual std::optional<RegValue> ReadValue(RegHive hive, std::string_view path,
                                            std::string_view name) = 0;
  virtual std::vector<std::string> SubkeyNames(RegHive hive, std::string_view path) = 0;
  virtual std::vector<RegKey::NamedValue> Values(RegHive hive, std::string_view path) = 0;

  virtual void CreateKey(RegHive hive, std::string_view path) = 0;
  virtual void WriteValue(RegHive hive, std::string_view path, std::string_view name,
                          const RegValue& value) = 0;
  // False when there was nothing to delete (or, without withSubkeys, the key
  // still has subkeys).
  virtual bool DeleteKey(RegHive hive, std::string_view path, bool withSubkeys) = 0;
  virtual bool DeleteValue(RegHive hive, std::string_view path, std::string_view name) = 0;

  // Groups the writes to one hive into one change that is stored whole or not
  // at all. Batches nest: only the outermost commit stores; an inner batch
  // abandoned makes the outer commit store nothing. Reads inside a batch see
  // its writes; other processes wait for the commit.
  virtual void BeginBatch(RegHive hive) = 0;
  virtual void CommitBatch(RegHive hive) = 0;  // throws SettingsStoreError
  virtual void AbandonBatch(RegHive hive) noexcept = 0;
};

// The backend of this platform: the registry on Windows, the files of the XDG
// configuration folders elsewhere (read from the environment now).
std::unique_ptr<RegistryBackend> MakePlatformRegistryBackend();

// Runs one batch on a hive: abandoned unless Commit is called.
class HiveBatch {
 public:
  HiveBatch(RegistryBackend& backend, RegHive hive) : backend_(backend), hive_(hive) {
    backend_.BeginBatch(hive_);
  }
  ~HiveBatch() {
    if (open_) backend_.AbandonBatch(hive_);
  }
  HiveBatch(const HiveBatch&) = delete;
  HiveBatch& operator=(const HiveBatch&) = delete;

  void Commit() {
    open_ = false;
    backend_.CommitBatch(hive_);
  }

 private:
  RegistryBackend& backend_;
  RegHive hive_;
  bool open_ = true;
};

}  // namespace pebble
