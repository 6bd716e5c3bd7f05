#include "control/ui/shell_integration.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/shell_xdg.h"
#include "control/ui/help_window.h"
#include "control/ui/prompter.h"

namespace pebble::ui {
namespace {

// Runs the desktop's database tools one after another, without making the
// game wait. A request while they run asks for one more round after them, so
// two rounds never write the same database at once.
class DesktopRefresher : public QObject {
 public:
  static constexpr int kFinishAtExitMs = 3000;

  static DesktopRefresher& Instance() {
    static QPointer<DesktopRefresher> refresher;
    if (!refresher) refresher = new DesktopRefresher(QCoreApplication::instance());
    return *refresher;
  }
  // A round that is running at the end of the game is let finish.
  ~DesktopRefresher() override {
    if (process_) process_->waitForFinished(kFinishAtExitMs);
  }

  void Request(QList<QStringList> commands) {
    pending_ = std::move(commands);
    if (!process_) StartNext();
  }

  bool Wait(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (process_ || !pending_.isEmpty()) {
      if (deadline.hasExpired()) return false;
      if (process_) process_->waitForFinished(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
      QCoreApplication::sendPostedEvents();
      if (process_ && process_->state() == QProcess::NotRunning) Finished();
    }
    return true;
  }

 private:
  explicit DesktopRefresher(QObject* parent) : QObject(parent) {}

  void StartNext() {
    while (!pending_.isEmpty() && !process_) {
      QStringList command = pending_.takeFirst();
      const QString tool = QStandardPaths::findExecutable(command.takeFirst());
      if (tool.isEmpty()) continue;  // not installed: nothing to refresh
      process_ = new QProcess(this);
      process_->setStandardInputFile(QProcess::nullDevice());
      process_->setStandardOutputFile(QProcess::nullDevice());
      process_->setStandardErrorFile(QProcess::nullDevice());
      connect(process_, &QProcess::finished, this, [this] { Finished(); });
      connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) Finished();
      });
      process_->start(tool, command);
    }
  }

  void Finished() {
    if (!process_) return;
    process_->disconnect(this);
    process_->deleteLater();
    process_ = nullptr;
    StartNext();
  }

  QPointer<QProcess> process_;
  QList<QStringList> pending_;
};

QString ShortcutFailure(LinkResult result, const std::string& folder, int languageOffset) {
  if (result == LinkResult::FolderUnreachable && folder.empty()) {
    return QString::fromStdString(Text(kNoDesktopFolder, languageOffset));
  }
  const int id = result == LinkResult::FolderUnreachable ? kDesktopUnreachable : kShortcutNotWritten;
  return QString::fromStdString(FormatText(id, languageOffset, {folder}));
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
  if (dataHome.isEmpty() || !QCoreApplication::instance()) return;
  DesktopRefresher::Instance().Request({{"update-mime-database", QDir(dataHome).filePath("mime")},
                                        {"update-desktop-database", QDir(dataHome).filePath("applications")}});
#endif
}

bool WaitForDesktopRefresh(int milliseconds) {
  return !QCoreApplication::instance() || DesktopRefresher::Instance().Wait(milliseconds);
}

LinkResult CreateDesktopShortcut(int languageOffset, const std::string& programPath) {
  InstallShellIcons();
  return CreateLnk(programPath, "", GetDesktopFolder(), Text(kShortcutDescription, languageOffset),
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
  if (result != LinkResult::Created) {
    CurrentPrompter().Error(window, ShortcutFailure(result, GetDesktopFolder(), languageOffset));
  }
  // Without a desktop folder the step stops there, before the file type.
  if (result == LinkResult::FolderUnreachable) return;
  RegisterSavedGameType();
}

void RunFirstRunActions(QWidget* mainWindow, const FirstRunFacts& facts) {
  if (!mainWindow || !facts.newVersionStart) return;
  WindowFirstRunShell shell(mainWindow, facts.languageOffset);
  FirstRunActionsOf(mainWindow).OnActivate(facts, shell);
}

}  // namespace pebble::ui
