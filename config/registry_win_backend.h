#pragma once
// The settings store on Windows: the registry itself, through the wide API.
// A batch is a registry transaction where the system offers them, so several
// writes are stored whole or not at all.

#ifdef _WIN32

#include <memory>

#include "config/registry_backend.h"

namespace pebble {

class WinRegistryBackend final : public RegistryBackend {
 public:
  WinRegistryBackend();
  ~WinRegistryBackend() override;

  bool KeyExists(RegHive hive, std::string_view path) override;
  std::optional<RegValue> ReadValue(RegHive hive, std::string_view path, std::string_view name) override;
  std::vector<std::string> SubkeyNames(RegHive hive, std::string_view path) override;
  std::vector<RegKey::NamedValue> Values(RegHive hive, std::string_view path) override;

  void CreateKey(RegHive hive, std::string_view path) override;
  void WriteValue(RegHive hive, std::string_view path, std::string_view name, const RegValue& value) override;
  bool DeleteKey(RegHive hive, std::string_view path, bool withSubkeys) override;
  bool DeleteValue(RegHive hive, std::string_view path, std::string_view name) override;

  void BeginBatch(RegHive hive) override;
  void CommitBatch(RegHive hive) override;
  void AbandonBatch(RegHive hive) noexcept override;

  // Whether the newest batch on the hive ran in a registry transaction (all
  // or nothing) or, where the system offers none, wrote value by value.
  bool LastBatchWasAtomic(RegHive hive) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace pebble

#endif  // _WIN32
