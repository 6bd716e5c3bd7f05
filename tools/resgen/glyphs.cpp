// Tool bar glyphs (16 x 16, three states side by side: normal, disabled,
// pressed), the count-mode arrows and the table switch of the statistics window
// (12 x 12). The background is the key colour magenta; the bottom-left pixel
// names it, as for every glyph of a flat button.
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <utility>

#include "asset_sink.h"
#include "painting.h"
#include "shading.h"

namespace pebble::resgen {
namespace {

// The button face the glyph edges are blended into.
constexpr QRgb kFace = 0xFFE6E6E6u;

// Draws on a canvas `size` units wide at a high resolution, then reduces it to
// `size` pixels (times the screen's scale) with the edges blended into the
// button face.
QImage Glyph(int size, const Drawing& draw, double scale = 1) {
  const int pixels = ScaledLength(size, scale);
  const Drawing enlarged = [&draw, scale](QPainter& p) {
    p.scale(scale, scale);
    draw(p);
  };
  return FlattenOnKey(Painted(pixels, pixels, enlarged), kMagenta, kFace, 0.3);
}

bool IsKey(QRgb p) { return (p & 0xFFFFFF) == (kMagenta & 0xFFFFFF); }

// The classic etched look of a disabled button: a grey silhouette over a white
// one moved a pixel (of the glyph's own size) down and right.
QImage Disabled(const QImage& normal, int shift) {
  QImage result(normal.size(), QImage::Format_RGB32);
  result.fill(kMagenta);
  for (int y = 0; y < normal.height(); ++y) {
    for (int x = 0; x < normal.width(); ++x) {
      if (IsKey(normal.pixel(x, y))) continue;
      if (x + shift < normal.width() && y + shift < normal.height()) result.setPixel(x + shift, y + shift, 0xFFFFFFFFu);
    }
  }
  for (int y = 0; y < normal.height(); ++y) {
    for (int x = 0; x < normal.width(); ++x) {
      const QRgb p = normal.pixel(x, y);
      if (IsKey(p)) continue;
      const int lum = (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100;
      const int grey = lum > 200 ? 0xC4 : 0x8C;
      result.setPixel(x, y, qRgb(grey, grey, grey));
    }
  }
  return result;
}

QImage Pressed(const QImage& normal) {
  QImage result = normal.copy();
  for (int y = 0; y < result.height(); ++y) {
    for (int x = 0; x < result.width(); ++x) {
      const QRgb p = result.pixel(x, y);
      if (!IsKey(p)) result.setPixel(x, y, qRgb(qRed(p) * 85 / 100, qGreen(p) * 85 / 100, qBlue(p) * 85 / 100));
    }
  }
  return result;
}

QImage ThreeStates(const Drawing& draw, double scale = 1) {
  const QImage normal = Glyph(16, draw, scale);
  const int size = normal.width();
  QImage strip(3 * size, size, QImage::Format_RGB32);
  QPainter painter(&strip);
  painter.drawImage(0, 0, normal);
  painter.drawImage(size, 0, Disabled(normal, static_cast<int>(std::lround(scale))));
  painter.drawImage(2 * size, 0, Pressed(normal));
  painter.end();
  strip.setPixel(0, size - 1, kMagenta);
  return strip;
}

QLinearGradient Vertical(double top, double bottom, QColor light, QColor dark) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, light);
  g.setColorAt(1, dark);
  return g;
}

const QColor kOutline(0x30, 0x2C, 0x2A);

void NewGame(QPainter& p) {
  const QColor colours[4][2] = {{QColor(0xFF, 0x7A, 0x6E), QColor(0xC0, 0x1A, 0x12)},
                                {QColor(0x7E, 0x9C, 0xFF), QColor(0x12, 0x2E, 0xB8)},
                                {QColor(0x7E, 0xD8, 0x6E), QColor(0x16, 0x7A, 0x1A)},
                                {QColor(0xFF, 0xC8, 0x6A), QColor(0xD8, 0x6A, 0x08)}};
  for (int i = 0; i < 4; ++i) {
    const double x = 1.5 + (i % 2) * 6.5, y = 3.5 + (i / 2) * 6.2;
    p.setPen(QPen(kOutline, 0.7));
    p.setBrush(Vertical(y, y + 6, colours[i][0], colours[i][1]));
    p.drawRoundedRect(QRectF(x, y, 6.0, 5.8), 1.6, 1.6);
  }
  // A sparkle: a new, fresh game.
  QPainterPath star;
  const double cx = 13.2, cy = 3.0;
  for (int k = 0; k < 8; ++k) {
    const double r = k % 2 ? 1.0 : 3.0, a = k * 3.14159265 / 4 - 3.14159265 / 2;
    const QPointF point(cx + r * std::cos(a), cy + r * std::sin(a));
    k ? star.lineTo(point) : star.moveTo(point);
  }
  star.closeSubpath();
  p.setPen(QPen(QColor(0xA0, 0x70, 0x00), 0.5));
  p.setBrush(QColor(0xFF, 0xE0, 0x40));
  p.drawPath(star);
}

void Folder(QPainter& p) {
  p.setPen(QPen(QColor(0x7A, 0x58, 0x10), 0.8));
  QPainterPath back;
  back.moveTo(1.0, 3.0);
  back.lineTo(5.8, 3.0);
  back.lineTo(7.2, 4.6);
  back.lineTo(14.2, 4.6);
  back.lineTo(14.2, 13.6);
  back.lineTo(1.0, 13.6);
  back.closeSubpath();
  p.setBrush(Vertical(3, 14, QColor(0xE8, 0xC0, 0x58), QColor(0xB8, 0x88, 0x28)));
  p.drawPath(back);
  QPainterPath front;
  front.moveTo(2.8, 7.0);
  front.lineTo(15.4, 7.0);
  front.lineTo(14.2, 13.6);
  front.lineTo(1.0, 13.6);
  front.closeSubpath();
  p.setBrush(Vertical(7, 14, QColor(0xFF, 0xE6, 0x8C), QColor(0xE8, 0xB4, 0x40)));
  p.drawPath(front);
}

void Undo(QPainter& p) {
  QPainterPath arc;
  arc.moveTo(4.0, 9.5);
  arc.cubicTo(4.0, 3.5, 13.5, 2.5, 13.6, 8.8);
  arc.cubicTo(13.6, 12.0, 11.5, 13.8, 8.8, 13.8);
  QPen band(QColor(0x1E, 0x4F, 0xA8), 3.6, Qt::SolidLine, Qt::RoundCap);
  p.setPen(band);
  p.setBrush(Qt::NoBrush);
  p.drawPath(arc);
  band.setColor(QColor(0x6C, 0xA8, 0xF0));
  band.setWidthF(1.8);
  p.setPen(band);
  p.drawPath(arc);
  QPainterPath head;
  head.moveTo(0.4, 7.6);
  head.lineTo(7.4, 7.6);
  head.lineTo(3.9, 12.6);
  head.closeSubpath();
  p.setPen(QPen(QColor(0x1E, 0x4F, 0xA8), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(0x4A, 0x8E, 0xE8));
  p.drawPath(head);
}

void Statistics(QPainter& p) {
  const double heights[3] = {5.0, 11.0, 8.0};
  const QColor tops[3] = {QColor(0xFF, 0x8A, 0x7A), QColor(0x8A, 0xE0, 0x7A), QColor(0x8C, 0xB4, 0xFF)};
  const QColor bottoms[3] = {QColor(0xC0, 0x22, 0x18), QColor(0x20, 0x86, 0x22), QColor(0x20, 0x48, 0xC0)};
  p.setPen(QPen(kOutline, 0.7));
  for (int i = 0; i < 3; ++i) {
    const double x = 2.0 + i * 4.2;
    p.setBrush(Vertical(14 - heights[i], 14, tops[i], bottoms[i]));
    p.drawRect(QRectF(x, 14.0 - heights[i], 3.4, heights[i]));
  }
  p.setPen(QPen(kOutline, 1.0));
  p.drawLine(QPointF(0.8, 14.5), QPointF(15.2, 14.5));
}

void Gear(QPainter& p) {
  QPainterPath gear;
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 4; ++i) {
    const double a = (i + 0.5) * 3.14159265 * 2 / (kTeeth * 4);
    const double r = (i % 4 == 0 || i % 4 == 1) ? 7.3 : 5.4;
    const QPointF point(8 + r * std::cos(a), 8 + r * std::sin(a));
    i ? gear.lineTo(point) : gear.moveTo(point);
  }
  gear.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(QPointF(8, 8), 2.2, 2.2);
  QRadialGradient steel(QPointF(6, 5.5), 9);
  steel.setColorAt(0, QColor(0xF4, 0xF6, 0xFA));
  steel.setColorAt(1, QColor(0x72, 0x7C, 0x8C));
  p.setPen(QPen(QColor(0x3A, 0x40, 0x4A), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(steel);
  p.drawPath(gear.subtracted(hole));
}

// A round badge with a letter drawn from strokes (no font: the same on every system).
void Badge(QPainter& p, QColor light, QColor dark) {
  QRadialGradient fill(QPointF(6, 5), 9);
  fill.setColorAt(0, light);
  fill.setColorAt(1, dark);
  p.setPen(QPen(dark.darker(160), 0.8));
  p.setBrush(fill);
  p.drawEllipse(QPointF(8, 8), 7.2, 7.2);
}

void About(QPainter& p) {
  Badge(p, QColor(0x8C, 0xC4, 0xFF), QColor(0x16, 0x4E, 0xB4));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 4.6), 1.35, 1.35);
  QPainterPath stem;
  stem.moveTo(6.2, 7.0);
  stem.lineTo(9.1, 7.0);
  stem.lineTo(9.1, 11.6);
  stem.lineTo(10.0, 11.6);
  stem.lineTo(10.0, 12.8);
  stem.lineTo(6.0, 12.8);
  stem.lineTo(6.0, 11.6);
  stem.lineTo(6.9, 11.6);
  stem.lineTo(6.9, 8.2);
  stem.lineTo(6.2, 8.2);
  stem.closeSubpath();
  p.drawPath(stem);
}

void Help(QPainter& p) {
  Badge(p, QColor(0x9C, 0xEC, 0x8C), QColor(0x1C, 0x86, 0x2A));
  QPainterPath hook;
  hook.moveTo(5.4, 6.2);
  hook.cubicTo(5.4, 3.0, 10.8, 3.0, 10.8, 6.0);
  hook.cubicTo(10.8, 8.0, 8.0, 8.2, 8.0, 10.0);
  p.setPen(QPen(Qt::white, 2.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(hook);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8.0, 12.6), 1.25, 1.25);
}

// Count-mode arrow on a 12 x 12 canvas; `up` points it upwards.
Drawing Arrow(bool up, QColor light, QColor dark) {
  return [=](QPainter& p) {
    QPainterPath path;
    path.moveTo(6, 0.6);
    path.lineTo(11.4, 6.2);
    path.lineTo(8.0, 6.2);
    path.lineTo(8.0, 11.2);
    path.lineTo(4.0, 11.2);
    path.lineTo(4.0, 6.2);
    path.lineTo(0.6, 6.2);
    path.closeSubpath();
    if (!up) p.setTransform(QTransform(1, 0, 0, -1, 0, 12), true);
    p.setPen(QPen(dark.darker(140), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Vertical(0, 12, up ? light : dark, up ? dark : light));
    p.drawPath(path);
  };
}

// Disclosure triangle: pointing down while the table is shown, left while hidden.
Drawing Switch(double turnDegrees) {
  return [=](QPainter& p) {
    p.translate(6, 6);
    p.rotate(turnDegrees);
    QPainterPath path;
    path.moveTo(-4.6, -2.4);
    path.lineTo(4.6, -2.4);
    path.lineTo(0, 3.4);
    path.closeSubpath();
    p.setPen(QPen(QColor(0x20, 0x20, 0x28), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x48, 0x50, 0x60));
    p.drawPath(path);
  };
}

QImage Small(const Drawing& draw, double scale = 1) {
  QImage picture = Glyph(12, draw, scale);
  picture.setPixel(0, picture.height() - 1, kMagenta);
  return picture;
}

// Every glyph also at the scales of finer screens.
void Glyphs(AssetSink& sink, const QString& name, const std::function<QImage(double)>& make) {
  sink.Bitmap(name, make(1));
  for (double scale : kPictureScales) sink.ScaledBitmap(name, scale, make(scale));
}

}  // namespace

void MakeToolbarGlyphs(AssetSink& sink) {
  const std::pair<const char*, Drawing> buttons[] = {{"SB_NEU", NewGame},   {"SB_FILE", Folder},  {"SB_UNDO", Undo},
                                                      {"SB_INFO", Statistics}, {"SB_CFG", Gear},   {"SB_ABOUT", About},
                                                      {"SB_HELP", Help}};
  for (const auto& [name, draw] : buttons) {
    Glyphs(sink, name, [&draw = draw](double scale) { return ThreeStates(draw, scale); });
  }
  const std::pair<const char*, Drawing> small[] = {
      {"SB_ARROWUP", Arrow(true, QColor(0x9C, 0xEC, 0x8C), QColor(0x1C, 0x86, 0x2A))},
      {"SB_ARROWDOWN", Arrow(false, QColor(0xFF, 0xB0, 0x80), QColor(0xC8, 0x3A, 0x10))},
      {"SB_SWITCHD", Switch(0)},
      {"SB_SWITCHL", Switch(90)}};
  for (const auto& [name, draw] : small) {
    Glyphs(sink, name, [&draw = draw](double scale) { return Small(draw, scale); });
  }
}

}  // namespace pebble::resgen
