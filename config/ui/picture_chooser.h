#pragma once
// The open dialog of background pictures, with a preview of the picture
// under the cursor; the prompter shows it when the settings ask for a picture.

#include <QString>
#include <QStringList>

class QWidget;

namespace pebble::ui {

// An existing picture file, in native separators; empty when cancelled.
// filter is a list of "description|patterns" pairs joined by "|"; its third
// entry is preselected. startFile, when it exists, is preselected in its folder.
QString ChoosePictureFile(QWidget* parent, const QString& title, const QString& filter, const QString& startFile);

// "JPEG (*.jpg)|*.jpg|All files|*.*" as the file dialog's filters
// {"JPEG (*.jpg)", "All files (*.*)"}; several patterns separated by ";"
// become one list separated by blanks.
QStringList FileDialogFilters(const QString& filter);
// The same for the picture chooser, offering every name the game reads a
// picture under: a JPEG may also end in ".jpeg".
QStringList PictureDialogFilters(const QString& filter);

}  // namespace pebble::ui
