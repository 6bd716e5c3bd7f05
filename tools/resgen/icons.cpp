// The program's icons: "Mainicon" (a few glossy pebbles), "WordIcon" (a plain
// document, the disguise) and "ZFILEICO1" (a saved game: a page with stones),
// each at the sizes a desktop asks for; and the report list's emblem PEBBLESM
// with its grey twin PEBBLESMGR (16 x 16 on magenta).
#include <QPainterPath>
#include <cmath>
#include <vector>

#include "asset_sink.h"
#include "painting.h"
#include "shading.h"

namespace pebble::resgen {
namespace {

const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The pebbles in units of the icon's size, back to front.
std::vector<Pebble> IconPebbles(int size, bool emblem) {
  struct Layout {
    double cx, cy, rx, ry, angle;
    unsigned colour;
  };
  // The emblem is tiny: two pebbles read better than three.
  const std::vector<Layout> layout =
      emblem ? std::vector<Layout>{{0.62, 0.36, 0.34, 0.27, -0.5, 0x2FA844},
                                   {0.42, 0.66, 0.40, 0.30, 0.25, 0xE0352C}}
             : std::vector<Layout>{{0.64, 0.31, 0.28, 0.20, -0.42, 0x4A9A58},
                                   {0.33, 0.53, 0.29, 0.21, 0.38, 0xC9503F},
                                   {0.64, 0.70, 0.31, 0.21, -0.1, 0x4A6FBE}};
  std::vector<Pebble> pebbles;
  for (std::size_t i = 0; i < layout.size(); ++i) {
    const Layout& l = layout[i];
    Pebble p;
    p.cx = l.cx * size;
    p.cy = l.cy * size;
    p.rx = l.rx * size;
    p.ry = l.ry * size;
    p.angle = l.angle;
    p.squareness = 2.3;
    p.profile = 2.5;
    p.colour = FromHex(l.colour);
    p.gloss = 0.85;
    p.grain = size >= 48 ? 0.14 : 0.0;
    p.seed = 500 + i;
    pebbles.push_back(p);
  }
  return pebbles;
}

QImage PebbleCluster(int size, bool emblem) {
  const std::vector<Pebble> pebbles = IconPebbles(size, emblem);
  const double edge = std::max(0.6, size / 64.0);
  return Render(size, size, 4, [&](double x, double y) {
    Rgba result{0, 0, 0, 0};
    for (const Pebble& p : pebbles) {
      const double shadow = PebbleShadow(p, x, y, size * 0.035, size * 0.03 + 0.5) * 0.35;
      result = Over({0.05, 0.05, 0.08, shadow}, result);
      result = Over(ShadePebble(p, x, y, edge), result);
    }
    return result;
  });
}

// A sheet of paper with its top-right corner folded over.
void Page(QPainter& p, double s) {
  const double left = 0.16 * s, right = 0.84 * s, top = 0.05 * s, bottom = 0.95 * s;
  const double fold = 0.22 * s;
  QPainterPath sheet;
  sheet.moveTo(left, top);
  sheet.lineTo(right - fold, top);
  sheet.lineTo(right, top + fold);
  sheet.lineTo(right, bottom);
  sheet.lineTo(left, bottom);
  sheet.closeSubpath();
  QLinearGradient paper(0, top, 0, bottom);
  paper.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
  paper.setColorAt(1, QColor(0xE8, 0xEC, 0xF2));
  p.setPen(QPen(QColor(0x70, 0x78, 0x88), std::max(0.8, s / 48)));
  p.setBrush(paper);
  p.drawPath(sheet);
  QPainterPath corner;
  corner.moveTo(right - fold, top);
  corner.lineTo(right - fold, top + fold);
  corner.lineTo(right, top + fold);
  corner.closeSubpath();
  p.setBrush(QColor(0xD4, 0xDA, 0xE4));
  p.drawPath(corner);
}

void TextLines(QPainter& p, double s, double from, double to) {
  const double left = 0.26 * s, right = 0.74 * s;
  const int count = s <= 16 ? 3 : static_cast<int>((to - from) / 0.085);
  const double step = (to - from) * s / count;
  const double thick = std::max(1.0, s / 40);
  for (int i = 0; i < count; ++i) {
    const double y = from * s + i * step + step * 0.5;
    const double end = (i % 4 == 3) ? left + (right - left) * 0.55 : right;  // paragraph ends
    p.fillRect(QRectF(left, y - thick / 2, end - left, thick), QColor(0x8A, 0x94, 0xA6));
  }
}

QImage Document(int size) {
  return Painted(size, size, [size](QPainter& p) {
    const double s = size;
    Page(p, s);
    // A blue heading, then the text.
    p.fillRect(QRectF(0.26 * s, 0.13 * s, 0.30 * s, std::max(1.5, s / 16)), QColor(0x2B, 0x5C, 0xB8));
    TextLines(p, s, 0.30, 0.88);
  });
}

QImage SavedGame(int size) {
  return Painted(size, size, [size](QPainter& p) {
    const double s = size;
    Page(p, s);
    const int grid = size <= 16 ? 2 : 3;
    const QColor colours[] = {QColor(0xE0, 0x35, 0x2C), QColor(0x2E, 0x62, 0xDA), QColor(0x2F, 0xA8, 0x44),
                              QColor(0xF0, 0x90, 0x20), QColor(0xB8, 0xB8, 0xC0)};
    const int pattern[3][3] = {{0, 1, 1}, {2, 0, 3}, {2, 4, 3}};
    const double cell = 0.5 * s / grid, left = 0.25 * s, top = 0.36 * s;
    for (int r = 0; r < grid; ++r) {
      for (int c = 0; c < grid; ++c) {
        const QRectF box(left + c * cell, top + r * cell, cell, cell);
        QLinearGradient shade(box.topLeft(), box.bottomRight());
        const QColor colour = colours[pattern[r][c]];
        shade.setColorAt(0, colour.lighter(135));
        shade.setColorAt(1, colour.darker(115));
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), std::max(0.6, s / 64)));
        p.setBrush(shade);
        p.drawRect(box);
      }
    }
    if (size > 16) TextLines(p, s, 0.14, 0.30);
  });
}

template <typename Make>
std::vector<QImage> AllSizes(Make make) {
  std::vector<QImage> images;
  for (int size : kIconSizes) images.push_back(make(size));
  return images;
}

}  // namespace

void MakeIcons(AssetSink& sink) {
  sink.Icon("Mainicon", AllSizes([](int size) { return PebbleCluster(size, false); }));
  sink.Icon("WordIcon", AllSizes(Document));
  sink.Icon("ZFILEICO1", AllSizes(SavedGame));
  // The report list is white: the emblem's soft edge is mixed into white.
  const QImage emblem = FlattenOnKey(PebbleCluster(16, true), kMagenta, 0xFFFFFFFFu, 0.35);
  sink.Bitmap("PEBBLESM", emblem);
  sink.Bitmap("PEBBLESMGR", Greyed(emblem, kMagenta));
}

}  // namespace pebble::resgen
