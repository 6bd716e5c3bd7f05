#pragma once
// Collects the made resources: writes each file into the output folder, keeps
// the pictures for the contact sheet and lists everything for the .qrc file.
#include <QImage>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace pebble::resgen {

// The transparent colour of the key-coloured bitmaps (their bottom-left pixel).
constexpr QRgb kMagenta = 0xFFFF00FFu;

// The device pixel ratios the pictures of the field and the tool bar are made
// for besides their own size, so that they stay sharp on fine screens.
constexpr double kPictureScales[] = {1.5, 2.0};
QString ScaleSuffix(double scale);  // "@1.5x", "@2x"
// A length of `units` picture pixels on a screen of that scale, rounded up.
int ScaledLength(int units, double scale);

struct SoundFacts {
  QString name;
  int sampleRate = 0;
  double seconds = 0;
  double rms = 0;   // of the signal around the mid level, full scale = 1
  double peak = 0;  // largest distance from the mid level, full scale = 1
};

class AssetSink {
 public:
  explicit AssetSink(QString folder);

  void Bitmap(const QString& name, const QImage& picture);
  // The same picture made for a screen of `scale` device pixels per pixel:
  // NAME@1.5x, NAME@2x. The game picks it by the screen's pixel ratio; the
  // contact sheet leaves it out.
  void ScaledBitmap(const QString& name, double scale, const QImage& picture);
  void Jpeg(const QString& name, const QImage& picture, int quality = 92);
  // An icon as one PNG per size (alias NAME-size; NAME is the largest) and a .ico.
  void Icon(const QString& name, const std::vector<QImage>& sizes);
  void Wave(const QString& name, const std::vector<std::uint8_t>& samples, int sampleRate);

  // Lists every file written, under the prefix /res, aliased by resource name.
  void WriteQrc(const QString& fileName) const;

  const std::vector<std::pair<QString, QImage>>& Pictures() const { return pictures_; }
  QImage Picture(const QString& name) const;
  const std::vector<SoundFacts>& Sounds() const { return sounds_; }

 private:
  void WriteFile(const QString& alias, const QString& fileName, const QByteArray& bytes);

  QString folder_;
  std::vector<std::pair<QString, QString>> files_;  // alias, file name
  std::vector<std::pair<QString, QImage>> pictures_;
  std::vector<SoundFacts> sounds_;
};

void MakeTextures(AssetSink& sink);
void MakeBackground(AssetSink& sink);
void MakeSpecialStones(AssetSink& sink);
void MakeToolbarGlyphs(AssetSink& sink);
void MakeIcons(AssetSink& sink);
void MakeDigits(AssetSink& sink);
void MakeAboutPictures(AssetSink& sink);
void MakeSounds(AssetSink& sink);

// Every picture enlarged (small ones, then large ones with stones of the default
// colours laid on each texture as the game mixes them).
std::pair<QImage, QImage> ContactSheets(const AssetSink& sink);

}  // namespace pebble::resgen
