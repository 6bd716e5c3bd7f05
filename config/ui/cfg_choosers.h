#pragma once
// The choosers the configuration dialogs open: a picture file with a preview,
// a folder, a colour. The real ones are dialogs; tests install scripted ones.

#include <QString>
#include <QStringList>
#include <optional>

#include "config/game_settings.h"

class QWidget;

namespace pebble::ui {

class CfgChoosers {
 public:
  virtual ~CfgChoosers() = default;
  // An existing picture file; empty when cancelled. filter is a list of
  // "description|patterns" pairs joined by "|"; its third entry is preselected.
  // startFile, when it exists, is preselected in its folder.
  virtual QString ChoosePicture(QWidget* parent, const QString& title, const QString& filter,
                                const QString& startFile) = 0;
  // A folder; empty when cancelled.
  virtual QString ChooseFolder(QWidget* parent, const QString& title) = 0;
  // A colour, starting from initial; nothing when cancelled.
  virtual std::optional<ColorValue> ChooseColor(QWidget* parent, ColorValue initial) = 0;
};

// The choosers in use: dialogs unless a test installed others.
CfgChoosers& CurrentCfgChoosers();
// Installs choosers (nullptr restores the dialogs); returns the old ones.
CfgChoosers* SetCfgChoosers(CfgChoosers* choosers);

// "JPEG (*.jpg)|*.jpg|All files|*.*" as the file dialog's filters
// {"JPEG (*.jpg)", "All files (*.*)"}; several patterns separated by ";"
// become one list separated by blanks.
QStringList FileDialogFilters(const QString& filter);

}  // namespace pebble::ui
