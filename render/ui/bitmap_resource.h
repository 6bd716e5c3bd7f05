#pragma once
// The game's own bitmaps, built into the program under ":/res/NAME".

#include <QImage>
#include <QString>

namespace pebble::ui {

// The bitmap resource NAME ("SB_NEU", "KACHEL1", ...); a null image when there
// is none. Read as BMP straight away: the names carry no suffix, and guessing
// the format would load every image plugin on the way to the first paint.
QImage BitmapResource(const QString& name);

}  // namespace pebble::ui
