#pragma once
// What the score windows ask of the player and the desktop beyond the plain
// message boxes of the prompter: the name for a new table place, a question
// with OK and Cancel, running a dialog modally, and opening a mail link. The
// real services show dialogs; tests script every answer.

#include <QString>
#include <optional>

class QDialog;
class QUrl;
class QWidget;

namespace pebble::ui {

class ScoresServices {
 public:
  virtual ~ScoresServices() = default;
  // A text query pre-filled with preset; nullopt when the player cancelled.
  virtual std::optional<QString> AskName(QWidget* parent, const QString& caption, const QString& prompt,
                                         const QString& preset, int maxLength) = 0;
  // A confirmation with OK and Cancel; true for OK.
  virtual bool ConfirmOkCancel(QWidget* parent, const QString& text) = 0;
  // Shows the dialog modally and returns its result (QDialog::Accepted or
  // QDialog::Rejected).
  virtual int RunModal(QDialog& dialog) = 0;
  // Hands the link to the desktop; false when nothing could take it.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

// The services in use; the desktop's unless a test installed others.
ScoresServices& CurrentScoresServices();
// Installs services (nullptr restores the desktop's); returns the old ones.
ScoresServices* SetScoresServices(ScoresServices* services);

}  // namespace pebble::ui
