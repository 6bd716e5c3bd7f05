#pragma once
// The settings store outside Windows: one registry-export text file per hive.
// Every change looks at the file again under an advisory lock and replaces it
// atomically, so two running games lose no update and a crash mid-write leaves
// the old file whole. The file is parsed once and again only when it changed
// on disk (another game's write, a hand edit). A file that cannot be read whole is kept aside before a
// new one replaces it.

#ifndef _WIN32

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "config/registry_backend.h"

namespace pebble {

constexpr std::string_view kHiveFolderName = "pebbledrome";
constexpr std::string_view kHiveFileName = "settings.reg";

struct HiveFiles {
  std::filesystem::path user;     // $XDG_CONFIG_HOME/pebbledrome/settings.reg
  std::filesystem::path machine;  // <first of $XDG_CONFIG_DIRS>/pebbledrome/settings.reg
};

using EnvLookup = std::function<std::optional<std::string>(const char* name)>;
// The hive files as the XDG base directory rules place them (relative or empty
// variables are ignored, as those rules ask).
HiveFiles XdgHiveFiles(const EnvLookup& env);
HiveFiles XdgHiveFiles();  // from this process's environment

class FileRegistryBackend final : public RegistryBackend {
 public:
  explicit FileRegistryBackend(HiveFiles files);
  ~FileRegistryBackend() override;

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

  const std::filesystem::path& HiveFile(RegHive hive) const;

  // Runs after the new file is written and flushed, just before it replaces
  // the old one: lets a test end a writer at the worst moment.
  void SetBeforeReplaceHookForTesting(std::function<void()> hook);

 private:
  struct Hive;
  Hive& HiveOf(RegHive hive) const;
  static void Refresh(Hive& hive);
  static void Reread(Hive& hive);
  static void AdoptWrittenFile(Hive& hive);
  const RegTree& TreeToRead(RegHive hive);
  template <typename Edit>
  auto EditHive(RegHive hive, Edit edit);

  std::unique_ptr<Hive> user_;
  std::unique_ptr<Hive> machine_;
  std::function<void()> beforeReplace_;
};

}  // namespace pebble

#endif  // _WIN32
