#include "render/ui/stone_symbols.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace pebble::ui {
namespace {

QPainterPath Polygon(std::initializer_list<QPointF> corners) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(corners)));
  path.closeSubpath();
  return path;
}

QPainterPath Circle(double radius) {
  QPainterPath path;
  path.addEllipse(QPointF(0, 0), radius, radius);
  return path;
}

QPainterPath Box(double left, double top, double right, double bottom) {
  QPainterPath path;
  path.addRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
  return path;
}

QPainterPath Plus(double half) { return Box(-0.95, -half, 0.95, half).united(Box(-half, -0.95, half, 0.95)); }

QPainterPath Star() {
  QPainterPath path;
  for (int k = 0; k < 10; ++k) {
    const double radius = k % 2 ? 0.43 : 1.05;
    const double angle = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
    const QPointF point(radius * std::cos(angle), 0.08 + radius * std::sin(angle));
    k ? path.lineTo(point) : path.moveTo(point);
  }
  path.closeSubpath();
  return path;
}

QPainterPath Heart() {
  QPainterPath path;
  path.moveTo(0, 0.95);
  path.cubicTo(-0.5, 0.55, -1.0, 0.15, -0.98, -0.3);
  path.cubicTo(-0.95, -0.95, -0.2, -1.0, 0, -0.45);
  path.cubicTo(0.2, -1.0, 0.95, -0.95, 0.98, -0.3);
  path.cubicTo(1.0, 0.15, 0.5, 0.55, 0, 0.95);
  return path;
}

QPainterPath Crescent() {
  QPainterPath bite;
  bite.addEllipse(QPointF(0.45, -0.3), 0.75, 0.75);
  return Circle(0.92).subtracted(bite);
}

}  // namespace

QPainterPath SymbolPath(int shape) {
  switch (shape) {
    case 0: return Circle(0.85);
    case 1: return Polygon({{0, -0.95}, {1.0, 0.8}, {-1.0, 0.8}});
    case 2: return Box(-0.75, -0.75, 0.75, 0.75);
    case 3: return Plus(0.3);
    case 4: return Star();
    case 5: return Polygon({{0, -1.0}, {0.85, 0}, {0, 1.0}, {-0.85, 0}});
    case 6: return QTransform().rotate(45).map(Plus(0.26));
    case 7: return Heart();
    case 8: return Polygon({{-1.0, -0.8}, {1.0, -0.8}, {0, 0.95}});
    case 9: return Circle(0.9).subtracted(Circle(0.45));
    case 10: return Crescent();
    case 11: return Box(-0.85, -0.85, 0.85, 0.85).subtracted(Box(-0.4, -0.4, 0.4, 0.4));
    case 12: return Box(-0.85, -0.9, -0.2, 0.9).united(Box(0.2, -0.9, 0.85, 0.9));
    case 13: return Box(-0.95, -0.3, 0.95, 0.3);
    case 14: return Polygon({{-0.95, -0.85}, {0, 0}, {-0.95, 0.85}}).united(Polygon({{0.95, -0.85}, {0, 0}, {0.95, 0.85}}));
    default: return {};
  }
}

int SymbolShapeOf(const StoneColorTable& colors, ColorValue color) {
  const auto found = std::find(colors.begin(), colors.end(), color);
  return found == colors.end() ? -1 : static_cast<int>(found - colors.begin());
}

void DrawStoneSymbol(QPainter& painter, const QRectF& cell, int shape, ColorValue stone) {
  const QPainterPath unit = SymbolPath(shape);
  if (unit.isEmpty()) return;
  // Perceived lightness of the stone decides between a dark and a light mark.
  const double luma = 0.299 * (stone & 0xFF) + 0.587 * ((stone >> 8) & 0xFF) + 0.114 * ((stone >> 16) & 0xFF);
  const bool light = luma > 140;
  const QColor ink = light ? QColor(20, 20, 20) : QColor(255, 255, 255);
  const QColor rim = light ? QColor(255, 255, 255, 150) : QColor(0, 0, 0, 170);
  const double half = 0.29 * std::min(cell.width(), cell.height());
  const QPainterPath path = QTransform().translate(cell.center().x(), cell.center().y()).scale(half, half).map(unit);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.strokePath(path, QPen(rim, std::max(1.2, half * 0.3), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.fillPath(path, ink);
  painter.restore();
}

}  // namespace pebble::ui
