#pragma once
// Where the background picture lands in the field's background: stretched over
// it, or fitted inside with its shape kept and centred.

#include <cstdint>

namespace pebble {

// Right and bottom are exclusive.
struct PixelRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const PixelRect&) const = default;
};

// The picture scaled to fit inside the target with its aspect ratio kept,
// centred; the bands beside it stay free. Empty for an empty picture.
PixelRect FitPictureRect(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t targetWidth,
                         std::int32_t targetHeight);

// When the field is shaped after the picture, the picture covers everything
// but the top and left pixel line, which the frame takes.
PixelRect StretchPictureRect(std::int32_t targetWidth, std::int32_t targetHeight);

}  // namespace pebble
