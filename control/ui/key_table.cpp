#include "control/ui/key_table.h"

#include <QChar>
#include <QKeyEvent>
#include <array>
#include <string_view>

namespace pebble::ui {
namespace {

// A letter of an alphabet other than the Latin one; Qt reports a typed
// character as its upper-case code point, named keys from Qt::Key_Escape on.
bool IsOtherAlphabetLetter(int key) {
  return key > 0x7F && key < Qt::Key_Escape && QChar::isLetter(static_cast<char32_t>(key));
}

int LetterKey(char letter) { return Qt::Key_A + (letter - 'A'); }

#ifdef _WIN32
// Windows names a letter key by its Latin letter whatever the layout types.
int PhysicalLetterKey(const QKeyEvent& event) {
  const quint32 virtualKey = event.nativeVirtualKey();
  return virtualKey >= 'A' && virtualKey <= 'Z' ? LetterKey(static_cast<char>(virtualKey)) : 0;
}
#else
// X11 and Wayland report the xkb keycode: the kernel's code of the key plus 8.
// The letter rows of a US keyboard begin at kernel codes 16, 30 and 44.
int PhysicalLetterKey(const QKeyEvent& event) {
  struct LetterRow {
    quint32 firstCode;
    std::string_view letters;
  };
  constexpr std::array<LetterRow, 3> kRows = {{{16, "QWERTYUIOP"}, {30, "ASDFGHJKL"}, {44, "ZXCVBNM"}}};
  constexpr quint32 kXkbOffset = 8;
  const quint32 code = event.nativeScanCode();
  for (const LetterRow& row : kRows) {
    const quint32 first = row.firstCode + kXkbOffset;
    if (code >= first && code - first < row.letters.size()) return LetterKey(row.letters[code - first]);
  }
  return 0;
}
#endif

}  // namespace

int KeyTableKey(const QKeyEvent& event) {
  const int key = event.key();
  if (!IsOtherAlphabetLetter(key)) return key;
  const int physical = PhysicalLetterKey(event);
  return physical != 0 ? physical : key;
}

}  // namespace pebble::ui
