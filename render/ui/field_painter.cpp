#include "render/ui/field_painter.h"

#include <QTransform>

#include "render/outline.h"
#include "render/picture_fit.h"
#include "render/stone_mix.h"
#include "render/ui/bitmap_resource.h"
#include "render/ui/pixel_blit.h"

namespace pebble::ui {

namespace {

constexpr ColorValue kWhite = 0x00FFFFFF;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kMagenta = 0xFFFF00FFu;
constexpr int kTileSize = 50;
// The stone pictures are drawn for stones of this size and used unchanged there.
constexpr int kPictureStoneWidth = 20, kPictureStoneHeight = 21;

QRect ToQRect(const PixelRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QImage Turned(const QImage& image, int degrees) { return image.transformed(QTransform().rotate(degrees)); }

// Stretches a keyed picture smoothly without bleeding the key colour into the
// stone: the key becomes transparent for the scaling and comes back after.
QImage ScaleKeyed(const QImage& image, QRgb key, QSize size) {
  QImage alpha = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < alpha.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(alpha.scanLine(y));
    for (int x = 0; x < alpha.width(); ++x) {
      if ((row[x] | kBlack) == (key | kBlack)) row[x] = 0;
    }
  }
  QImage scaled = alpha.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_ARGB32);
  QImage result(size, QImage::Format_RGB32);
  for (int y = 0; y < result.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) out[x] = qAlpha(in[x]) < 128 ? (key | kBlack) : (in[x] | kBlack);
  }
  return result;
}

}  // namespace

void FieldPainter::Prepare(const GameSettings& settings, QSize paintBox, const QImage& picture, GameRandom& random) {
  Free();
  settings_ = settings;
  stoneWidth_ = settings.stoneWidth;
  stoneHeight_ = settings.stoneHeight;
  PrepareBackground(settings, paintBox, picture);
  surface_ = background_.copy();
  DrawFieldFrame();
  PrepareTexture(settings, random);
  if (settings.actionsOn) PrepareSpecialPictures();
  if (settings.animationsOn) PrepareBreakPictures();
  stoneScratch_ = QImage(stoneWidth_, stoneHeight_, QImage::Format_RGB32);
}

void FieldPainter::Free() {
  surface_ = QImage();
  background_ = QImage();
  texture_ = QImage();
  stoneScratch_ = QImage();
  specials_.fill({});
  breaks_.fill({});
}

