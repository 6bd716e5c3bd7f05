#pragma once
// The game's help: pages in German, English and French, built into the
// program and shown in one help window at a topic (see control/shell_help.h).

#include <QTextBrowser>
#include <QWidget>

namespace pebble::ui {

// Shows the help pages, with the pictures of the game's own stones and buttons
// that the pages name as "pebble:special/bomb", "pebble:glyph/SB_NEU", ...
class HelpBrowser : public QTextBrowser {
 public:
  explicit HelpBrowser(QWidget* parent = nullptr);
  QVariant loadResource(int type, const QUrl& name) override;
};

// The help window; closing it only hides it.
class TfrmHelp : public QWidget {
 public:
  explicit TfrmHelp(QWidget* parent = nullptr);

  // Shows the page of topic and brings the window to the front.
  void ShowTopic(int topic);
  // The topic last asked for.
  int Topic() const { return topic_; }
  HelpBrowser* Browser() const { return browser_; }

 private:
  void ShowTitle();

  HelpBrowser* browser_;
  int topic_ = -1;
};

// The page of a topic as the help window loads it ("qrc:/help/en/faq.html").
QUrl HelpUrl(int topic);

// Opens the help at topic: the start page of a language at its language
// offset, what is new at + 13, questions and answers at + 20. There is one
// help window; it lives as long as the window that first opened it, beside
// it, never holding the program open by itself.
TfrmHelp* ShowHelp(QWidget* window, int topic);
// The help window if one is open, else nullptr.
TfrmHelp* CurrentHelpWindow();

}  // namespace pebble::ui
