#include "render/ui/field_painter.h"

#include <QPainter>
#include <QTransform>
#include <cmath>

#include "render/field_scale.h"
#include "render/outline.h"
#include "render/picture_fit.h"
#include "render/stone_mix.h"
#include "render/ui/bitmap_resource.h"
#include "render/ui/pixel_blit.h"
#include "render/ui/stone_symbols.h"

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

void FieldPainter::Prepare(const GameSettings& settings, QSize paintBox, const QImage& picture, GameRandom& random,
                           double ratio) {
  Free();
  settings_ = settings;
  picture_ = picture;
  paintBox_ = paintBox;
  stoneWidth_ = settings.stoneWidth;
  stoneHeight_ = settings.stoneHeight;
  tile_ = settings.textured && !settings.voyeur ? 1 + random.Random(4) : 0;
  MakePictures(ratio);
}

void FieldPainter::Rescale(double ratio) {
  if (paintBox_.isEmpty() || ratio == ratio_) return;
  MakePictures(ratio);
}

void FieldPainter::MakePictures(double ratio) {
  ratio_ = ratio > 0 ? ratio : 1.0;
  background_ = BackgroundAt(settings_, paintBox_, picture_, ratio_);
  fieldBackground_ = ratio_ == 1.0 ? background_ : BackgroundAt(settings_, paintBox_, picture_, 1.0);
  surface_ = background_.copy();
  surface_.setDevicePixelRatio(ratio_);
  DrawFieldFrame();
  PrepareTexture();
  specials_.fill({});
  breaks_.fill({});
  if (settings_.actionsOn) PrepareSpecialPictures();
  if (settings_.animationsOn) PrepareBreakPictures();
  stoneScratch_ = QImage(DeviceRect(QRect(0, 0, stoneWidth_, stoneHeight_)).size() + QSize(1, 1), QImage::Format_RGB32);
}

QImage FieldPainter::NewCanvas(QSize size) const {
  QImage canvas(DeviceSize(size, ratio_), QImage::Format_RGB32);
  canvas.setDevicePixelRatio(ratio_);
  return canvas;
}

int FieldPainter::Device(int fieldPixels) const { return DevicePixel(fieldPixels, ratio_); }

QRect FieldPainter::DeviceRect(const QRect& area) const {
  const QPoint topLeft(Device(area.left()), Device(area.top()));
  return QRect(topLeft, QPoint(Device(area.left() + area.width()) - 1, Device(area.top() + area.height()) - 1));
}

QSize FieldPainter::DeviceSize(QSize size, double ratio) const {
  return {DeviceLength(size.width(), ratio), DeviceLength(size.height(), ratio)};
}

int FieldPainter::LineWidth() const { return std::max(1, static_cast<int>(std::lround(ratio_))); }

std::pair<int, int> FieldPainter::LineSpan(int at, bool lastOfCell) const {
  const int first = lastOfCell ? Device(at + 1) - LineWidth() : Device(at);
  return {first, LineWidth()};
}

void FieldPainter::Free() {
  picture_ = QImage();
  paintBox_ = QSize();
  surface_ = QImage();
  background_ = QImage();
  texture_ = QImage();
  stoneScratch_ = QImage();
  fieldBackground_ = QImage();
  specials_.fill({});
  breaks_.fill({});
}

