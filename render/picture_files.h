#pragma once
// Which picture files the background can show: the pictures of a folder in
// turn, and what kind of picture a file holds, judged by its first bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/command_line.h"
#include "config/game_settings.h"

namespace pebble {

enum class PictureFormat { Unknown, Bitmap, Jpeg };

// A Windows bitmap starts with "BM", a JPEG with the marker FF D8.
PictureFormat SniffPictureFormat(std::span<const std::uint8_t> head);
PictureFormat SniffPictureFile(const std::filesystem::path& path);

// The names (UTF-8, without folder) of the .jpg, .jpeg and .bmp files of the
// folder, whatever the case of their extension, sorted without regard to case.
// A missing or unreadable folder gives an empty list.
std::vector<std::string> BuildPictureList(const std::filesystem::path& folder);

// The position after current in a list of count pictures: back to the first
// after the last, and to the first for a position that cannot be in the list.
std::int32_t NextPictureIndex(std::int32_t current, std::size_t count);

// The pictures of the background folder, one per game. The list is read the
// first time and kept for the run; pictures added meanwhile show after a
// restart. A different folder is read afresh.
class FolderPictures {
 public:
  using SaveIndex = std::function<void(std::int32_t)>;

  // Advances the position in use (the command line's own when the folder came
  // from there, else folderPictureIndex, which is then saved through save) and
  // gives the path of the picture to show, or nothing when the folder holds no
  // picture.
  std::optional<std::filesystem::path> Next(GameSettings& settings, CommandLineState& commandLine,
                                            const SaveIndex& save);
  const std::vector<std::string>& PictureList() const { return pictureList_; }

 private:
  void UseFolder(const std::string& folderUtf8);

  std::optional<std::string> listedFolder_;
  std::vector<std::string> pictureList_;
};

}  // namespace pebble
