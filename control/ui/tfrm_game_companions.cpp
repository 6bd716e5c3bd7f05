// The main window's companion windows: statistics, hints, about, the
// configuration dialog and the help, and what they ask of the game.

#include <QCoreApplication>
#include <QScreen>

#include "config/ui/tfrm_cfg.h"
#include "control/ui/help_window.h"
#include "control/ui/group_preview.h"
#include "control/ui/tfrm_game.h"
#include "control/shell_help.h"
#include "scores/ui/tfrm_about.h"
#include "scores/ui/tfrm_count_down.h"
#include "scores/ui/tfrm_hints.h"
#include "scores/ui/tfrm_stats.h"

namespace pebble::ui {

void TfrmGame::CreateStats() {
  if (stats_) return;
  stats_ = new TfrmStats(store_, game_.Settings(), this);
  game_.SetBestMove(stats_->BestMove());
  stats_->ShowDealComparison(solver_->DealBest());
  connect(stats_, &TfrmStats::bestMoveChanged, this, [this](std::int32_t best) { game_.SetBestMove(best); });
  connect(stats_, &TfrmStats::countModeClicked, this, [this] { OpenCfg(frmCfg_, *this, this, CfgPage::tsSpecial); });
}

void TfrmGame::bttInfoClick() {
  CreateStats();
  stats_->show();
  stats_->raise();
  stats_->activateWindow();
}

void TfrmGame::bttCfgClick() { OpenCfg(frmCfg_, *this, this); }

void TfrmGame::bttAboutClick() {
  if (!about_) {
    about_ = std::make_unique<TfrmAbout>(LanguageOffset(), this);
    connect(about_.get(), &TfrmAbout::HelpRequested, this, [this](int topic) { ShowHelp(this, topic); });
  }
  about_->ShowModeless();
}

void TfrmGame::bttHelpClick() { ShowHelp(this, LanguageOffset()); }

void TfrmGame::ShowReport() {
  CreateStats();
  // The last file saved or read keeps its history across new games.
  stats_->ShowReport(session_.FileName(), session_.PlayerHistoryOffset());
}

void TfrmGame::ShowCellHint(std::int32_t index, bool rightButton) {
  ShowHintsForClick(hints_, *this, store_, game_, index, rightButton);
}

void TfrmGame::ShowHints() { OpenHintsByCommand(hints_, *this, store_, LanguageOffset()); }

void TfrmGame::UpdateSettings(const GameSettings& settings) {
  // The field keeps its pictures until the next game; the rest counts at once.
  game_.MutableSettings() = settings;
  preview_->Refresh();  // switched on or off at once
}

void TfrmGame::LanguageChanged() {
  // The hints window reads the field: the texts change once the move is over.
  RunWhenSettled([this] { ApplyLanguage(); });
}

void TfrmGame::ApplyLanguage() {
  ProcStrings();
  ShowDealNumber();
  const int offset = LanguageOffset();
  if (about_) about_->ProcStrings(offset);
  if (stats_) stats_->ApplyLanguage(offset);
  if (countDown_) countDown_->ProcStrings();
  if (hints_) hints_->LanguageChanged(game_);
}

void TfrmGame::CountModeChanged() {
  if (stats_) stats_->CountModeChanged(game_.Settings());
}

void TfrmGame::ToggleCountDown() {
  RunWhenSettled([this] { pebble::ui::ToggleCountDown(countDown_, *this, store_); });
}

void TfrmGame::QuitProgram() {
  RunWhenSettled([this] {
    CloseWindow();
    QCoreApplication::quit();
  });
}

// The part of its screen the window's client area may take: the size the
// configuration dialog checks its figures against.
QSize TfrmGame::ScreenSize() const { return screen() ? AvailableClientSize() : QSize(1024, 768); }

}  // namespace pebble::ui
