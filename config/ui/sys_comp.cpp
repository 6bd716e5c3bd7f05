#include "config/ui/sys_comp.h"

#include <QApplication>
#include <QDir>

#include "config/system_services.h"
#include "config/ui/qt_dialogs.h"

namespace pebble {
namespace {

class DialogPrompter final : public SysCompPrompter {
 public:
  QString ChooseFolder(const QString& title, int /*flags*/) override {
    const auto dialog = ui::MakeFolderDialog(QApplication::activeWindow(), title);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog->selectedFiles().constFirst());
  }

  void ShowError(const QString& text) override {
    ui::MakeMessageBox(QApplication::activeWindow(), QMessageBox::Critical, text, QMessageBox::Ok)->exec();
  }
};

}  // namespace

std::unique_ptr<SysCompPrompter> MakeDialogPrompter() { return std::make_unique<DialogPrompter>(); }

TSysComp::TSysComp(std::unique_ptr<RegistryBackend> backend, std::string_view progRoot)
    : SettingsStore(std::move(backend), progRoot), placement_(*this) {}

TSysComp::~TSysComp() = default;

std::unique_ptr<TSysComp> TSysComp::CreateDefault(std::string_view progRoot) {
  return std::make_unique<TSysComp>(MakePlatformRegistryBackend(), progRoot);
}

SysCompPrompter& TSysComp::Prompter() {
  if (!prompter_) prompter_ = MakeDialogPrompter();
  return *prompter_;
}

QString TSysComp::BrowseDialog(const QString& title, int flags) { return Prompter().ChooseFolder(title, flags); }

void TSysComp::MigrateIfNeeded() {
  if (MigrationNeeded() && !MigrateRegistry()) {
    Prompter().ShowError(QString::fromUtf8(kMigrationErrorMessage.data(), kMigrationErrorMessage.size()));
  }
}

}  // namespace pebble