void FieldPainter::PrepareBackground(const GameSettings& settings, QSize paintBox, const QImage& picture) {
  background_ = QImage(paintBox, QImage::Format_RGB32);
  QRgb fill = kBlack;
  if (!picture.isNull()) fill = picture.pixel(qMin(1, picture.width() - 1), qMin(1, picture.height() - 1)) | kBlack;
  background_.fill(fill);
  const PixelRect place = settings.fitToPicture
                              ? StretchPictureRect(paintBox.width(), paintBox.height())
                              : FitPictureRect(picture.width(), picture.height(), paintBox.width(), paintBox.height());
  if (!picture.isNull() && !place.Empty()) {
    const QImage scaled = picture.convertToFormat(QImage::Format_RGB32)
                              .scaled(place.Width(), place.Height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    CopyPixels(scaled, scaled.rect(), background_, QPoint(place.left, place.top));
  }
  FramePixels(background_, background_.rect(), kBlack);
}

void FieldPainter::PrepareTexture(const GameSettings& settings, GameRandom& random) {
  texture_ = QImage(background_.size(), QImage::Format_RGB32);
  texture_.fill(ToQRgb(kWhite));  // a missing tile leaves the plain stone colour
  if (!settings.textured) return;
  if (settings.voyeur) {
    texture_ = background_.copy();
    return;
  }
  const int n = 1 + random.Random(4);
  const QImage tile = BitmapResource(QString("KACHEL%1").arg(n)).convertToFormat(QImage::Format_RGB32);
  if (tile.isNull()) return;
  for (int row = 0; row < texture_.height() / kTileSize + 2; ++row) {
    for (int column = 0; column < texture_.width() / kTileSize + 2; ++column) {
      CopyPixels(tile, tile.rect(), texture_, QPoint(kTileSize * column, kTileSize * row));
    }
  }
}

KeyedPicture FieldPainter::LoadStoneBitmap(const QString& name, bool keyIsMagenta) const {
  QImage image = BitmapResource(name);
  if (image.isNull()) return {};
  image = image.convertToFormat(QImage::Format_RGB32);
  const QRgb key = keyIsMagenta ? kMagenta : (image.pixel(0, image.height() - 1) | kBlack);
  return {image, key};
}

void FieldPainter::PrepareSpecialPictures() {
  const KeyedPicture bomb = LoadStoneBitmap("ACTBMP1", false);
  const KeyedPicture rocket = LoadStoneBitmap("ACTBMP2", false);
  const KeyedPicture rock = LoadStoneBitmap("ACTBMP3", false);
  specials_[skBomb] = bomb;
  specials_[skRocketRight] = rocket;
  specials_[skRocketDown] = {Turned(rocket.image, 90), rocket.key};
  specials_[skRocketLeft] = {Turned(rocket.image, 180), rocket.key};
  specials_[skRock] = rock;
  // Turned first and stretched after, so every picture fits its cell.
  if (stoneWidth_ == kPictureStoneWidth && stoneHeight_ == kPictureStoneHeight) return;
  for (KeyedPicture& special : specials_) {
    if (!special.image.isNull()) special.image = ScaleKeyed(special.image, special.key, QSize(stoneWidth_, stoneHeight_));
  }
}

void FieldPainter::PrepareBreakPictures() {
  const bool ownSize = stoneWidth_ == kPictureStoneWidth && stoneHeight_ == kPictureStoneHeight;
  for (int frame = 0; frame < kBreakFrames; ++frame) {
    KeyedPicture picture = LoadStoneBitmap(QString("BREAK%1").arg(frame), true);
    if (!ownSize && !picture.image.isNull()) {
      picture.image = ScaleKeyed(picture.image, picture.key, QSize(stoneWidth_, stoneHeight_));
    }
    breaks_[static_cast<std::size_t>(frame)] = picture;
  }
}

void FieldPainter::DrawStone(const Field& field, const TStoneCell& cell, int dx, QImage& canvas, int dy,
                             DrawFlags flags) {
  EnsureRgb32(canvas);
  const QPoint at(cell.Left + dx, cell.Top + dy);
  const QRect area(at, QSize(field.StoneWidth(), field.StoneHeight()));
  const ColorValue color = cell.Occupied ? cell.Color : kWhite;
  if (color == kWhite) {
    // A stone of pure white looks like an empty cell.
    if (cell.Index != -1) RestoreBackground(canvas, area);
    return;
  }
  if (settings_.actionsOn && cell.Kind != skNormal) {
    DrawSpecial(cell, canvas, area, flags);
    return;
  }
  if (settings_.textured) {
    DrawTextured(color, canvas, area);
    if (settings_.traceOutline && cell.Index != -1 && !flags.drawingRamp && !flags.droppingStone) {
      DrawOutline(field, cell, flags);
    }
    return;
  }
  FillPixels(canvas, area, ToQRgb(color));
  if (!settings_.traceOutline) {
    FramePixels(canvas, area, kBlack);
  } else if (!flags.drawingRamp) {
    DrawOutline(field, cell, flags);
  }
}

void FieldPainter::DrawSpecial(const TStoneCell& cell, QImage& canvas, const QRect& area, DrawFlags flags) {
  if (!flags.drawingRamp) RestoreBackground(canvas, area);
  if (cell.Kind >= specials_.size()) return;
  const KeyedPicture& special = specials_[cell.Kind];
  CopyKeyed(special.image, special.key, canvas, area.topLeft());
}

void FieldPainter::DrawTextured(ColorValue color, QImage& canvas, const QRect& area) {
  if (stoneScratch_.size() != area.size()) stoneScratch_ = QImage(area.size(), QImage::Format_RGB32);
  stoneScratch_.fill(ToQRgb(kWhite));  // outside the texture: the plain colour
  CopyPixels(texture_, area, stoneScratch_, QPoint(0, 0));
  for (int y = 0; y < stoneScratch_.height(); ++y) {
    MixStoneColor(reinterpret_cast<std::uint32_t*>(stoneScratch_.scanLine(y)),
                  static_cast<std::size_t>(stoneScratch_.width()), color);
  }
  CopyPixels(stoneScratch_, stoneScratch_.rect(), canvas, area.topLeft());
}

void FieldPainter::DrawOutline(const Field& field, const TStoneCell& cell, DrawFlags flags) {
  if (flags.busy) return;
  for (const OutlineLine& line : CellOutline(field, cell)) {
    const QSize size = line.horizontal ? QSize(line.length, 1) : QSize(1, line.length);
    FillPixels(surface_, QRect(QPoint(line.x, line.y), size), kBlack);
  }
}

void FieldPainter::DrawFieldFrame() {
  FramePixels(surface_, QRect(QPoint(0, 0), background_.size()), kBlack);
}

void FieldPainter::DrawWholeField(const Field& field, DrawFlags flags) {
  for (const TStoneCell& cell : field.Cells()) DrawStone(field, cell, 0, surface_, 0, flags);
  DrawFieldFrame();
}

void FieldPainter::RestoreBackground(QImage& canvas, const QRect& rect) {
  EnsureRgb32(canvas);
  CopyPixels(background_, rect, canvas, rect.topLeft());
}

void FieldPainter::DrawBreak(int frame, QImage& canvas, QPoint topLeft) {
  if (frame < 0 || frame >= kBreakFrames) return;
  EnsureRgb32(canvas);
  const KeyedPicture& picture = breaks_[static_cast<std::size_t>(frame)];
  CopyKeyed(picture.image, picture.key, canvas, topLeft);
}

const QImage& FieldPainter::SpecialPicture(std::uint8_t kind) const {
  static const QImage none;
  return kind < specials_.size() ? specials_[kind].image : none;
}

}  // namespace pebble::ui
