#pragma once
// Every question the game asks the player goes through one prompter: the
// message boxes, the one-line queries, the file, folder, picture and colour
// choosers, a window shown modally and a link handed to the desktop. The real
// prompter shows Qt's own dialogs in the game's language; tests install a
// scripted one that answers as told and remembers what was asked.

#include <QString>
#include <functional>
#include <optional>

#include "config/game_settings.h"

class QDialog;
class QUrl;
class QWidget;

namespace pebble::ui {

class Prompter {
 public:
  virtual ~Prompter() = default;

  // --- message boxes, titled with the program's name ---
  virtual void Error(QWidget* parent, const QString& text) = 0;
  virtual void Information(QWidget* parent, const QString& text) = 0;
  // A risky confirmation: a warning with Yes and No, No the default; true for Yes.
  virtual bool WarningYesNo(QWidget* parent, const QString& text) = 0;
  // A question with OK and Cancel, OK the default; true for OK.
  virtual bool ConfirmOkCancel(QWidget* parent, const QString& text) = 0;
  // A question with Yes, No and Help; help runs (while the question stays
  // open) each time Help is pressed. True for Yes.
  virtual bool AskWithHelp(QWidget* parent, const QString& text, const std::function<void()>& help) = 0;

  // One line of at most maxLength characters, offered with `preset` filled
  // in; nothing when the player cancels.
  virtual std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                         const QString& preset, int maxLength) = 0;

  // --- choosers: an empty name, or nothing, when the player cancels ---
  // The file dialogs of saved games; filter is Qt's "A (*.a);;B (*)". They
  // start in startFolder (Qt's choice when it is empty). The save dialog asks
  // before it overwrites.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                               const QString& startFolder) = 0;
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                               const QString& startFolder) = 0;
  // An existing picture file, with a preview. filter is a list of
  // "description|patterns" pairs joined by "|"; its third entry is
  // preselected. startFile, when it exists, is preselected in its folder.
  virtual QString ChoosePicture(QWidget* parent, const QString& title, const QString& filter,
                                const QString& startFile) = 0;
  virtual QString ChooseFolder(QWidget* parent, const QString& title) = 0;
  // A colour, starting from initial.
  virtual std::optional<ColorValue> ChooseColor(QWidget* parent, ColorValue initial) = 0;

  // --- windows and the desktop ---
  // Shows the dialog modally; its result (QDialog::Accepted or Rejected).
  virtual int RunModal(QDialog& dialog) = 0;
  // Hands the link to the desktop's handler; false when nothing took it.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

// The prompter in use: Qt's dialogs unless a test installed another.
Prompter& CurrentPrompter();
// Installs a prompter (nullptr restores the dialogs); returns the old one.
Prompter* SetPrompter(Prompter* prompter);

}  // namespace pebble::ui
