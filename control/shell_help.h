#pragma once
// The topics of the game's help. Each language has its pages under its own
// language offset (0 German, 1000 English, 2000 French); a page's topic is the
// language offset plus the page's number.

#include <string>

namespace pebble {

constexpr int kHelpContentsTopic = 0;    // the start page
constexpr int kHelpKeysTopic = 7;        // keys and mouse
constexpr int kHelpWhatsNewTopic = 13;   // shown once after an update
constexpr int kHelpQuestionsTopic = 20;  // questions and answers

// The page of a topic as a path below the help folder ("en/faq.html"). An
// unknown page number gives the language's start page; an unknown language,
// English.
std::string HelpPagePath(int topic);

}  // namespace pebble
