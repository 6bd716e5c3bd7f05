#include "control/shell_first_run.h"

#include "control/shell_help.h"

namespace pebble {

void FirstRunActions::OnActivate(const FirstRunFacts& facts, FirstRunShell& shell) {
  if (!facts.newVersionStart) return;
  if (!facts.firstStart && helpShownInGame_ != facts.gameNumber) {
    helpShownInGame_ = facts.gameNumber;
    shell.ShowHelp(facts.languageOffset + kHelpWhatsNewTopic);
  }
  shell.CreateDesktopShortcut();
  shell.RegisterSavedGameType();
}

}  // namespace pebble
