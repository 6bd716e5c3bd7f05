// A sheet to look at the resources the way a player will: every picture four
// times enlarged on grey, plus small fields of the default stone colours laid
// on each texture exactly as the game mixes them.
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "asset_sink.h"

namespace pebble::resgen {
namespace {

constexpr int kZoom = 6;
constexpr int kGap = 12;
constexpr QRgb kSheetGrey = 0xFF9A9A9Au;
// The first five colours of the classic palette, as red, green, blue.
const QRgb kDefaultStones[] = {0xFFFF0000u, 0xFF0000FFu, 0xFF008000u, 0xFFFF8000u, 0xFFC0C0C0u};

int Mixed(int stone, int texture) { return std::abs(stone + texture - 255); }

// A little field of 6 x 5 stones, 20 x 21 each, with the texture tiled from the
// field's corner and a black frame around each same-coloured group.
QImage TexturedField(const QImage& texture, const QImage& background) {
  constexpr int kCols = 6, kRows = 5, kW = 20, kH = 21;
  const int colours[kRows][kCols] = {{0, 0, 1, 2, 2, 3}, {4, 0, 1, 1, 2, 3}, {4, 4, 3, 1, 0, 0},
                                     {2, 4, 3, 3, 0, 1}, {2, 2, 1, 3, 4, 1}};
  QImage field(kCols * kW + 1, kRows * kH + 1, QImage::Format_RGB32);
  for (int y = 0; y < field.height(); ++y) {
    for (int x = 0; x < field.width(); ++x) {
      const int col = std::min(x / kW, kCols - 1), row = std::min(y / kH, kRows - 1);
      const QRgb stone = kDefaultStones[colours[row][col]];
      const QRgb t = texture.isNull() ? background.pixel(x % background.width(), y % background.height())
                                      : texture.pixel(x % 50, y % 50);
      field.setPixel(x, y, qRgb(Mixed(qRed(stone), qRed(t)), Mixed(qGreen(stone), qGreen(t)),
                                Mixed(qBlue(stone), qBlue(t))));
    }
  }
  QPainter painter(&field);
  painter.setPen(Qt::black);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      const int x = col * kW, y = row * kH;
      if (row == 0 || colours[row - 1][col] != colours[row][col]) painter.drawLine(x, y, x + kW - 1, y);
      if (col == 0 || colours[row][col - 1] != colours[row][col]) painter.drawLine(x, y, x, y + kH - 1);
    }
  }
  painter.drawRect(0, 0, field.width() - 1, field.height() - 1);
  return field;
}

// Draws a keyed picture: every pixel but the key colour of its bottom-left pixel.
void DrawKeyed(QImage& target, const QImage& picture, int left, int top) {
  const QRgb key = picture.pixel(0, picture.height() - 1);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y);
      if (p != key && left + x < target.width() && top + y < target.height()) target.setPixel(left + x, top + y, p);
    }
  }
}

