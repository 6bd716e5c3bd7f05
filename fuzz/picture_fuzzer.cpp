// A background picture from anywhere: told apart by its first bytes, decoded
// by libjpeg behind our error manager or by Qt's bitmap reader; a damaged
// picture gives a null image and never ends the process.
#include <QByteArray>

#include "fuzz_support.h"
#include "render/ui/background_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebble;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  bool ok = false;
  const QImage picture = ui::LoadPictureData(bytes, &ok);
  fuzz::Require(ok != picture.isNull(), "a picture is either read or refused");
  if (ok) fuzz::Require(picture.format() == QImage::Format_RGB32, "pictures come as 32-bit RGB");
  return 0;
}
