#include "control/ui/prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace pebble::ui {
namespace {

QString Title() { return QApplication::applicationDisplayName(); }

class MessageBoxPrompter : public Prompter {
 public:
  void Error(QWidget* parent, const QString& text) override { QMessageBox::critical(parent, Title(), text); }
  void Information(QWidget* parent, const QString& text) override {
    QMessageBox::information(parent, Title(), text);
  }
  bool WarningYesNo(QWidget* parent, const QString& text) override {
    return QMessageBox::warning(parent, Title(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
  }
};

MessageBoxPrompter& MessageBoxes() {
  static MessageBoxPrompter prompter;
  return prompter;
}

Prompter* installed = nullptr;

}  // namespace

QString Prompter::OpenFileName(QWidget* parent, const QString& title, const QString& filter) {
  QFileDialog dialog(parent, title, QString(), filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("clk");
  dialog.setOption(QFileDialog::ReadOnly, false);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString Prompter::SaveFileName(QWidget* parent, const QString& title, const QString& filter) {
  QFileDialog dialog(parent, title, QString(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("clk");
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

Prompter& CurrentPrompter() { return installed ? *installed : MessageBoxes(); }

Prompter* SetPrompter(Prompter* prompter) {
  Prompter* old = installed;
  installed = prompter;
  return old;
}

}  // namespace pebble::ui
