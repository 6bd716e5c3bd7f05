#include "control/ui/prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QInputDialog>
#include <QUrl>

#include "config/ui/cfg_palettes.h"
#include "config/ui/picture_chooser.h"
#include "config/ui/qt_dialogs.h"

namespace pebble::ui {
namespace {

QString ChosenFile(QFileDialog& dialog, const QString& startFolder) {
  if (!startFolder.isEmpty()) dialog.setDirectory(startFolder);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// Qt's own dialogs, built by qt_dialogs so that they speak the game's language.
class DialogPrompter final : public Prompter {
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
  bool ConfirmOkCancel(QWidget* parent, const QString& text) override {
    return MakeMessageBox(parent, QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel,
                          QMessageBox::Ok)
               ->exec() == QMessageBox::Ok;
  }
  bool AskWithHelp(QWidget* parent, const QString& text, const std::function<void()>& help) override {
    return MakeQuestionWithHelp(parent, text, help)->exec() == QDialog::Accepted;
  }

  std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label, const QString& preset,
                                 int maxLength) override {
    const auto query = MakeTextQuery(parent, title, label, preset, maxLength);
    if (query->exec() != QDialog::Accepted) return std::nullopt;
    return query->textValue();
  }

  QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                       const QString& startFolder) override {
    return ChosenFile(*MakeFileDialog(parent, title, filter.split(";;"), QFileDialog::AcceptOpen, "clk"), startFolder);
  }
  QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                       const QString& startFolder) override {
    return ChosenFile(*MakeFileDialog(parent, title, filter.split(";;"), QFileDialog::AcceptSave, "clk"), startFolder);
  }
  QString ChoosePicture(QWidget* parent, const QString& title, const QString& filter,
                        const QString& startFile) override {
    return ChoosePictureFile(parent, title, filter, startFile);
  }
  // Over the active window, as the settings' folder chooser always was.
  QString ChooseFolder(QWidget* /*parent*/, const QString& title) override {
    const auto dialog = MakeFolderDialog(QApplication::activeWindow(), title);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog->selectedFiles().constFirst());
  }
  std::optional<ColorValue> ChooseColor(QWidget* parent, ColorValue initial) override {
    const auto dialog = MakeColorDialog(parent, ToQColor(initial));
    if (dialog->exec() != QDialog::Accepted || !dialog->selectedColor().isValid()) return std::nullopt;
    return FromQColor(dialog->selectedColor());
  }

  int RunModal(QDialog& dialog) override { return dialog.exec(); }
  bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

Prompter* installed = nullptr;

}  // namespace

Prompter& CurrentPrompter() {
  static DialogPrompter dialogs;
  return installed ? *installed : dialogs;
}

Prompter* SetPrompter(Prompter* prompter) {
  Prompter* old = installed;
  installed = prompter;
  return old;
}

}  // namespace pebble::ui
