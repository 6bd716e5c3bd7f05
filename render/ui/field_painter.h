#pragma once
// Draws the field cell by cell onto its surface (what imgMain shows), the ramp
// stones onto the ramp's picture and every animation frame. What lies behind a
// moving stone comes back from the background bitmap.
//
// Every position is given in the field's own pixels. On a fine screen the
// surface holds `ratio` device pixels per field pixel, and stones, textures,
// pictures and lines are drawn at that resolution, so nothing is enlarged
// pixel by pixel; at a ratio of 1 every pixel is what the field has always
// shown.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <utility>

#include "config/game_settings.h"
#include "engine/field.h"
#include "engine/random.h"
#include "engine/stone_cell.h"

namespace pebble::ui {

struct DrawFlags {
  bool busy = false, drawingRamp = false, droppingStone = false;
};

// A stone picture and the colour that shows through it.
struct KeyedPicture {
  QImage image;
  QRgb key = 0;
};

class FieldPainter {
 public:
  static constexpr int kBreakFrames = 4;

  // The set-up steps of the pictures, in order: the background bitmap from the
  // picture (filled with its pixel (1, 1), the picture stretched over it or
  // fitted inside, a black frame), the frame on the surface, the texture (a
  // copy of the background for the voyeur look, else tiles of KACHEL n), the
  // special stones when actionsOn, the crumbling frames when animationsOn, the
  // one-stone scratch. paintBox = C * W + 1 by R * H + 1.
  void Prepare(const GameSettings& settings, QSize paintBox, const QImage& picture, GameRandom& random,
               double ratio = 1.0);
  // The same pictures made again for another ratio (the field shown larger or
  // smaller, or on another screen), with the same texture tile; the surface
  // holds the empty field after it, for the whole field to be drawn again.
  void Rescale(double ratio);
  void Free();

  QImage& Surface() { return surface_; }
  const QImage& Surface() const { return surface_; }
  // The background in the field's own pixels, whatever the ratio.
  const QImage& BackgroundBitmap() const { return fieldBackground_; }
  const QImage& TextureBitmap() const { return texture_; }
  double Ratio() const { return ratio_; }
  // An empty picture of `size` field pixels to draw stones on (the ramp's).
  QImage NewCanvas(QSize size) const;

  // One cell moved by dx, dy onto canvas (the surface or the ramp's picture,
  // Format_RGB32); trace lines always go to the surface.
  void DrawStone(const Field& field, const TStoneCell& cell, int dx, QImage& canvas, int dy, DrawFlags flags);
  void DrawOutline(const Field& field, const TStoneCell& cell, DrawFlags flags);
  void DrawFieldFrame();
  // Every cell in index order, then the frame.
  void DrawWholeField(const Field& field, DrawFlags flags);
  // Copies the same rectangle of the background bitmap onto canvas.
  void RestoreBackground(QImage& canvas, const QRect& rect);
  // Crumbling frame 0..3 over canvas, its magenta showing what lies below.
  void DrawBreak(int frame, QImage& canvas, QPoint topLeft);
  // Null for kinds without a picture or before the pictures are made.
  const QImage& SpecialPicture(std::uint8_t kind) const;

 private:
  QImage BackgroundAt(const GameSettings& settings, QSize paintBox, const QImage& picture, double ratio) const;
  void MakePictures(double ratio);
  void PrepareTexture();
  void PrepareSpecialPictures();
  void PrepareBreakPictures();
  KeyedPicture LoadStoneBitmap(const QString& name, bool keyIsMagenta) const;
  KeyedPicture FittedToStone(KeyedPicture picture) const;
  void DrawTextured(ColorValue color, QImage& canvas, const QRect& device);
  void DrawSpecial(const TStoneCell& cell, QImage& canvas, const QRect& area, DrawFlags flags);
  void DrawSymbol(QImage& canvas, const QRect& area, ColorValue color) const;
  void DrawFrameOf(QImage& image, QSize paintBox, double ratio) const;

  // Field pixels to device pixels: edges are rounded, so neighbouring cells
  // share their border and a line is LineWidth() device pixels wide.
  int Device(int fieldPixels) const;
  QRect DeviceRect(const QRect& area) const;
  QSize DeviceSize(QSize size, double ratio) const;
  int LineWidth() const;
  // The device rows (or columns) of a one-pixel line at `at`; a line on a
  // cell's last pixel keeps to that cell.
  std::pair<int, int> LineSpan(int at, bool lastOfCell) const;

  GameSettings settings_;
  QImage picture_;
  QSize paintBox_;
  int tile_ = 0;  // the texture's tile, 1 to 4, kept through a change of scale
  double ratio_ = 1.0;
  int stoneWidth_ = 0;
  int stoneHeight_ = 0;
  QImage surface_;
  QImage background_;
  QImage fieldBackground_;
  QImage texture_;
  QImage stoneScratch_;
  std::array<KeyedPicture, kStoneKindCount> specials_{};
  std::array<KeyedPicture, kBreakFrames> breaks_{};
};

}  // namespace pebble::ui
