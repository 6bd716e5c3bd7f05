#pragma once
// Scratch folders and whole-file reads and writes for the saved-game tests.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace pebble::test {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class ScratchFolder {
 public:
  ScratchFolder() : path_(fs::temp_directory_path() / ("pebble-clk-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  fs::path operator/(const char* name) const { return path_ / name; }
  const fs::path& Path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  fs::path path_;
};

inline Bytes FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void PutFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace pebble::test
