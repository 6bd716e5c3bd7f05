#include "render/picture_files.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <system_error>

namespace pebble {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerAscii(c); });
  return lower;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool IsPictureName(const std::string& name) {
  const std::string lower = LowerAscii(name);
  return EndsWith(lower, ".jpg") || EndsWith(lower, ".jpeg") || EndsWith(lower, ".bmp");
}

std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace

PictureFormat SniffPictureFormat(std::span<const std::uint8_t> head) {
  if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M') return PictureFormat::Bitmap;
  if (head.size() >= 2 && head[0] == 0xFF && head[1] == 0xD8) return PictureFormat::Jpeg;
  return PictureFormat::Unknown;
}

PictureFormat SniffPictureFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::array<char, 2> head{};
  if (!file.read(head.data(), head.size())) return PictureFormat::Unknown;
  const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(head[0]), static_cast<std::uint8_t>(head[1])};
  return SniffPictureFormat(bytes);
}

std::vector<std::string> BuildPictureList(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = Utf8Name(it->path());
    if (IsPictureName(name)) names.push_back(std::move(name));
  }
  // Names that differ only in case keep a fixed order between them.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string lowerA = LowerAscii(a), lowerB = LowerAscii(b);
    return lowerA != lowerB ? lowerA < lowerB : a < b;
  });
  return names;
}

std::int32_t NextPictureIndex(std::int32_t current, std::size_t count) {
  const std::int64_t next = static_cast<std::int64_t>(current) + 1;
  if (next < 0 || static_cast<std::uint64_t>(next) >= count) return 0;
  return static_cast<std::int32_t>(next);
}

void FolderPictures::UseFolder(const std::string& folderUtf8) {
  if (listedFolder_ == folderUtf8) return;
  pictureList_ = BuildPictureList(PathFromUtf8(folderUtf8));
  listedFolder_ = folderUtf8;
}

std::optional<std::filesystem::path> FolderPictures::Next(GameSettings& settings, CommandLineState& commandLine,
                                                          const SaveIndex& save) {
  UseFolder(settings.backgroundFolder);
  if (pictureList_.empty()) return std::nullopt;
  std::int32_t& index = commandLine.commandLineFolder ? commandLine.commandLineFolderIndex
                                                      : settings.folderPictureIndex;
  index = NextPictureIndex(index, pictureList_.size());
  if (!commandLine.commandLineFolder && save) save(index);
  return PathFromUtf8(settings.backgroundFolder) / PathFromUtf8(pictureList_[static_cast<std::size_t>(index)]);
}

}  // namespace pebble
