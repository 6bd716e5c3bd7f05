#pragma once
// File formats of the resources, written byte for byte so that the output does
// not depend on the defaults of an image library.
#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

namespace pebble::resgen {

// Windows bitmap, 24 bits per pixel, bottom-up rows padded to four bytes.
QByteArray EncodeBmp24(const QImage& image);

// JPEG at the given quality (0..100).
QByteArray EncodeJpeg(const QImage& image, int quality);

QByteArray EncodePng(const QImage& image);

// Windows icon with one entry per image: small sizes as 32-bit bitmaps with an
// AND mask (read everywhere), 128 pixels and above as PNG.
QByteArray EncodeIco(const std::vector<QImage>& images);

// RIFF WAVE, PCM, mono, 8-bit unsigned.
QByteArray EncodeWave8(const std::vector<std::uint8_t>& samples, int sampleRate);

}  // namespace pebble::resgen
