// The pictures of a background folder, one per game, and telling picture
// files apart by their first bytes.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "render/picture_files.h"

namespace pebble {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    path_ = fs::temp_directory_path() / ("pebble-render-" + std::to_string(seed()));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }
  std::string Utf8() const { return path_.string() + "/"; }
  void Touch(const std::string& name, const std::string& bytes = "x") const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }

 private:
  fs::path path_;
};

using Names = std::vector<std::string>;

TEST(BuildPictureList, PicturesOnlySortedWithoutRegardToCase) {
  TempFolder folder;
  for (const char* name : {"c.jpeg", "B.bmp", "a.jpg", "D.JPEG", "e.Jpg", "notes.txt", "f.png", "jpg", "g.bmp.txt"}) {
    folder.Touch(name);
  }
  fs::create_directory(folder.Path() / "h.jpg");  // a folder is no picture
  EXPECT_EQ(BuildPictureList(folder.Path()), (Names{"a.jpg", "B.bmp", "c.jpeg", "D.JPEG", "e.Jpg"}));
}

TEST(BuildPictureList, MissingFolderIsEmpty) {
  EXPECT_TRUE(BuildPictureList(fs::temp_directory_path() / "pebble-render-no-such-folder").empty());
  EXPECT_TRUE(BuildPictureList(fs::path()).empty());
}

TEST(NextPictureIndex, AdvancesAndWraps) {
  struct Case {
    std::int32_t current;
    std::size_t count;
    std::int32_t next;
  };
  for (const Case& c : {Case{-1, 3, 0}, Case{0, 3, 1}, Case{1, 3, 2}, Case{2, 3, 0}, Case{7, 3, 0},
                        Case{0, 1, 0}, Case{-5, 3, 0}, Case{INT_MAX, 3, 0}}) {
    EXPECT_EQ(NextPictureIndex(c.current, c.count), c.next) << c.current << " of " << c.count;
  }
}

class FolderPicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.jpg", "B.bmp", "c.jpeg"}) folder.Touch(name);
    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::Folder);
    settings.backgroundFolder = folder.Utf8();
  }
  std::optional<fs::path> Next() {
    return pictures.Next(settings, commandLine, [this](std::int32_t index) { saved.push_back(index); });
  }

  TempFolder folder;
  GameSettings settings;
  CommandLineState commandLine;
  FolderPictures pictures;
  std::vector<std::int32_t> saved;
};

TEST_F(FolderPicturesTest, AfterTheLastComesTheFirstAndThePositionIsSaved) {
  settings.folderPictureIndex = 2;
  EXPECT_EQ(Next(), folder.Path() / "a.jpg");
  EXPECT_EQ(Next(), folder.Path() / "B.bmp");
  EXPECT_EQ(settings.folderPictureIndex, 1);
  EXPECT_EQ(saved, (std::vector<std::int32_t>{0, 1}));
}

TEST_F(FolderPicturesTest, AStoredPositionOutsideTheListStartsAtTheFirst) {
  for (std::int32_t stored : {-7, 3, INT_MAX}) {
    settings.folderPictureIndex = stored;
    EXPECT_EQ(Next(), folder.Path() / "a.jpg") << stored;
  }
}

TEST_F(FolderPicturesTest, CommandLineFolderKeepsItsOwnPositionUnsaved) {
  commandLine.commandLineFolder = true;
  settings.folderPictureIndex = 1;
  EXPECT_EQ(Next(), folder.Path() / "a.jpg");
  EXPECT_EQ(Next(), folder.Path() / "B.bmp");
  EXPECT_EQ(commandLine.commandLineFolderIndex, 1);
  EXPECT_EQ(settings.folderPictureIndex, 1);
  EXPECT_TRUE(saved.empty());
}

TEST_F(FolderPicturesTest, TheListIsReadOncePerFolder) {
  settings.folderPictureIndex = -1;
  ASSERT_EQ(Next(), folder.Path() / "a.jpg");
  folder.Touch("0.jpg");  // added while the program runs
  EXPECT_EQ(Next(), folder.Path() / "B.bmp");
  EXPECT_EQ(pictures.PictureList(), (Names{"a.jpg", "B.bmp", "c.jpeg"}));

  // Another folder chosen meanwhile is read afresh.
  TempFolder other;
  other.Touch("z.bmp");
  settings.backgroundFolder = other.Utf8();
  EXPECT_EQ(Next(), other.Path() / "z.bmp");
}

TEST_F(FolderPicturesTest, AFolderWithoutPicturesGivesNothingAndSavesNothing) {
  TempFolder empty;
  settings.backgroundFolder = empty.Utf8();
  settings.folderPictureIndex = 1;
  EXPECT_EQ(Next(), std::nullopt);
  EXPECT_TRUE(saved.empty());
}

TEST(SniffPictureFormat, ByTheFirstBytes) {
  struct Case {
    std::vector<std::uint8_t> head;
    PictureFormat format;
  };
  for (const Case& c : {Case{{'B', 'M', 0x36, 0}, PictureFormat::Bitmap}, Case{{0xFF, 0xD8, 0xFF, 0xE0}, PictureFormat::Jpeg},
                        Case{{0x89, 'P', 'N', 'G'}, PictureFormat::Unknown}, Case{{'B'}, PictureFormat::Unknown},
                        Case{{}, PictureFormat::Unknown}, Case{{0xD8, 0xFF}, PictureFormat::Unknown}}) {
    EXPECT_EQ(SniffPictureFormat(c.head), c.format) << c.head.size();
  }
}

TEST(SniffPictureFile, ABitmapNamedInCapitalsIsABitmap) {
  TempFolder folder;
  folder.Touch("PHOTO.BMP", "BM....");
  folder.Touch("photo.bmp.jpg", "BM....");
  folder.Touch("empty.jpg", "");
  EXPECT_EQ(SniffPictureFile(folder.Path() / "PHOTO.BMP"), PictureFormat::Bitmap);
  EXPECT_EQ(SniffPictureFile(folder.Path() / "photo.bmp.jpg"), PictureFormat::Bitmap);
  EXPECT_EQ(SniffPictureFile(folder.Path() / "empty.jpg"), PictureFormat::Unknown);
  EXPECT_EQ(SniffPictureFile(folder.Path() / "missing.jpg"), PictureFormat::Unknown);
}

}  // namespace
}  // namespace pebble