QImage FieldPainter::BackgroundAt(const GameSettings& settings, QSize paintBox, const QImage& picture,
                                  double ratio) const {
  QImage background(DeviceSize(paintBox, ratio), QImage::Format_RGB32);
  QRgb fill = kBlack;
  if (!picture.isNull()) fill = picture.pixel(qMin(1, picture.width() - 1), qMin(1, picture.height() - 1)) | kBlack;
  background.fill(fill);
  const PixelRect place = settings.fitToPicture
                              ? StretchPictureRect(paintBox.width(), paintBox.height())
                              : FitPictureRect(picture.width(), picture.height(), paintBox.width(), paintBox.height());
  if (!picture.isNull() && !place.Empty()) {
    const auto at = [ratio](int pixels) { return static_cast<int>(std::lround(pixels * ratio)); };
    const QRect device(QPoint(at(place.left), at(place.top)), QPoint(at(place.right) - 1, at(place.bottom) - 1));
    const QImage scaled = picture.convertToFormat(QImage::Format_RGB32)
                              .scaled(device.width(), device.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    CopyPixels(scaled, scaled.rect(), background, device.topLeft());
  }
  DrawFrameOf(background, paintBox, ratio);
  return background;
}

// The field's black frame: its first and last pixel row and column.
void FieldPainter::DrawFrameOf(QImage& image, QSize paintBox, double ratio) const {
  const int t = std::max(1, static_cast<int>(std::lround(ratio)));
  const int right = static_cast<int>(std::lround((paintBox.width() - 1) * ratio));
  const int bottom = static_cast<int>(std::lround((paintBox.height() - 1) * ratio));
  FillPixels(image, QRect(0, 0, image.width(), t), kBlack);
  FillPixels(image, QRect(0, 0, t, image.height()), kBlack);
  FillPixels(image, QRect(0, bottom, image.width(), image.height() - bottom), kBlack);
  FillPixels(image, QRect(right, 0, image.width() - right, image.height()), kBlack);
}

void FieldPainter::PrepareTexture() {
  texture_ = QImage(background_.size(), QImage::Format_RGB32);
  texture_.fill(ToQRgb(kWhite));  // a missing tile leaves the plain stone colour
  if (!settings_.textured) return;
  if (settings_.voyeur) {
    texture_ = background_.copy();
    return;
  }
  QImage tile = BitmapResourceFor(QString("KACHEL%1").arg(tile_), ratio_).convertToFormat(QImage::Format_RGB32);
  if (tile.isNull()) return;
  const int tileSize = static_cast<int>(std::ceil(kTileSize * ratio_ - 1e-9));
  if (tile.width() != tileSize) tile = tile.scaled(tileSize, tileSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  for (int row = 0; row < texture_.height() / tileSize + 2; ++row) {
    for (int column = 0; column < texture_.width() / tileSize + 2; ++column) {
      CopyPixels(tile, tile.rect(), texture_, QPoint(Device(kTileSize * column), Device(kTileSize * row)));
    }
  }
}

KeyedPicture FieldPainter::LoadStoneBitmap(const QString& name, bool keyIsMagenta) const {
  QImage image = BitmapResourceFor(name, ratio_);
  if (image.isNull()) return {};
  const double madeFor = image.devicePixelRatio();
  image = image.convertToFormat(QImage::Format_RGB32);
  image.setDevicePixelRatio(1);  // drawn pixel for pixel onto the device pixels
  const QRgb key = keyIsMagenta ? kMagenta : (image.pixel(0, image.height() - 1) | kBlack);
  // A picture made for another scale than the screen's is brought to the screen's.
  if (madeFor != ratio_) image = ScaleKeyed(image, key, (QSizeF(image.size()) * (ratio_ / madeFor)).toSize());
  return {image, key};
}

// Pictures are made for 20 x 21 stones; other stone sizes get them stretched.
KeyedPicture FieldPainter::FittedToStone(KeyedPicture picture) const {
  if (picture.image.isNull() || (stoneWidth_ == kPictureStoneWidth && stoneHeight_ == kPictureStoneHeight)) {
    return picture;
  }
  picture.image = ScaleKeyed(picture.image, picture.key, QSize(Device(stoneWidth_), Device(stoneHeight_)));
  return picture;
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
  for (KeyedPicture& special : specials_) special = FittedToStone(special);
}

void FieldPainter::PrepareBreakPictures() {
  for (int frame = 0; frame < kBreakFrames; ++frame) {
    breaks_[static_cast<std::size_t>(frame)] = FittedToStone(LoadStoneBitmap(QString("BREAK%1").arg(frame), true));
  }
}

void FieldPainter::DrawStone(const Field& field, const TStoneCell& cell, int dx, QImage& canvas, int dy,
                             DrawFlags flags) {
  EnsureRgb32(canvas);
  const QPoint at(cell.Left + dx, cell.Top + dy);
  const QRect area(at, QSize(field.StoneWidth(), field.StoneHeight()));
  const QRect device = DeviceRect(area);
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
    DrawTextured(color, canvas, device);
    if (settings_.traceOutline && cell.Index != -1 && !flags.drawingRamp && !flags.droppingStone) {
      DrawOutline(field, cell, flags);
    }
  } else {
    FillPixels(canvas, device, ToQRgb(color));
    if (!settings_.traceOutline) {
      FrameThick(canvas, device, kBlack, LineWidth());
    } else if (!flags.drawingRamp) {
      DrawOutline(field, cell, flags);
    }
  }
  if (settings_.stoneSymbols) DrawSymbol(canvas, area, color);
}

void FieldPainter::DrawSpecial(const TStoneCell& cell, QImage& canvas, const QRect& area, DrawFlags flags) {
  if (!flags.drawingRamp) RestoreBackground(canvas, area);
  if (cell.Kind >= specials_.size()) return;
  const KeyedPicture& special = specials_[cell.Kind];
  CopyKeyedInto(special.image, special.key, canvas, DeviceRect(area));
}

void FieldPainter::DrawTextured(ColorValue color, QImage& canvas, const QRect& device) {
  if (stoneScratch_.width() < device.width() || stoneScratch_.height() < device.height()) {
    stoneScratch_ = QImage(device.size().expandedTo(stoneScratch_.size()), QImage::Format_RGB32);
  }
  const QRect stone(QPoint(0, 0), device.size());
  FillPixels(stoneScratch_, stone, ToQRgb(kWhite));  // outside the texture: the plain colour
  CopyPixels(texture_, device, stoneScratch_, QPoint(0, 0));
  for (int y = 0; y < stone.height(); ++y) {
    MixStoneColor(reinterpret_cast<std::uint32_t*>(stoneScratch_.scanLine(y)), static_cast<std::size_t>(stone.width()),
                  color);
  }
  CopyPixels(stoneScratch_, stone, canvas, device.topLeft());
}

// The symbol is drawn in field pixels on a painter that maps them to the
// canvas's device pixels as the rest of the stone was.
void FieldPainter::DrawSymbol(QImage& canvas, const QRect& area, ColorValue color) const {
  const int shape = SymbolShapeOf(settings_.stoneColors, color);
  if (shape < 0) return;
  QPainter painter(&canvas);
  const double scale = ratio_ / canvas.devicePixelRatio();
  painter.scale(scale, scale);
  DrawStoneSymbol(painter, QRectF(area), shape, color);
}

void FieldPainter::DrawOutline(const Field& field, const TStoneCell& cell, DrawFlags flags) {
  if (flags.busy) return;
  const int lastColumn = cell.Left + field.StoneWidth() - 1, lastRow = cell.Top + field.StoneHeight() - 1;
  for (const OutlineLine& line : CellOutline(field, cell)) {
    if (line.horizontal) {
      const auto [top, height] = LineSpan(line.y, line.y == lastRow);
      const int left = Device(line.x);
      FillPixels(surface_, QRect(left, top, Device(line.x + line.length) - left, height), kBlack);
    } else {
      const auto [left, width] = LineSpan(line.x, line.x == lastColumn);
      const int top = Device(line.y);
      FillPixels(surface_, QRect(left, top, width, Device(line.y + line.length) - top), kBlack);
    }
  }
}

void FieldPainter::DrawFieldFrame() { DrawFrameOf(surface_, fieldBackground_.size(), ratio_); }

void FieldPainter::DrawWholeField(const Field& field, DrawFlags flags) {
  for (const TStoneCell& cell : field.Cells()) DrawStone(field, cell, 0, surface_, 0, flags);
  DrawFieldFrame();
}

void FieldPainter::RestoreBackground(QImage& canvas, const QRect& rect) {
  EnsureRgb32(canvas);
  const QRect device = DeviceRect(rect);
  CopyPixels(background_, device, canvas, device.topLeft());
}

void FieldPainter::DrawBreak(int frame, QImage& canvas, QPoint topLeft) {
  if (frame < 0 || frame >= kBreakFrames) return;
  EnsureRgb32(canvas);
  const KeyedPicture& picture = breaks_[static_cast<std::size_t>(frame)];
  CopyKeyedInto(picture.image, picture.key, canvas, DeviceRect(QRect(topLeft, QSize(stoneWidth_, stoneHeight_))));
}

const QImage& FieldPainter::SpecialPicture(std::uint8_t kind) const {
  static const QImage none;
  return kind < specials_.size() ? specials_[kind].image : none;
}

}  // namespace pebble::ui
