#pragma once
// Typed access to the player's settings below one program root key. Every read
// names its own default, so a missing key, a missing value or a value of the
// wrong type never fails; nothing is cached, so every read sees the store as it
// is now. One store (and one thread) per hive file in a process.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "config/registry_backend.h"

namespace pebble {

constexpr std::string_view kDefaultProgRoot = "\\SOFTWARE\\Varnex-Soft\\Neues Projekt";
constexpr std::string_view kPebbledromeProgRoot = "\\SOFTWARE\\Varnex-Soft\\Pebbledrome";

// Shown when an older machine-wide settings tree could not be moved over.
constexpr std::string_view kMigrationErrorMessage = "Error while copying the registry information.";

class SettingsStore {
 public:
  explicit SettingsStore(std::unique_ptr<RegistryBackend> backend,
                         std::string_view progRoot = kDefaultProgRoot);
  virtual ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  const std::string& ProgRoot() const { return progRoot_; }
  // Also decides FirstStart: whether this player had stored nothing yet.
  void SetProgRoot(std::string_view progRoot);
  bool FirstStart() const { return firstStart_; }

  // An empty section addresses the program root key itself.
  std::string ReadRegStr(std::string_view section, std::string_view name, std::string_view defaultValue) const;
  std::int32_t ReadRegInt(std::string_view section, std::string_view name, std::int32_t defaultValue) const;
  double ReadRegFloat(std::string_view section, std::string_view name, double defaultValue) const;
  bool ReadRegBool(std::string_view section, std::string_view name, bool defaultValue) const;

  // Throw SettingsStoreError when the store is reachable but the write fails.
  void SaveRegStr(std::string_view section, std::string_view name, std::string_view value);
  void SaveRegInt(std::string_view section, std::string_view name, std::int32_t value);
  void SaveRegFloat(std::string_view section, std::string_view name, double value);
  void SaveRegBool(std::string_view section, std::string_view name, bool value);

  // The section's key, unless it still has subkeys; true when it was deleted.
  bool RemoveKey(std::string_view section);
  bool RemoveValue(std::string_view section, std::string_view name);
  // The whole program root key with everything below it.
  bool RemoveAppsRegInfo();

  // True when the player has no tree yet but an older version left one in the
  // machine-wide hive.
  bool MigrationNeeded() const;
  // Moves that older tree over, never over a key the player already has, as
  // one change. False when it failed: show kMigrationErrorMessage.
  bool MigrateRegistry();

  RegistryBackend& Backend() { return *backend_; }

 private:
  std::string KeyPath(std::string_view section) const;
  bool CopyMachineKey(const std::string& path);

  std::unique_ptr<RegistryBackend> backend_;
  std::string progRoot_;
  bool firstStart_ = false;
};

// Several writes stored as one change: a crash between them never leaves half
// of them behind, and another running game sees all or none.
//   { SettingsBatch batch(store); store.SaveRegInt(...); ...; batch.Commit(); }
// A batch left without Commit stores nothing. Keep batches short: other games
// wait for them.
class SettingsBatch {
 public:
  explicit SettingsBatch(SettingsStore& store) : batch_(store.Backend(), RegHive::CurrentUser) {}
  void Commit() { batch_.Commit(); }  // throws SettingsStoreError

 private:
  HiveBatch batch_;
};

// The store this platform keeps for the player, below kDefaultProgRoot until
// SetProgRoot is called.
std::unique_ptr<SettingsStore> MakeDefaultSettingsStore(std::string_view progRoot = kDefaultProgRoot);

}  // namespace pebble
