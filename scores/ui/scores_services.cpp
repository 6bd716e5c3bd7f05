#include "scores/ui/scores_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

namespace pebble::ui {
namespace {

class DesktopScoresServices : public ScoresServices {
 public:
  std::optional<QString> AskName(QWidget* parent, const QString& caption, const QString& prompt,
                                 const QString& preset, int maxLength) override {
    QInputDialog query(parent);
    query.setWindowTitle(caption);
    query.setLabelText(prompt);
    query.setInputMode(QInputDialog::TextInput);
    query.setTextValue(preset);
    if (auto* edit = query.findChild<QLineEdit*>()) edit->setMaxLength(maxLength);
    if (query.exec() != QDialog::Accepted) return std::nullopt;
    return query.textValue();
  }

  bool ConfirmOkCancel(QWidget* parent, const QString& text) override {
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
  }

  int RunModal(QDialog& dialog) override { return dialog.exec(); }

  bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

ScoresServices* installed = nullptr;

}  // namespace

ScoresServices& CurrentScoresServices() {
  static DesktopScoresServices desktop;
  return installed ? *installed : desktop;
}

ScoresServices* SetScoresServices(ScoresServices* services) {
  ScoresServices* old = installed;
  installed = services;
  return old;
}

}  // namespace pebble::ui
