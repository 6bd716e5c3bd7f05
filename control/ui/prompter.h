#pragma once
// Every modal question of the game goes through one prompter: the real one
// shows message boxes, tests script the answers.

#include <QString>
#include <optional>

class QWidget;

namespace pebble::ui {

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void Error(QWidget* parent, const QString& text) = 0;
  virtual void Information(QWidget* parent, const QString& text) = 0;
  // A risky confirmation: a warning with Yes and No; true for Yes.
  virtual bool WarningYesNo(QWidget* parent, const QString& text) = 0;
  // The file dialogs of saved games; an empty name when the player cancels.
  // The save dialog asks before it overwrites.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter);
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& filter);
  // One line of at most maxLength characters, offered with `text` filled in;
  // nothing when the player cancels.
  virtual std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                         const QString& text, int maxLength);
};

// The prompter in use; message boxes unless a test installed another.
Prompter& CurrentPrompter();
// Installs a prompter (nullptr restores the message boxes); returns the old one.
Prompter* SetPrompter(Prompter* prompter);

}  // namespace pebble::ui
