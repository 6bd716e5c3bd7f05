#include "config/ui/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "config/string_table.h"

namespace pebble::ui {
namespace {

constexpr int kNoLanguageYet = -1;

struct QtTexts {
  std::unique_ptr<QTranslator> translator;
  int languageOffset = kNoLanguageYet;
  bool found = true;
};

QtTexts& Installed() {
  static QtTexts installed;
  return installed;
}

// The file name of Qt's translation for the game's language; empty for English.
QString TranslationName(int languageOffset) {
  if (languageOffset == kGermanOffset) return QStringLiteral("qtbase_de");
  if (languageOffset == kFrenchOffset) return QStringLiteral("qtbase_fr");
  return {};
}

}  // namespace

bool UseQtTextsFor(int languageOffset) {
  QtTexts& installed = Installed();
  if (installed.languageOffset == languageOffset) return installed.found;
  if (installed.translator) QCoreApplication::removeTranslator(installed.translator.get());
  installed.translator.reset();
  installed.languageOffset = languageOffset;
  installed.found = true;
  const QString name = TranslationName(languageOffset);
  if (name.isEmpty()) return true;
  auto translator = std::make_unique<QTranslator>();
  installed.found = translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (installed.found && QCoreApplication::installTranslator(translator.get())) {
    installed.translator = std::move(translator);
  }
  return installed.found;
}

int QtTextsLanguage() {
  const int language = Installed().languageOffset;
  return language == kNoLanguageYet ? kEnglishOffset : language;
}

}  // namespace pebble::ui
