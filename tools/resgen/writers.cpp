#include "writers.h"

#include <QBuffer>

namespace pebble::resgen {
namespace {

void Put16(QByteArray& out, int value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(QByteArray& out, std::uint32_t value) {
  Put16(out, static_cast<int>(value & 0xFFFF));
  Put16(out, static_cast<int>(value >> 16));
}

void PutInfoHeader(QByteArray& out, int width, int height, int bits, std::uint32_t imageBytes) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, 0);  // no compression
  Put32(out, imageBytes);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
}

QByteArray Encoded(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, quality);
  return bytes;
}

}  // namespace

QByteArray EncodeBmp24(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int stride = (rgb.width() * 3 + 3) & ~3;
  const auto imageBytes = static_cast<std::uint32_t>(stride * rgb.height());
  QByteArray out;
  out.append("BM");
  Put32(out, 14 + 40 + imageBytes);
  Put32(out, 0);
  Put32(out, 14 + 40);
  PutInfoHeader(out, rgb.width(), rgb.height(), 24, imageBytes);
  for (int y = rgb.height() - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    QByteArray row(stride, '\0');
    for (int x = 0; x < rgb.width(); ++x) {
      row[3 * x] = static_cast<char>(qBlue(line[x]));
      row[3 * x + 1] = static_cast<char>(qGreen(line[x]));
      row[3 * x + 2] = static_cast<char>(qRed(line[x]));
    }
    out.append(row);
  }
  return out;
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
  return Encoded(image.convertToFormat(QImage::Format_RGB32), "JPG", quality);
}

QByteArray EncodePng(const QImage& image) { return Encoded(image, "PNG", -1); }

namespace {

QByteArray IcoBitmapEntry(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  const int size = argb.width();
  const int maskStride = ((size + 31) / 32) * 4;
  QByteArray out;
  PutInfoHeader(out, size, size * 2, 32,
                static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) Put32(out, argb.pixel(x, y));
  }
  for (int y = size - 1; y >= 0; --y) {
    QByteArray row(maskStride, '\0');
    for (int x = 0; x < size; ++x) {
      if (qAlpha(argb.pixel(x, y)) == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    out.append(row);
  }
  return out;
}

}  // namespace

QByteArray EncodeIco(const std::vector<QImage>& images) {
  std::vector<QByteArray> entries;
  for (const QImage& image : images) {
    entries.push_back(image.width() >= 128 ? EncodePng(image) : IcoBitmapEntry(image));
  }
  QByteArray out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<int>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].width();
    out.append(static_cast<char>(size >= 256 ? 0 : size));
    out.append(static_cast<char>(size >= 256 ? 0 : size));
    out.append('\0');  // no palette
    out.append('\0');
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(entries[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(entries[i].size());
  }
  for (const QByteArray& entry : entries) out.append(entry);
  return out;
}

QByteArray EncodeWave8(const std::vector<std::uint8_t>& samples, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t padding = dataBytes % 2;  // chunks are word aligned
  QByteArray out;
  out.append("RIFF");
  Put32(out, 4 + (8 + 16) + (8 + dataBytes + padding));
  out.append("WAVE");
  out.append("fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, static_cast<std::uint32_t>(sampleRate));
  Put32(out, static_cast<std::uint32_t>(sampleRate));  // bytes per second
  Put16(out, 1);  // block align
  Put16(out, 8);  // bits per sample
  out.append("data");
  Put32(out, dataBytes);
  out.append(reinterpret_cast<const char*>(samples.data()), static_cast<qsizetype>(dataBytes));
  if (padding) out.append(static_cast<char>(0x80));
  return out;
}

}  // namespace pebble::resgen