// The default game as a player sees it mid-game: 10 x 16 stones over the
// built-in picture, emptied cells at the top and right, specials and stones
// crumbling.
QImage GameMock(const AssetSink& sink, int textureNumber) {
  constexpr int kCols = 10, kRows = 16, kW = 20, kH = 21;
  const QImage background = sink.Picture("JPG_BACK");
  const QImage texture = sink.Picture(QString("KACHEL%1").arg(textureNumber));
  QImage field = background.copy();
  unsigned seed = 7;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) & 0x7FFF);
  };
  int colours[kRows][kCols];
  for (int col = 0; col < kCols; ++col) {
    const int height = col < 7 ? 16 - next() % 9 : (col < 9 ? 3 + next() % 3 : 0);
    for (int row = 0; row < kRows; ++row) {
      colours[row][col] = row >= kRows - height ? next() % 5 : -1;
      if (colours[row][col] < 0) continue;
      if (row > 0 && colours[row - 1][col] >= 0 && next() % 3 == 0) colours[row][col] = colours[row - 1][col];
      if (col > 0 && colours[row][col - 1] >= 0 && next() % 3 == 0) colours[row][col] = colours[row][col - 1];
    }
  }
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      if (colours[row][col] < 0) continue;
      const QRgb stone = kDefaultStones[colours[row][col]];
      for (int y = row * kH; y < row * kH + kH; ++y) {
        for (int x = col * kW; x < col * kW + kW; ++x) {
          const QRgb t = texture.pixel(x % 50, y % 50);
          field.setPixel(x, y, qRgb(Mixed(qRed(stone), qRed(t)), Mixed(qGreen(stone), qGreen(t)),
                                    Mixed(qBlue(stone), qBlue(t))));
        }
      }
    }
  }
  QPainter painter(&field);
  painter.setPen(Qt::black);
  auto colourAt = [&](int row, int col) {
    return row < 0 || col < 0 || row >= kRows || col >= kCols ? -1 : colours[row][col];
  };
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      const int c = colours[row][col];
      if (c < 0) continue;
      const int x = col * kW, y = row * kH;
      if (colourAt(row - 1, col) != c) painter.drawLine(x, y, x + kW - 1, y);
      if (colourAt(row, col - 1) != c) painter.drawLine(x, y, x, y + kH - 1);
      if (colourAt(row, col + 1) < 0) painter.drawLine(x + kW - 1, y, x + kW - 1, y + kH - 1);
      if (colourAt(row + 1, col) < 0) painter.drawLine(x, y + kH - 1, x + kW - 1, y + kH - 1);
    }
  }
  painter.drawRect(0, 0, field.width() - 1, field.height() - 1);
  painter.end();
  const struct {
    const char* name;
    int row, col;
  } specials[] = {{"ACTBMP1", 13, 2}, {"ACTBMP2", 10, 5}, {"ACTBMP3", 14, 6},
                  {"BREAK0", 15, 9}, {"BREAK1", 14, 9}, {"BREAK2", 13, 9}, {"BREAK3", 12, 9}};
  for (const auto& s : specials) {
    const QImage back = background.copy(s.col * kW, s.row * kH, kW, kH);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) field.setPixel(s.col * kW + x, s.row * kH + y, back.pixel(x, y));
    }
    DrawKeyed(field, sink.Picture(s.name), s.col * kW, s.row * kH);
  }
  return field;
}

}  // namespace

namespace {

// Lays the pictures out in rows, each enlarged by `zoom`, captioned below.
QImage Sheet(const std::vector<std::pair<QString, QImage>>& items, int zoom) {
  constexpr int kSheetWidth = 1500;
  QImage sheet(kSheetWidth, 6000, QImage::Format_RGB32);
  sheet.fill(kSheetGrey);
  QPainter painter(&sheet);
  int x = kGap, y = kGap, rowHeight = 0;
  for (const auto& [name, picture] : items) {
    const QSize size = picture.size() * zoom;
    if (x + size.width() > kSheetWidth) {
      x = kGap;
      y += rowHeight + kGap + 14;
      rowHeight = 0;
    }
    painter.drawImage(QRect(QPoint(x, y), size), picture);
    painter.drawText(x, y + size.height() + 12, name);
    x += std::max(size.width(), 60) + kGap;
    rowHeight = std::max(rowHeight, size.height());
  }
  painter.end();
  return sheet.copy(0, 0, kSheetWidth, y + rowHeight + kGap + 16);
}

}  // namespace

std::pair<QImage, QImage> ContactSheets(const AssetSink& sink) {
  std::vector<std::pair<QString, QImage>> small, large;
  for (const auto& item : sink.Pictures()) {
    (item.second.width() <= 64 ? small : large).push_back(item);
  }
  const QImage background = sink.Picture("JPG_BACK");
  for (int i = 1; i <= 4; ++i) {
    large.emplace_back(QString("field K%1").arg(i),
                       TexturedField(sink.Picture(QString("KACHEL%1").arg(i)), background));
  }
  large.emplace_back("field voyeur", TexturedField(QImage(), background));
  for (int i = 1; i <= 4; ++i) large.emplace_back(QString("game K%1").arg(i), GameMock(sink, i));
  return {Sheet(small, kZoom), Sheet(large, 2)};
}

}  // namespace pebble::resgen
