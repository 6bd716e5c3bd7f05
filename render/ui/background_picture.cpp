#include "render/ui/background_picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

namespace pebble::ui {

namespace {

QString QtPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(text.data()), static_cast<qsizetype>(text.size()));
}

QImage DecodeBitmap(const QByteArray& bytes, bool* ok) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "BMP");
  const QSize size = reader.size();
  QImage picture;
  const bool fits = size.isValid() && static_cast<std::int64_t>(size.width()) * size.height() <= kMaxPicturePixels &&
                    PlausiblePictureSize(size.width(), size.height(), bytes.size());
  if (fits) picture = reader.read();
  if (ok) *ok = !picture.isNull();
  return picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
}

PictureFormat SniffBytes(const QByteArray& bytes) {
  return SniffPictureFormat(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

bool PlausiblePictureSize(std::int64_t width, std::int64_t height, std::int64_t fileBytes) {
  return width > 0 && height > 0 && fileBytes > 0 && width * height / fileBytes <= kMaxPixelsPerFileByte;
}

QSize ScreenRoom() {
  QSize room;
  for (const QScreen* screen : QGuiApplication::screens()) {
    room = room.expandedTo(screen->geometry().size() * screen->devicePixelRatio());
  }
  return room;
}

QImage LoadPictureFile(const QString& path, bool* ok, const QSize& room) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || file.size() > kMaxPictureFileBytes || !file.open(QIODevice::ReadOnly)) {
    if (ok) *ok = false;
    return {};
  }
  return LoadPictureData(file.readAll(), ok, room);
}

QImage LoadPictureData(const QByteArray& bytes, bool* ok, const QSize& room) {
  switch (SniffBytes(bytes)) {
    case PictureFormat::Bitmap: return DecodeBitmap(bytes, ok);
    case PictureFormat::Jpeg: return LoadJpegData(bytes, ok, room);
    case PictureFormat::Unknown: break;
  }
  if (ok) *ok = false;
  return {};
}

QImage BuiltInPicture() {
  static const QImage builtIn = [] {
    const QImage picture = LoadJpegResource("JPG_BACK");
    return picture.isNull() ? GreyPicture() : picture;
  }();
  return builtIn;
}

QImage GreyPicture() {
  QImage picture(10, 16, QImage::Format_RGB32);
  picture.fill(qRgb(0x80, 0x80, 0x80));
  return picture;
}

QImage BackgroundPictures::LoadBackground(GameSettings& settings, CommandLineState& commandLine,
                                          const SaveFolderIndex& saveFolderIndex) {
  switch (static_cast<BackgroundMode>(settings.backgroundMode)) {
    case BackgroundMode::Standard: return BuiltInPicture();
    case BackgroundMode::PictureFile:
      return PictureOrBuiltIn(QString::fromStdString(settings.backgroundPicture));
    case BackgroundMode::Folder: return NextFolderPicture(settings, commandLine, saveFolderIndex);
    case BackgroundMode::Gray: return GreyPicture();
  }
  // A mode this version does not know shows the built-in picture.
  return BuiltInPicture();
}

QImage BackgroundPictures::NextFolderPicture(GameSettings& settings, CommandLineState& commandLine,
                                             const SaveFolderIndex& saveFolderIndex) {
  const auto path = folder_.Next(settings, commandLine, saveFolderIndex);
  return path ? PictureOrBuiltIn(QtPath(*path)) : BuiltInPicture();
}

QImage BackgroundPictures::PictureOrBuiltIn(const QString& path) {
  const QFileInfo file(path);
  const qint64 size = file.isFile() ? file.size() : -1;
  const qint64 modified = file.lastModified().toMSecsSinceEpoch();
  const QSize room = ScreenRoom();
  const bool same = path == kept_.path && size == kept_.size && modified == kept_.modified && room == kept_.room;
  if (!same) {
    bool ok = false;
    const QImage picture = LoadPictureFile(path, &ok, room);
    kept_ = {path, size, modified, room, ok ? picture : QImage()};
  }
  return kept_.picture.isNull() ? BuiltInPicture() : kept_.picture;
}

}  // namespace pebble::ui
