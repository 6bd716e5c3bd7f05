#include "config/settings_store.h"

#include <cstring>
#include <vector>

namespace pebble {
namespace {

// Reads never fail: whatever goes wrong gives the caller's default.
template <typename Read>
auto ReadOr(auto defaultValue, Read read) -> decltype(defaultValue) {
  try {
    if (auto value = read()) return *value;
  } catch (...) {
  }
  return defaultValue;
}

bool IsCopiedType(std::uint32_t type) { return type == kRegSz || type == kRegDword || type == kRegBinary; }

}  // namespace

SettingsStore::SettingsStore(std::unique_ptr<RegistryBackend> backend, std::string_view progRoot)
    : backend_(std::move(backend)) {
  SetProgRoot(progRoot);
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::SetProgRoot(std::string_view progRoot) {
  progRoot_ = std::string(progRoot);
  try {
    firstStart_ = !backend_->KeyExists(RegHive::CurrentUser, KeyPath(""));
  } catch (...) {
    firstStart_ = true;
  }
}

std::string SettingsStore::KeyPath(std::string_view section) const { return JoinRegPath(progRoot_, section); }

std::string SettingsStore::ReadRegStr(std::string_view section, std::string_view name,
                                      std::string_view defaultValue) const {
  return ReadOr(std::string(defaultValue), [&]() -> std::optional<std::string> {
    auto value = backend_->ReadValue(RegHive::CurrentUser, KeyPath(section), name);
    return value ? value->AsString() : std::nullopt;
  });
}

std::int32_t SettingsStore::ReadRegInt(std::string_view section, std::string_view name,
                                       std::int32_t defaultValue) const {
  return ReadOr(defaultValue, [&]() -> std::optional<std::int32_t> {
    auto value = backend_->ReadValue(RegHive::CurrentUser, KeyPath(section), name);
    auto dword = value ? value->AsDword() : std::nullopt;
    if (!dword) return std::nullopt;
    return static_cast<std::int32_t>(*dword);
  });
}

double SettingsStore::ReadRegFloat(std::string_view section, std::string_view name, double defaultValue) const {
  return ReadOr(defaultValue, [&]() -> std::optional<double> {
    auto value = backend_->ReadValue(RegHive::CurrentUser, KeyPath(section), name);
    return value ? value->AsDouble() : std::nullopt;
  });
}

bool SettingsStore::ReadRegBool(std::string_view section, std::string_view name, bool defaultValue) const {
  return ReadOr(defaultValue, [&]() -> std::optional<bool> {
    auto value = backend_->ReadValue(RegHive::CurrentUser, KeyPath(section), name);
    auto dword = value ? value->AsDword() : std::nullopt;
    if (!dword) return std::nullopt;
    return *dword != 0;
  });
}

void SettingsStore::SaveRegStr(std::string_view section, std::string_view name, std::string_view value) {
  backend_->WriteValue(RegHive::CurrentUser, KeyPath(section), name, RegValue::String(std::string(value)));
}

void SettingsStore::SaveRegInt(std::string_view section, std::string_view name, std::int32_t value) {
  backend_->WriteValue(RegHive::CurrentUser, KeyPath(section), name,
                       RegValue::Dword(static_cast<std::uint32_t>(value)));
}

void SettingsStore::SaveRegFloat(std::string_view section, std::string_view name, double value) {
  std::vector<std::uint8_t> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  backend_->WriteValue(RegHive::CurrentUser, KeyPath(section), name, RegValue::Binary(std::move(bytes)));
}

void SettingsStore::SaveRegBool(std::string_view section, std::string_view name, bool value) {
  SaveRegInt(section, name, value ? 1 : 0);
}

bool SettingsStore::RemoveKey(std::string_view section) {
  try {
    return backend_->DeleteKey(RegHive::CurrentUser, KeyPath(section), false);
  } catch (const SettingsStoreError&) {
    return false;
  }
}

bool SettingsStore::RemoveValue(std::string_view section, std::string_view name) {
  try {
    return backend_->DeleteValue(RegHive::CurrentUser, KeyPath(section), name);
  } catch (const SettingsStoreError&) {
    return false;
  }
}

bool SettingsStore::RemoveAppsRegInfo() {
  try {
    return backend_->DeleteKey(RegHive::CurrentUser, KeyPath(""), true);
  } catch (const SettingsStoreError&) {
    return false;
  }
}

bool SettingsStore::MigrationNeeded() const {
  try {
    const auto root = KeyPath("");
    return !backend_->KeyExists(RegHive::CurrentUser, root) && backend_->KeyExists(RegHive::LocalMachine, root);
  } catch (...) {
    return false;
  }
}

bool SettingsStore::MigrateRegistry() {
  try {
    const auto root = KeyPath("");
    if (!backend_->KeyExists(RegHive::LocalMachine, root)) return true;
    HiveBatch user(*backend_, RegHive::CurrentUser);
    HiveBatch machine(*backend_, RegHive::LocalMachine);
    CopyMachineKey(root);
    user.Commit();
    try {
      machine.Commit();
    } catch (const SettingsStoreError&) {
      // The older tree stays where it was; the player's copy is what counts.
    }
    return true;
  } catch (...) {
    return false;
  }
}

// Copies one key of the older tree, subkeys first, unless the player already
// has it; then deletes it from the machine-wide hive where that is allowed.
bool SettingsStore::CopyMachineKey(const std::string& path) {
  try {
    if (!backend_->KeyExists(RegHive::LocalMachine, path)) return false;
    if (backend_->KeyExists(RegHive::CurrentUser, path)) return false;
    for (const auto& name : backend_->SubkeyNames(RegHive::LocalMachine, path)) {
      CopyMachineKey(JoinRegPath(path, name));
    }
    backend_->CreateKey(RegHive::CurrentUser, path);
    for (const auto& [name, value] : backend_->Values(RegHive::LocalMachine, path)) {
      if (IsCopiedType(value.type)) backend_->WriteValue(RegHive::CurrentUser, path, name, value);
    }
    try {
      backend_->DeleteKey(RegHive::LocalMachine, path, false);
    } catch (...) {
    }
    return true;
  } catch (...) {
    return false;
  }
}

std::unique_ptr<SettingsStore> MakeDefaultSettingsStore(std::string_view progRoot) {
  return std::make_unique<SettingsStore>(MakePlatformRegistryBackend(), progRoot);
}

}  // namespace pebble
