#include "render/ui/background_picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

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
  const bool fits = size.isValid() && static_cast<std::int64_t>(size.width()) * size.height() <= kMaxPicturePixels;
  if (fits) picture = reader.read();
  if (ok) *ok = !picture.isNull();
  return picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
}

PictureFormat SniffBytes(const QByteArray& bytes) {
  return SniffPictureFormat(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
}

QImage LoadPictureOrBuiltIn(const QString& path) {
  bool ok = false;
  QImage picture = LoadPictureFile(path, &ok);
  return ok ? picture : BuiltInPicture();
}

}  // namespace

QImage LoadPictureFile(const QString& path, bool* ok) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || file.size() > kMaxPictureFileBytes || !file.open(QIODevice::ReadOnly)) {
    if (ok) *ok = false;
    return {};
  }
  return LoadPictureData(file.readAll(), ok);
}

QImage LoadPictureData(const QByteArray& bytes, bool* ok) {
  switch (SniffBytes(bytes)) {
    case PictureFormat::Bitmap: return DecodeBitmap(bytes, ok);
    case PictureFormat::Jpeg: return LoadJpegData(bytes, ok);
    case PictureFormat::Unknown: break;
  }
  if (ok) *ok = false;
  return {};
}

QImage BuiltInPicture() {
  QImage picture = LoadJpegResource("JPG_BACK");
  return picture.isNull() ? GreyPicture() : picture;
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
      return LoadPictureOrBuiltIn(QString::fromStdString(settings.backgroundPicture));
    case BackgroundMode::Folder: return NextFolderPicture(settings, commandLine, saveFolderIndex);
    case BackgroundMode::Gray: return GreyPicture();
  }
  // A mode this version does not know shows the built-in picture.
  return BuiltInPicture();
}

QImage BackgroundPictures::NextFolderPicture(GameSettings& settings, CommandLineState& commandLine,
                                             const SaveFolderIndex& saveFolderIndex) {
  const auto path = folder_.Next(settings, commandLine, saveFolderIndex);
  return path ? LoadPictureOrBuiltIn(QtPath(*path)) : BuiltInPicture();
}

}  // namespace pebble::ui
