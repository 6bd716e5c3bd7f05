#pragma once
// An in-memory tree of registry keys and typed values: what one hive of the
// settings store holds between reading it and writing it back.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pebble {

// The registry's own type codes, so a value keeps its type across the file and
// the registry and a value of the wrong type can be told apart.
enum RegType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
  kRegQword = 11,
};

struct RegValue {
  std::uint32_t type = kRegNone;
  std::string text;                // kRegSz: the text in UTF-8
  std::vector<std::uint8_t> data;  // every other type: the bytes as the registry holds them

  static RegValue String(std::string text);
  static RegValue Dword(std::uint32_t value);
  static RegValue Binary(std::vector<std::uint8_t> bytes);

  // Empty when the value is not of that type and size.
  std::optional<std::uint32_t> AsDword() const;
  std::optional<std::string> AsString() const;
  std::optional<double> AsDouble() const;  // kRegBinary of exactly 8 bytes

  bool operator==(const RegValue&) const = default;
};

// Key and value names compare without regard to ASCII letter case, as in the
// registry.
bool RegNamesEqual(std::string_view a, std::string_view b);
struct RegNameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// The registry nests keys at most this many levels deep; a settings file that
// goes deeper cannot be imported anywhere and counts as damaged.
constexpr std::size_t kMaxRegKeyDepth = 512;

class RegKey {
 public:
  using NamedValue = std::pair<std::string, RegValue>;

  RegKey() = default;
  RegKey(RegKey&&) noexcept = default;
  RegKey& operator=(RegKey&& other) noexcept;
  ~RegKey();

  const RegValue* FindValue(std::string_view name) const;
  void SetValue(std::string_view name, RegValue value);
  bool EraseValue(std::string_view name);
  // Values in the order they were first written.
  const std::vector<NamedValue>& Values() const { return values_; }

  RegKey* FindSubkey(std::string_view name);
  const RegKey* FindSubkey(std::string_view name) const;
  RegKey& CreateSubkey(std::string_view name);
  bool EraseSubkey(std::string_view name);
  // Subkeys sorted by name, as the registry enumerates them.
  const std::map<std::string, std::unique_ptr<RegKey>, RegNameLess>& Subkeys() const {
    return subkeys_;
  }

 private:
  // Takes the subkeys apart level by level rather than by recursion.
  void DropSubkeys() noexcept;

  std::vector<NamedValue> values_;
  std::map<std::string, std::size_t, RegNameLess> valueIndex_;  // name -> place in values_
  std::map<std::string, std::unique_ptr<RegKey>, RegNameLess> subkeys_;
};

// Paths are key names joined by backslashes; empty components (a leading or a
// trailing backslash, as an empty section gives) are ignored.
std::vector<std::string> SplitRegPath(std::string_view path);
std::string JoinRegPath(std::string_view parent, std::string_view child);

class RegTree {
 public:
  RegTree() = default;
  RegTree(RegTree&&) noexcept = default;
  RegTree& operator=(RegTree&&) noexcept = default;

  const RegKey* Find(std::string_view path) const;
  RegKey* Find(std::string_view path);
  RegKey& Create(std::string_view path);  // with every missing parent
  // Removes the key at path; without withSubkeys a key that has subkeys stays
  // and the result is false. The root itself is never removed.
  bool Remove(std::string_view path, bool withSubkeys);

  const RegKey& Root() const { return root_; }
  bool Empty() const { return root_.Subkeys().empty() && root_.Values().empty(); }

 private:
  RegKey root_;
};

}  // namespace pebble
