#pragma once
// The standard dialogs the game asks its questions with, built in one place
// and shown by the prompters. They are Qt's own dialogs, not the desktop's,
// so their buttons and labels speak the game's language (see qt_texts.h).

#include <QColor>
#include <QFileDialog>
#include <QMessageBox>
#include <functional>
#include <memory>

class QColorDialog;
class QInputDialog;

namespace pebble::ui {

// The program's own title: the main window's caption and the title of its
// message boxes. Every other window carries its own caption alone.
QString ProgramTitle();

// A message box titled with the program's name.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// A question with Yes, No and Help, looking like a message box; Help calls
// help and leaves the question open. Yes accepts, No rejects.
std::unique_ptr<QDialog> MakeQuestionWithHelp(QWidget* parent, const QString& text,
                                              const std::function<void()>& help);

// A one-line text query with OK and Cancel, pre-filled with preset.
std::unique_ptr<QInputDialog> MakeTextQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                            const QString& preset, int maxLength);

// The open or save dialog of files of defaultSuffix; filters as
// QFileDialog takes them. The save dialog asks before it overwrites.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const QString& title, const QStringList& filters,
                                            QFileDialog::AcceptMode mode, const QString& defaultSuffix);

// The folder chooser, showing folders only.
std::unique_ptr<QFileDialog> MakeFolderDialog(QWidget* parent, const QString& title);

// The colour picker, starting from initial.
std::unique_ptr<QColorDialog> MakeColorDialog(QWidget* parent, const QColor& initial);

}  // namespace pebble::ui
