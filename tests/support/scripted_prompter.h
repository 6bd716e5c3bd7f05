#pragma once
// The player as a test scripts them: every question of the game answered as
// told, and everything asked or shown remembered in order. One double for
// every window test; install it with SetPrompter, PrompterInstalled, or
// take an InstalledPrompter.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control/ui/prompter.h"

namespace pebble::testing {

class ScriptedPrompter : public ui::Prompter {
 public:
  struct TextQuestion {
    QString title, label, preset;
    int maxLength = 0;
  };
  struct Choice {
    std::string kind;  // "open", "save", "picture", "folder" or "color"
    QString title, filter, start;
  };

  // --- what was shown ---
  // Every message in order: "error: ...", "info: ...", "warning: ...",
  // "question: ..." (OK and Cancel) or "help question: ...".
  QStringList said;
  // The same texts by kind.
  QStringList errors, informations, warnings, confirmations, helpQuestions;
  std::vector<TextQuestion> textQuestions;
  std::vector<Choice> choices;
  QStringList shownModal;  // object names of the dialogs shown modally
  std::vector<QUrl> opened;

  // --- the answers ---
  bool answerYes = true;       // to a warning
  bool confirmAnswer = true;   // to a question with OK and Cancel
  bool helpAnswer = false;     // to a question with Help ...
  bool pressHelp = false;      // ... after pressing Help once
  // Text queries take these in turn; once they are used up, textsLeftOver
  // (nothing: the player cancels).
  std::deque<std::optional<QString>> texts;
  std::optional<QString> textsLeftOver;
  QString fileName;  // the saved game chosen to open or save; empty cancels
  // Picture, folder and colour choosers take these in turn; none left cancels.
  std::deque<QString> pictures, folders;
  std::deque<std::optional<ColorValue>> colors;
  std::function<int(QDialog&)> modal;  // plays the player in a modal dialog; none rejects it
  bool openSucceeds = true;

  void Error(QWidget*, const QString& text) override { Say("error: ", errors, text); }
  void Information(QWidget*, const QString& text) override { Say("info: ", informations, text); }
  bool WarningYesNo(QWidget*, const QString& text) override {
    Say("warning: ", warnings, text);
    return answerYes;
  }
  bool ConfirmOkCancel(QWidget*, const QString& text) override {
    Say("question: ", confirmations, text);
    return confirmAnswer;
  }
  bool AskWithHelp(QWidget*, const QString& text, const std::function<void()>& help) override {
    Say("help question: ", helpQuestions, text);
    if (pressHelp && help) help();
    return helpAnswer;
  }
  std::optional<QString> AskText(QWidget*, const QString& title, const QString& label, const QString& preset,
                                 int maxLength) override {
    textQuestions.push_back({title, label, preset, maxLength});
    return Next(texts).value_or(textsLeftOver);
  }
  QString OpenFileName(QWidget*, const QString& title, const QString& filter, const QString& start) override {
    choices.push_back({"open", title, filter, start});
    return fileName;
  }
  QString SaveFileName(QWidget*, const QString& title, const QString& filter, const QString& start) override {
    choices.push_back({"save", title, filter, start});
    return fileName;
  }
  QString ChoosePicture(QWidget*, const QString& title, const QString& filter, const QString& start) override {
    choices.push_back({"picture", title, filter, start});
    return Next(pictures).value_or(QString());
  }
  QString ChooseFolder(QWidget*, const QString& title) override {
    choices.push_back({"folder", title, {}, {}});
    return Next(folders).value_or(QString());
  }
  std::optional<ColorValue> ChooseColor(QWidget*, ColorValue initial) override {
    choices.push_back({"color", QString::number(initial), {}, {}});
    return Next(colors).value_or(std::nullopt);
  }
  int RunModal(QDialog& dialog) override {
    shownModal << dialog.objectName();
    return modal ? modal(dialog) : QDialog::Rejected;
  }
  bool OpenUrl(const QUrl& url) override {
    opened.push_back(url);
    return openSucceeds;
  }

 private:
  void Say(const char* kind, QStringList& ofKind, const QString& text) {
    said << QLatin1String(kind) + text;
    ofKind << text;
  }
  template <typename T>
  static std::optional<T> Next(std::deque<T>& answers) {
    if (answers.empty()) return std::nullopt;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

// Installs a prompter for as long as it lives and puts the old one back.
class PrompterInstalled {
 public:
  explicit PrompterInstalled(ui::Prompter& prompter) : old_(ui::SetPrompter(&prompter)) {}
  ~PrompterInstalled() { ui::SetPrompter(old_); }
  PrompterInstalled(const PrompterInstalled&) = delete;
  PrompterInstalled& operator=(const PrompterInstalled&) = delete;

 private:
  ui::Prompter* old_;
};

// A scripted prompter that is installed for as long as it lives.
class InstalledPrompter final : public ScriptedPrompter {
 public:
  InstalledPrompter() : installed_(*this) {}

 private:
  PrompterInstalled installed_;
};

}  // namespace pebble::testing
