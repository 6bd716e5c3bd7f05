#pragma once
// The marks drawn over the field, each with a look of its own so they are
// never taken for each other: the keyboard's cursor as four corner brackets
// around its cell, the advice as a round golden ring along its group's
// outline. Both are dark-edged and light inside, so they show on every stone
// colour, texture and picture.

#include <QLine>
#include <QRect>
#include <vector>

class QPainter;

namespace pebble::ui {

// `cell` is the cell with its outline pixel: stone width + 1 by height + 1.
void DrawCursorMark(QPainter& painter, const QRect& cell);

// `edges` are the borders between the advised group's cells and the rest.
void DrawAdviceRing(QPainter& painter, const std::vector<QLine>& edges);

// The group a click would take, lit: a light wash over its cells and a thin
// light line along its border, flat and square, so it is neither the
// cursor's corners nor the advice's round golden ring.
void DrawGroupLight(QPainter& painter, const std::vector<QRect>& cells, const std::vector<QLine>& edges);

}  // namespace pebble::ui
