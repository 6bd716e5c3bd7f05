#include "config/registry_undo_journal.h"

#include <memory>

namespace pebble {

void ReadKeyTree(RegistryBackend& store, RegHive hive, std::string_view path, RegKey& into) {
  for (auto& [name, value] : store.Values(hive, path)) into.SetValue(name, std::move(value));
  for (const auto& child : store.SubkeyNames(hive, path))
    ReadKeyTree(store, hive, JoinRegPath(path, child), into.CreateSubkey(child));
}

void WriteKeyTree(RegistryBackend& store, RegHive hive, std::string_view path, const RegKey& key) {
  store.CreateKey(hive, path);
  for (const auto& [name, value] : key.Values()) store.WriteValue(hive, path, name, value);
  for (const auto& [name, child] : key.Subkeys()) WriteKeyTree(store, hive, JoinRegPath(path, name), *child);
}

void RegistryUndoJournal::NoteValue(RegistryBackend& store, RegHive hive, std::string_view path,
                                    std::string_view name) {
  NoteKeyCreation(store, hive, path);
  auto old = store.ReadValue(hive, path, name);
  steps_.push_back([hive, path = std::string(path), name = std::string(name), old = std::move(old)](
                       RegistryBackend& s) {
    if (old) s.WriteValue(hive, path, name, *old);
    else s.DeleteValue(hive, path, name);
  });
}

// Only the outermost key that does not exist yet needs to go again.
void RegistryUndoJournal::NoteKeyCreation(RegistryBackend& store, RegHive hive, std::string_view path) {
  std::string existing;
  for (const auto& part : SplitRegPath(path)) {
    const std::string next = JoinRegPath(existing, part);
    if (!store.KeyExists(hive, next)) {
      steps_.push_back([hive, next](RegistryBackend& s) { s.DeleteKey(hive, next, true); });
      return;
    }
    existing = next;
  }
}

void RegistryUndoJournal::NoteKeyRemoval(RegistryBackend& store, RegHive hive, std::string_view path) {
  if (!store.KeyExists(hive, path)) return;
  auto tree = std::make_shared<RegKey>();
  ReadKeyTree(store, hive, path, *tree);
  steps_.push_back([hive, path = std::string(path), tree](RegistryBackend& s) { WriteKeyTree(s, hive, path, *tree); });
}

void RegistryUndoJournal::Rollback(RegistryBackend& store) {
  for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
    try {
      (*step)(store);
    } catch (const SettingsStoreError&) {
      // Put back what can be put back; one value that cannot be written
      // must not keep the others from their old state.
    }
  }
  steps_.clear();
}

}  // namespace pebble
