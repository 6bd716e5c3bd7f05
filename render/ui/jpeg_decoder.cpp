// JPEG pictures through libjpeg. libjpeg's own error handler ends the process,
// so ours jumps back out of the decoder instead and the caller shows another
// picture.
#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "render/ui/background_picture.h"

extern "C" {
#include <jpeglib.h>
}

namespace pebble::ui {

namespace {

struct ErrorTrap {
  jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the trap
  std::jmp_buf jump;
};

extern "C" void LeaveDecoder(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

extern "C" void KeepQuiet(j_common_ptr) {}

bool TooLarge(std::int64_t width, std::int64_t height) {
  return width <= 0 || height <= 0 || width * height > kMaxPicturePixels;
}

// libjpeg scales by 1/2, 1/4 and 1/8 while it decodes: the largest step that
// still leaves the picture at least as large as the room it is shown in, in
// both directions (it may be stretched there), costs nothing the player sees.
unsigned int ScaleDenominator(std::int64_t width, std::int64_t height, const QSize& room) {
  if (room.isEmpty()) return 1;
  unsigned int denominator = 1;
  while (denominator < 8) {
    const unsigned int next = denominator * 2;
    const bool stillFills = width / next >= room.width() && height / next >= room.height();
    if (!stillFills) break;
    denominator = next;
  }
  return denominator;
}

// Photoshop writes CMYK inverted and says so in its Adobe marker.
QRgb FromCmyk(const JSAMPLE* p, bool inverted) {
  const int c = inverted ? p[0] : 255 - p[0], m = inverted ? p[1] : 255 - p[1];
  const int y = inverted ? p[2] : 255 - p[2], k = inverted ? p[3] : 255 - p[3];
  return qRgb(c * k / 255, m * k / 255, y * k / 255);
}

void StoreRow(const jpeg_decompress_struct& info, const JSAMPLE* in, QRgb* out) {
  const auto width = static_cast<int>(info.output_width);
  switch (info.out_color_space) {
    case JCS_GRAYSCALE:
      for (int x = 0; x < width; ++x) out[x] = qRgb(in[x], in[x], in[x]);
      break;
    case JCS_CMYK:
      for (int x = 0; x < width; ++x) out[x] = FromCmyk(in + 4 * x, info.saw_Adobe_marker);
      break;
    default:
      for (int x = 0; x < width; ++x) out[x] = qRgb(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
      break;
  }
}

J_COLOR_SPACE OutputSpace(J_COLOR_SPACE stored) {
  switch (stored) {
    case JCS_GRAYSCALE: return JCS_GRAYSCALE;
    case JCS_CMYK:
    case JCS_YCCK: return JCS_CMYK;
    default: return JCS_RGB;
  }
}

// Only plain C data lives in this frame, so the jump out of libjpeg skips no
// destructor; the picture belongs to the caller.
bool Decode(const unsigned char* data, unsigned long size, const QSize& room, QImage& picture) {
  jpeg_decompress_struct info;
  ErrorTrap trap;
  std::memset(&info, 0, sizeof info);
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = LeaveDecoder;
  trap.manager.output_message = KeepQuiet;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), size);
  jpeg_read_header(&info, TRUE);
  if (TooLarge(info.image_width, info.image_height) ||
      !PlausiblePictureSize(info.image_width, info.image_height, static_cast<std::int64_t>(size))) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.scale_num = 1;
  info.scale_denom = ScaleDenominator(info.image_width, info.image_height, room);
  info.out_color_space = OutputSpace(info.jpeg_color_space);
  jpeg_start_decompress(&info);
  picture = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB32);
  if (picture.isNull()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    if (jpeg_read_scanlines(&info, row, 1) != 1) break;
    StoreRow(info, row[0], reinterpret_cast<QRgb*>(picture.scanLine(y)));
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage LoadJpegData(const QByteArray& bytes, bool* ok, const QSize& room) {
  QImage picture;
  const bool decoded = !bytes.isEmpty() &&
                       Decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                              static_cast<unsigned long>(bytes.size()), room, picture);
  if (!decoded) picture = QImage();
  if (ok) *ok = decoded;
  return picture;
}

QImage LoadJpegFile(const QString& path, bool* ok, const QSize& room) {
  QFile file(path);
  if (file.size() > kMaxPictureFileBytes || !file.open(QIODevice::ReadOnly)) {
    if (ok) *ok = false;
    return {};
  }
  return LoadJpegData(file.readAll(), ok, room);
}

QImage LoadJpegResource(const char* name) {
  bool ok = false;
  return LoadJpegFile(QString(":/res/") + name, &ok);
}

}  // namespace pebble::ui
