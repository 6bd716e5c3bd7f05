#include "render/ui/bitmap_resource.h"

#include <QImageReader>

namespace pebble::ui {
namespace {

struct Variant {
  double scale;
  const char* suffix;
};
constexpr Variant kVariants[] = {{1.0, ""}, {1.5, "@1.5x"}, {2.0, "@2x"}};

}  // namespace

QImage BitmapResource(const QString& name) {
  QImageReader reader(QStringLiteral(":/res/") + name, "BMP");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

QImage BitmapResourceFor(const QString& name, double ratio) {
  QImage finest;
  for (const Variant& variant : kVariants) {
    QImage image = BitmapResource(name + QLatin1String(variant.suffix));
    if (image.isNull()) continue;
    image.setDevicePixelRatio(variant.scale);
    if (variant.scale >= ratio - 1e-6) return image;
    finest = image;
  }
  return finest;
}

}  // namespace pebble::ui
