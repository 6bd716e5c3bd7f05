#include "render/picture_fit.h"

namespace pebble {

PixelRect FitPictureRect(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t targetWidth,
                         std::int32_t targetHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return {};
  const double pictureAspect = static_cast<double>(pictureWidth) / pictureHeight;
  const double targetAspect = static_cast<double>(targetWidth) / targetHeight;
  if (pictureAspect > targetAspect) {
    const auto scaledHeight = static_cast<std::int32_t>(static_cast<double>(targetWidth) / pictureWidth * pictureHeight);
    const std::int32_t off = (targetHeight - scaledHeight) / 2;
    return {0, off, targetWidth, targetHeight - off};
  }
  const auto scaledWidth = static_cast<std::int32_t>(static_cast<double>(targetHeight) / pictureHeight * pictureWidth);
  const std::int32_t off = (targetWidth - scaledWidth) / 2;
  return {off, 0, targetWidth - off, targetHeight};
}

PixelRect StretchPictureRect(std::int32_t targetWidth, std::int32_t targetHeight) {
  return {1, 1, targetWidth, targetHeight};
}

}  // namespace pebble
