#pragma once
// What a batch changed in a store that has no transactions, kept so that an
// abandoned batch can put every key and value back as it was. The registry
// of a system without registry transactions (Wine, among others) relies on it
// for its all-or-nothing batches.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/reg_tree.h"
#include "config/registry_backend.h"

namespace pebble {

class RegistryUndoJournal {
 public:
  // Each Note runs before the change it names, while the store still holds
  // the old state.
  void NoteValue(RegistryBackend& store, RegHive hive, std::string_view path, std::string_view name);
  void NoteKeyCreation(RegistryBackend& store, RegHive hive, std::string_view path);
  void NoteKeyRemoval(RegistryBackend& store, RegHive hive, std::string_view path);

  // Undoes the noted changes, newest first, through the store's own writes.
  void Rollback(RegistryBackend& store);
  void Clear() { steps_.clear(); }
  bool Empty() const { return steps_.empty(); }

 private:
  using Step = std::function<void(RegistryBackend&)>;
  std::vector<Step> steps_;
};

// The whole key at path with its values and subkeys, read from the store into
// an empty key.
void ReadKeyTree(RegistryBackend& store, RegHive hive, std::string_view path, RegKey& into);
// Writes a tree read by ReadKeyTree back below path.
void WriteKeyTree(RegistryBackend& store, RegHive hive, std::string_view path, const RegKey& key);

}  // namespace pebble
