#pragma once
// The game's own bitmaps, built into the program under ":/res/NAME", with
// larger versions NAME@1.5x and NAME@2x for finer screens.

#include <QImage>
#include <QString>

namespace pebble::ui {

// The bitmap resource NAME ("SB_NEU", "KACHEL1", ...); a null image when there
// is none. Read as BMP straight away: the names carry no suffix, and guessing
// the format would load every image plugin on the way to the first paint.
QImage BitmapResource(const QString& name);

// The version of NAME made for a screen of `ratio` device pixels per pixel:
// the smallest one at least as fine, else the finest there is. Its device
// pixel ratio is the scale it was made for, so Qt draws it at NAME's own size.
QImage BitmapResourceFor(const QString& name, double ratio);

}  // namespace pebble::ui
