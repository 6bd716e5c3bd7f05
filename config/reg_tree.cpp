#include "config/reg_tree.h"

#include <algorithm>
#include <cstring>

namespace pebble {
namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

RegValue RegValue::String(std::string text) {
  RegValue v;
  v.type = kRegSz;
  v.text = std::move(text);
  return v;
}

RegValue RegValue::Dword(std::uint32_t value) {
  RegValue v;
  v.type = kRegDword;
  v.data = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return v;
}

RegValue RegValue::Binary(std::vector<std::uint8_t> bytes) {
  RegValue v;
  v.type = kRegBinary;
  v.data = std::move(bytes);
  return v;
}

std::optional<std::uint32_t> RegValue::AsDword() const {
  if (type != kRegDword || data.size() != 4) return std::nullopt;
  return std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 | std::uint32_t{data[2]} << 16 |
         std::uint32_t{data[3]} << 24;
}

std::optional<std::string> RegValue::AsString() const {
  if (type != kRegSz) return std::nullopt;
  return text;
}

std::optional<double> RegValue::AsDouble() const {
  if (type != kRegBinary || data.size() != sizeof(double)) return std::nullopt;
  // The bytes are the little-endian image of the double, as on every platform we build for.
  double result = 0;
  std::memcpy(&result, data.data(), sizeof result);
  return result;
}

bool RegNamesEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool RegNameLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
  });
}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  DropSubkeys();
  values_ = std::move(other.values_);
  valueIndex_ = std::move(other.valueIndex_);
  subkeys_ = std::move(other.subkeys_);
  return *this;
}

RegKey::~RegKey() { DropSubkeys(); }

void RegKey::DropSubkeys() noexcept {
  std::vector<std::unique_ptr<RegKey>> pending;
  const auto detach = [&pending](RegKey& key) {
    for (auto& [name, sub] : key.subkeys_) pending.push_back(std::move(sub));
    key.subkeys_.clear();
  };
  detach(*this);
  while (!pending.empty()) {
    std::unique_ptr<RegKey> key = std::move(pending.back());
    pending.pop_back();
    detach(*key);
  }
}

const RegValue* RegKey::FindValue(std::string_view name) const {
  auto it = valueIndex_.find(name);
  return it == valueIndex_.end() ? nullptr : &values_[it->second].second;
}

void RegKey::SetValue(std::string_view name, RegValue value) {
  auto it = valueIndex_.find(name);
  if (it != valueIndex_.end()) {
    values_[it->second].second = std::move(value);
    return;
  }
  valueIndex_.emplace(std::string(name), values_.size());
  values_.emplace_back(std::string(name), std::move(value));
}

bool RegKey::EraseValue(std::string_view name) {
  auto it = valueIndex_.find(name);
  if (it == valueIndex_.end()) return false;
  const std::size_t place = it->second;
  valueIndex_.erase(it);
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(place));
  for (auto& [other, index] : valueIndex_) {
    if (index > place) --index;
  }
  return true;
}

RegKey* RegKey::FindSubkey(std::string_view name) {
  auto it = subkeys_.find(name);
  return it == subkeys_.end() ? nullptr : it->second.get();
}

const RegKey* RegKey::FindSubkey(std::string_view name) const {
  auto it = subkeys_.find(name);
  return it == subkeys_.end() ? nullptr : it->second.get();
}

RegKey& RegKey::CreateSubkey(std::string_view name) {
  auto it = subkeys_.find(name);
  if (it == subkeys_.end()) it = subkeys_.emplace(std::string(name), std::make_unique<RegKey>()).first;
  return *it->second;
}

bool RegKey::EraseSubkey(std::string_view name) {
  auto it = subkeys_.find(name);
  if (it == subkeys_.end()) return false;
  subkeys_.erase(it);
  return true;
}

std::vector<std::string> SplitRegPath(std::string_view path) {
  std::vector<std::string> parts;
  while (!path.empty()) {
    const auto cut = path.find('\\');
    const auto part = path.substr(0, cut);
    if (!part.empty()) parts.emplace_back(part);
    if (cut == std::string_view::npos) break;
    path.remove_prefix(cut + 1);
  }
  return parts;
}

std::string JoinRegPath(std::string_view parent, std::string_view child) {
  std::string path(parent);
  if (!path.empty() && path.back() != '\\' && !child.empty()) path += '\\';
  path += child;
  return path;
}

const RegKey* RegTree::Find(std::string_view path) const {
  const RegKey* key = &root_;
  for (const auto& part : SplitRegPath(path)) {
    key = key->FindSubkey(part);
    if (!key) return nullptr;
  }
  return key;
}

RegKey* RegTree::Find(std::string_view path) {
  return const_cast<RegKey*>(std::as_const(*this).Find(path));
}

RegKey& RegTree::Create(std::string_view path) {
  RegKey* key = &root_;
  for (const auto& part : SplitRegPath(path)) key = &key->CreateSubkey(part);
  return *key;
}

bool RegTree::Remove(std::string_view path, bool withSubkeys) {
  auto parts = SplitRegPath(path);
  if (parts.empty()) return false;
  const std::string leaf = parts.back();
  parts.pop_back();
  RegKey* parent = &root_;
  for (const auto& part : parts) {
    parent = parent->FindSubkey(part);
    if (!parent) return false;
  }
  const RegKey* key = parent->FindSubkey(leaf);
  if (!key || (!withSubkeys && !key->Subkeys().empty())) return false;
  return parent->EraseSubkey(leaf);
}

}  // namespace pebble
