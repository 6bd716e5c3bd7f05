#pragma once
// The picture behind the field: the built-in one, a chosen JPEG or bitmap file,
// the pictures of a folder in turn, or plain grey. A picture that cannot be
// read never stops the game: the built-in picture takes its place.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/command_line.h"
#include "config/game_settings.h"
#include "render/picture_files.h"

namespace pebble::ui {

// Pictures larger than this are refused before anything is allocated.
constexpr std::int64_t kMaxPicturePixels = 100'000'000;
constexpr std::int64_t kMaxPictureFileBytes = 256 * 1024 * 1024;
// No real picture packs more pixels into one byte of its file: a file that
// claims more is a decompression bomb and is refused before it is decoded.
constexpr std::int64_t kMaxPixelsPerFileByte = 1024;
bool PlausiblePictureSize(std::int64_t width, std::int64_t height, std::int64_t fileBytes);

// JPEG through libjpeg. A missing, unreadable, corrupt, oversized or
// implausible picture gives a null image and *ok = false; the process never
// ends over it. With a room, a large JPEG is decoded at a smaller scale (1/2,
// 1/4, 1/8) that still fills the room where the picture is shown.
QImage LoadJpegFile(const QString& path, bool* ok, const QSize& room = {});
QImage LoadJpegData(const QByteArray& bytes, bool* ok, const QSize& room = {});
QImage LoadJpegResource(const char* name);  // ":/res/" + name

// A JPEG or Windows bitmap file, told apart by its first bytes.
QImage LoadPictureFile(const QString& path, bool* ok, const QSize& room = {});
QImage LoadPictureData(const QByteArray& bytes, bool* ok, const QSize& room = {});
// The largest screen in device pixels: no background is shown larger.
QSize ScreenRoom();
// The built-in picture JPG_BACK; should even that fail, the grey picture.
QImage BuiltInPicture();
// Plain grey, 10 wide and 16 high: the field keeps its default shape.
QImage GreyPicture();

// Owned by the main window for the whole run: the folder's picture list is
// read once, and the position in it carries from game to game.
class BackgroundPictures {
 public:
  using SaveFolderIndex = std::function<void(std::int32_t)>;

  // Every new game: the picture of settings.backgroundMode. In folder mode it
  // advances the position and, unless the folder came from the command line,
  // stores it through saveFolderIndex (the setting JPEG-Position).
  QImage LoadBackground(GameSettings& settings, CommandLineState& commandLine,
                        const SaveFolderIndex& saveFolderIndex);
  QImage NextFolderPicture(GameSettings& settings, CommandLineState& commandLine,
                           const SaveFolderIndex& saveFolderIndex);
  const std::vector<std::string>& PictureList() const { return folder_.PictureList(); }

 private:
  // The picture file shown last, kept while the file is unchanged, so that a
  // new game does not decode it again.
  struct KeptPicture {
    QString path;
    qint64 size = -1;
    qint64 modified = 0;  // milliseconds since the epoch
    QSize room;
    QImage picture;  // null: the file was refused
  };
  QImage PictureOrBuiltIn(const QString& path);

  FolderPictures folder_;
  KeptPicture kept_;
};

}  // namespace pebble::ui
