#pragma once
// The two marks drawn over the field, each with a look of its own so they are
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

}  // namespace pebble::ui
