#include "control/ui/prompter.h"

#include "config/ui/qt_dialogs.h"

#include <QInputDialog>

namespace pebble::ui {
namespace {

class MessageBoxPrompter : public Prompter {
 public:
  void Error(QWidget* parent, const QString& text) override {
    MakeMessageBox(parent, QMessageBox::Critical, text, QMessageBox::Ok)->exec();
  }
  void Information(QWidget* parent, const QString& text) override {
    MakeMessageBox(parent, QMessageBox::Information, text, QMessageBox::Ok)->exec();
  }
  bool WarningYesNo(QWidget* parent, const QString& text) override {
    return MakeMessageBox(parent, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               ->exec() == QMessageBox::Yes;
  }
};

QString ChosenFile(QFileDialog& dialog) {
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

MessageBoxPrompter& MessageBoxes() {
  static MessageBoxPrompter prompter;
  return prompter;
}

Prompter* installed = nullptr;

}  // namespace

QString Prompter::OpenFileName(QWidget* parent, const QString& title, const QString& filter) {
  return ChosenFile(*MakeFileDialog(parent, title, filter.split(";;"), QFileDialog::AcceptOpen, "clk"));
}

QString Prompter::SaveFileName(QWidget* parent, const QString& title, const QString& filter) {
  return ChosenFile(*MakeFileDialog(parent, title, filter.split(";;"), QFileDialog::AcceptSave, "clk"));
}

std::optional<QString> Prompter::AskText(QWidget* parent, const QString& title, const QString& label,
                                         const QString& text, int maxLength) {
  const auto dialog = MakeTextQuery(parent, title, label, text, maxLength);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return dialog->textValue();
}

Prompter& CurrentPrompter() { return installed ? *installed : MessageBoxes(); }

Prompter* SetPrompter(Prompter* prompter) {
  Prompter* old = installed;
  installed = prompter;
  return old;
}

}  // namespace pebble::ui
