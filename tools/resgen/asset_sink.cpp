#include "asset_sink.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cmath>
#include <stdexcept>

#include "writers.h"

namespace pebble::resgen {

AssetSink::AssetSink(QString folder) : folder_(std::move(folder)) { QDir().mkpath(folder_); }

void AssetSink::WriteFile(const QString& alias, const QString& fileName, const QByteArray& bytes) {
  QFile file(QDir(folder_).filePath(fileName));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write " + file.fileName().toStdString());
  }
  files_.emplace_back(alias, fileName);
}

void AssetSink::Bitmap(const QString& name, const QImage& picture) {
  WriteFile(name, name + ".bmp", EncodeBmp24(picture));
  pictures_.emplace_back(name, picture.convertToFormat(QImage::Format_RGB32));
}

QString ScaleSuffix(double scale) { return "@" + QString::number(scale) + "x"; }

int ScaledLength(int units, double scale) { return static_cast<int>(std::ceil(units * scale - 1e-9)); }

void AssetSink::ScaledBitmap(const QString& name, double scale, const QImage& picture) {
  const QString scaled = name + ScaleSuffix(scale);
  WriteFile(scaled, scaled + ".bmp", EncodeBmp24(picture));
}

void AssetSink::Jpeg(const QString& name, const QImage& picture, int quality) {
  const QByteArray bytes = EncodeJpeg(picture, quality);
  WriteFile(name, name + ".jpg", bytes);
  pictures_.emplace_back(name, QImage::fromData(bytes, "JPG"));  // as the game will see it
}

void AssetSink::Icon(const QString& name, const std::vector<QImage>& sizes) {
  for (const QImage& picture : sizes) {
    const QString sized = name + "-" + QString::number(picture.width());
    WriteFile(sized, sized + ".png", EncodePng(picture));
  }
  const QImage& largest = sizes.back();
  files_.emplace_back(name, name + "-" + QString::number(largest.width()) + ".png");
  WriteFile(name + ".ico", name + ".ico", EncodeIco(sizes));
  for (const QImage& picture : sizes) {
    pictures_.emplace_back(name + "-" + QString::number(picture.width()), picture);
  }
}

void AssetSink::Wave(const QString& name, const std::vector<std::uint8_t>& samples, int sampleRate) {
  WriteFile(name, name + ".wav", EncodeWave8(samples, sampleRate));
  SoundFacts facts{name, sampleRate, static_cast<double>(samples.size()) / sampleRate, 0, 0};
  double sum = 0;
  for (std::uint8_t s : samples) {
    const double v = (s - 128) / 128.0;
    sum += v * v;
    facts.peak = std::max(facts.peak, std::fabs(v));
  }
  facts.rms = samples.empty() ? 0 : std::sqrt(sum / samples.size());
  sounds_.push_back(facts);
}

void AssetSink::WriteQrc(const QString& fileName) const {
  QFile file(QDir(folder_).filePath(fileName));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
    throw std::runtime_error("cannot write " + file.fileName().toStdString());
  }
  QTextStream out(&file);
  out << "<!DOCTYPE RCC>\n<!-- Made by tools/resgen; run it again instead of editing. -->\n"
      << "<RCC version=\"1.0\">\n<qresource prefix=\"/res\">\n";
  for (const auto& [alias, name] : files_) {
    out << "  <file alias=\"" << alias << "\">" << name << "</file>\n";
  }
  out << "</qresource>\n</RCC>\n";
}

QImage AssetSink::Picture(const QString& name) const {
  for (const auto& [pictureName, picture] : pictures_) {
    if (pictureName == name) return picture;
  }
  throw std::runtime_error("no picture " + name.toStdString());
}

}  // namespace pebble::resgen
