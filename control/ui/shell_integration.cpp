#include "control/ui/shell_integration.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

#include "config/string_table.h"
#include "control/shell_xdg.h"
#include "control/ui/help_window.h"
#include "control/ui/prompter.h"

namespace pebble::ui {
namespace {

// Starts tool with arguments and lets it run on its own; a tool that is not
// installed is skipped.
void StartDetached(const QString& tool, const QStringList& arguments) {
  const QString path = QStandardPaths::findExecutable(tool);
  if (path.isEmpty()) return;
  QProcess process;
  process.setProgram(path);
  process.setArguments(arguments);
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.startDetached();
}

QString ShortcutFailure(LinkResult result, const std::string& folder) {
  const QString where = QString::fromStdString(folder);
  if (result == LinkResult::FolderUnreachable) {
    return where.isEmpty() ? QStringLiteral("No desktop folder is known, so no shortcut was made.")
                           : QStringLiteral("The desktop folder \"%1\" cannot be reached, so no shortcut was made.")
                                 .arg(where);
  }
  return QStringLiteral("The shortcut could not be written to the desktop folder \"%1\".").arg(where);
}

// The first-run actions as the game carries them out.
class WindowFirstRunShell : public FirstRunShell {
 public:
  WindowFirstRunShell(QWidget* window, int languageOffset) : window_(window), languageOffset_(languageOffset) {}
  void ShowHelp(int topic) override { ui::ShowHelp(window_, topic); }
  void CreateDesktopShortcut() override { ui::CreateDesktopShortcut(languageOffset_); }
  void RegisterSavedGameType() override { ui::RegisterSavedGameType(); }

 private:
  QWidget* window_;
  int languageOffset_;
};

// What the first-run actions remember, kept by the main window.
class FirstRunMemory : public QObject {
 public:
  explicit FirstRunMemory(QObject* owner) : QObject(owner) { setObjectName(kName); }
  static constexpr const char* kName = "pebbleFirstRunActions";
  FirstRunActions actions;
};

FirstRunActions& FirstRunActionsOf(QWidget* window) {
  auto* memory = dynamic_cast<FirstRunMemory*>(
      window->findChild<QObject*>(FirstRunMemory::kName, Qt::FindDirectChildrenOnly));
  if (!memory) memory = new FirstRunMemory(window);
  return memory->actions;
}

}  // namespace

void InstallShellIcons() {
#ifndef _WIN32
  for (const xdg::ProgramIcon& icon : xdg::kProgramIcons) {
    for (int size : xdg::kIconSizes) {
      QFile picture(QStringLiteral(":/res/%1-%2").arg(QLatin1String(icon.picture.data(), icon.picture.size())).arg(size));
      if (!picture.open(QIODevice::ReadOnly)) continue;
      const QByteArray png = picture.readAll();
      InstallIconPicture(icon.index, size, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    }
  }
#endif
}

void RefreshDesktopDatabases() {
#ifndef _WIN32
  const QString dataHome = QString::fromStdString(xdg::DataHome());
  if (dataHome.isEmpty()) return;
  StartDetached("update-mime-database", {QDir(dataHome).filePath("mime")});
  StartDetached("update-desktop-database", {QDir(dataHome).filePath("applications")});
#endif
}

LinkResult CreateDesktopShortcut(int languageOffset, const std::string& programPath) {
  InstallShellIcons();
  return CreateLnk(programPath, "", GetDesktopFolder(), Text(kShortcutDescriptionId, languageOffset),
                   std::string(kShortcutName));
}

void RegisterSavedGameType(const std::string& programPath) {
  InstallShellIcons();
  RegisterFileTypeFor(programPath, kSavedGameExtension, kSavedGameTypeName, kSavedGameIconIndex,
                      kSavedGameTypeDescription);
  RefreshDesktopDatabases();
}

void MakeShortcutAndRegister(QWidget* window, int languageOffset) {
  const LinkResult result = CreateDesktopShortcut(languageOffset);
  if (result != LinkResult::Created) CurrentPrompter().Error(window, ShortcutFailure(result, GetDesktopFolder()));
  RegisterSavedGameType();
}

void RunFirstRunActions(QWidget* mainWindow, const FirstRunFacts& facts) {
  if (!mainWindow || !facts.newVersionStart) return;
  WindowFirstRunShell shell(mainWindow, facts.languageOffset);
  FirstRunActionsOf(mainWindow).OnActivate(facts, shell);
}

}  // namespace pebble::ui
