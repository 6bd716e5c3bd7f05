#include "control/ui/prompter.h"

#include <QApplication>
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

Prompter& CurrentPrompter() { return installed ? *installed : MessageBoxes(); }

Prompter* SetPrompter(Prompter* prompter) {
  Prompter* old = installed;
  installed = prompter;
  return old;
}

}  // namespace pebble::ui
