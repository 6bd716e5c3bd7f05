#include "control/shell_xdg.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/shell.h"

namespace pebble::xdg {
namespace {

// Characters a program path may hold and still stand in Exec unquoted.
bool PlainInExec(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '.' || c == '_' || c == '-' || c == '+';
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower;
}

// "Pebbledrome.Game" gives "pebbledrome-game".
std::string DashedLower(std::string_view typeName) {
  std::string name = Lower(typeName);
  std::replace(name.begin(), name.end(), '.', '-');
  return name;
}

std::string XmlEscaped(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// One "key[lang]=text" line per language of the game, English first as the
// text of every other language.
std::string LocalizedLines(std::string_view key, int stringId) {
  std::string lines = std::string(key) + "=" + EscapeValue(Text(stringId, kEnglishOffset)) + "\n";
  const struct { const char* code; int offset; } languages[] = {
      {"de", kGermanOffset}, {"en", kEnglishOffset}, {"fr", kFrenchOffset}};
  for (const auto& language : languages) {
    lines += std::string(key) + "[" + language.code + "]=" + EscapeValue(Text(stringId, language.offset)) + "\n";
  }
  return lines;
}

// Arguments taken literally: a percent sign is no field code here.
std::string LiteralArguments(std::string_view arguments) {
  std::string literal;
  for (char c : arguments) {
    literal += c;
    if (c == '%') literal += '%';
  }
  return literal;
}

std::string IconLine(int iconIndex) {
  const auto icon = IconByIndex(iconIndex);
  return icon ? "Icon=" + std::string(icon->themeName) + "\n" : std::string();
}

}  // namespace

std::optional<ProgramIcon> IconByIndex(int iconIndex) {
  for (const ProgramIcon& icon : kProgramIcons) {
    if (icon.index == iconIndex) return icon;
  }
  return std::nullopt;
}

std::string MimeTypeFor(std::string_view typeName) { return "application/x-" + DashedLower(typeName); }

std::string MimePackageFileName(std::string_view typeName) { return DashedLower(typeName) + ".xml"; }

std::string EscapeValue(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string ExecValue(std::string_view program, std::string_view argumentsTail) {
  std::string exec;
  const bool plain = !program.empty() && std::all_of(program.begin(), program.end(), PlainInExec);
  if (plain) {
    exec = program;
  } else {
    // Inside quotes a backslash escapes " ` $ and \ ; a percent sign is doubled
    // so no file name is taken for a field code.
    exec = "\"";
    for (char c : program) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') exec += '\\';
      exec += c;
      if (c == '%') exec += '%';
    }
    exec += "\"";
  }
  if (!argumentsTail.empty()) exec += " " + std::string(argumentsTail);
  return EscapeValue(exec);
}

std::string MimeTypeXml(std::string_view extension, std::string_view typeName, int iconIndex,
                        std::string_view description) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"" + XmlEscaped(MimeTypeFor(typeName)) + "\">\n"
      "    <comment>" + XmlEscaped(description) + "</comment>\n";
  if (const auto icon = IconByIndex(iconIndex)) {
    xml += "    <icon name=\"" + std::string(icon->themeName) + "\"/>\n";
  }
  xml += "    <glob pattern=\"*" + XmlEscaped(extension) + "\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
  return xml;
}

std::string ApplicationEntry(std::string_view programCommand, std::string_view mimeType) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.4\n"
         "Name=Pebbledrome\n"
         "GenericName=Puzzle game\n"
         "GenericName[de]=Denkspiel\n"
         "GenericName[fr]=Jeu de réflexion\n" +
         LocalizedLines("Comment", kShortcutDescription) +
         "Keywords=stones;tiles;colours;groups;puzzle;\n"
         "Keywords[de]=Steine;Farben;Gruppen;Knobelspiel;\n"
         "Keywords[fr]=pierres;couleurs;groupes;réflexion;\n" +
         IconLine(0) +
         "TryExec=" + EscapeValue(programCommand) + "\n"
         "Exec=" + ExecValue(programCommand, "%f") + "\n"
         "Terminal=false\n"
         "Categories=Game;LogicGame;\n"
         "MimeType=" + std::string(mimeType) + ";\n"
         "StartupWMClass=pebbledrome\n";
}

std::string ShortcutEntry(std::string_view target, std::string_view arguments, std::string_view workingFolder,
                          std::string_view description, std::string_view name) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.4\n"
         "Name=" + EscapeValue(name) + "\n"
         "Comment=" + EscapeValue(description) + "\n" +
         IconLine(0) +
         "Exec=" + ExecValue(target, LiteralArguments(arguments)) + "\n"
         "Path=" + EscapeValue(workingFolder) + "\n"
         "Terminal=false\n";
}

std::string FolderOf(std::string_view target) {
  const auto slash = target.find_last_of('/');
  return slash == std::string_view::npos ? std::string() : std::string(target.substr(0, slash + 1));
}

std::string DataHome() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return dataHome;
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share";
  return {};
}

}  // namespace pebble::xdg
