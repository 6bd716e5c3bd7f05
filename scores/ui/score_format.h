#pragma once
// How the score windows write numbers and dates: the player's own locale, the
// way the desktop writes them elsewhere.

#include <QString>

class QWidget;

namespace pebble::ui {

// A text of the string table in the given language.
QString ScoreText(int baseId, int languageOffset);

// A number in general format: at most 15 significant digits, no trailing
// zeros, no group separators, the player's decimal separator (10 / 3 gives
// "3.33333333333333" in English).
QString GeneralNumber(double value);

// A date of a saved game (days since 30 December 1899, local time) as short
// date and long time; empty for a value no calendar holds.
QString DateTimeText(double days);

// The message when no program took a link: the lead-in (string 11), the
// address the player can type in, and the close of the quote the lead-in
// opened; a lead-in that opens none (the English one) gets a full stop only.
QString NoBrowserMessage(const QString& leadIn, const QString& address);

// Fixes a dialog's size to its layout's needs, never below minimum: longer
// German and French texts widen it instead of being cut.
void FixDialogSize(QWidget& dialog, int minimumWidth, int minimumHeight);

}  // namespace pebble::ui
