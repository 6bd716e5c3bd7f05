#include "scores/ui/scores_services.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QUrl>

#include "config/ui/qt_dialogs.h"

namespace pebble::ui {
namespace {

class DesktopScoresServices : public ScoresServices {
 public:
  std::optional<QString> AskName(QWidget* parent, const QString& caption, const QString& prompt,
                                 const QString& preset, int maxLength) override {
    const auto query = MakeTextQuery(parent, caption, prompt, preset, maxLength);
    if (query->exec() != QDialog::Accepted) return std::nullopt;
    return query->textValue();
  }

  bool ConfirmOkCancel(QWidget* parent, const QString& text) override {
    return MakeMessageBox(parent, QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel,
                          QMessageBox::Ok)
               ->exec() == QMessageBox::Ok;
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
