#include "render/ui/bitmap_resource.h"

#include <QImageReader>

namespace pebble::ui {

QImage BitmapResource(const QString& name) {
  QImageReader reader(QStringLiteral(":/res/") + name, "BMP");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace pebble::ui
