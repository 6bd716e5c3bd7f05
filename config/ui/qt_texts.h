#pragma once
// Qt's own texts (the buttons of message boxes, the name query, the file,
// folder and colour dialogs) in the game's language, from Qt's translations.

namespace pebble::ui {

// Makes Qt speak the language of languageOffset (German, English, French);
// English is Qt's own. Asked again for the same language it does nothing.
// False when the translations of that language are not installed: Qt's
// dialogs then stay English.
bool UseQtTextsFor(int languageOffset);
// The language Qt's texts were last asked for; English before any.
int QtTextsLanguage();

}  // namespace pebble::ui
