#include "render/ui/cell_marks.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace pebble::ui {
namespace {

const QColor kCursorInk(255, 255, 255), kCursorEdge(0, 0, 0);
const QColor kAdviceInk(255, 196, 0), kAdviceEdge(40, 16, 0);
const QColor kLightWash(255, 255, 255, 110), kLightLine(255, 255, 255, 230);

// The four L-shaped corners, their arms a third of the cell's side.
QPainterPath Corners(const QRectF& box) {
  const double armX = std::max(3.0, box.width() / 3), armY = std::max(3.0, box.height() / 3);
  QPainterPath path;
  const auto corner = [&path](QPointF from, QPointF at, QPointF to) {
    path.moveTo(from);
    path.lineTo(at);
    path.lineTo(to);
  };
  const double l = box.left(), t = box.top(), r = box.right(), b = box.bottom();
  corner({l, t + armY}, {l, t}, {l + armX, t});
  corner({r - armX, t}, {r, t}, {r, t + armY});
  corner({r, b - armY}, {r, b}, {r - armX, b});
  corner({l + armX, b}, {l, b}, {l, b - armY});
  return path;
}

}  // namespace

void DrawCursorMark(QPainter& painter, const QRect& cell) {
  if (cell.width() < 6 || cell.height() < 6) return;
  // The brackets' centre line lies two pixels inside the cell, so the dark
  // edge around them stays within it.
  const QRectF box = QRectF(cell).adjusted(2, 2, -2, -2);
  const QPainterPath corners = Corners(box);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.strokePath(corners, QPen(kCursorEdge, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.strokePath(corners, QPen(kCursorInk, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.restore();
}

void DrawAdviceRing(QPainter& painter, const std::vector<QLine>& edges) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(kAdviceEdge, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLines(edges.data(), static_cast<int>(edges.size()));
  painter.setPen(QPen(kAdviceInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLines(edges.data(), static_cast<int>(edges.size()));
  painter.restore();
}

void DrawGroupLight(QPainter& painter, const std::vector<QRect>& cells, const std::vector<QLine>& edges) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const QRect& cell : cells) painter.fillRect(cell, kLightWash);
  painter.setPen(QPen(kLightLine, 1));
  painter.drawLines(edges.data(), static_cast<int>(edges.size()));
  painter.restore();
}

}  // namespace pebble::ui
