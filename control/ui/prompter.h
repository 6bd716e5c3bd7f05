#pragma once
// Every modal question of the game goes through one prompter: the real one
// shows message boxes, tests script the answers.

#include <QString>

class QWidget;

namespace pebble::ui {

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void Error(QWidget* parent, const QString& text) = 0;
  virtual void Information(QWidget* parent, const QString& text) = 0;
  // A risky confirmation: a warning with Yes and No; true for Yes.
  virtual bool WarningYesNo(QWidget* parent, const QString& text) = 0;
};

// The prompter in use; message boxes unless a test installed another.
Prompter& CurrentPrompter();
// Installs a prompter (nullptr restores the message boxes); returns the old one.
Prompter* SetPrompter(Prompter* prompter);

}  // namespace pebble::ui
