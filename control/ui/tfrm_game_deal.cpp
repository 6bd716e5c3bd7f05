// Deal numbers at the window: the number of the running game where the player
// can read it, and a deal chosen by its number.

#include "config/string_table.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"

namespace pebble::ui {
namespace {

constexpr int kDealTitle = 831, kDealQuestion = 832, kNotADeal = 833, kDealShown = 834;
constexpr qsizetype kEchoedCharacters = 20;
constexpr int kTypedCharacters = 40;  // room for blanks around the nine digits, and for a typing slip

// What the player typed, short enough for a message box.
std::string Echo(const QString& typed) {
  const QString trimmed = typed.trimmed();
  return (trimmed.size() <= kEchoedCharacters ? trimmed : trimmed.left(kEchoedCharacters) + QChar(0x2026)).toStdString();
}

}  // namespace

void TfrmGame::ShowDealNumber() {
  // A game opened from a file has no number: its file is what deals it again.
  const std::optional<DealNumber> deal = game_.Deal();
  statusMain_->SetNote(deal ? QString::fromStdString(FormatText(kDealShown, LanguageOffset(), {std::to_string(*deal)}))
                            : QString());
}

void TfrmGame::PlayDealNumber() {
  const std::optional<DealNumber> current = game_.Deal();
  const std::optional<QString> typed = CurrentPrompter().AskText(
      this, Str(kDealTitle), Str(kDealQuestion), current ? QString::number(*current) : QString(), kTypedCharacters);
  if (!typed) return;
  const std::optional<DealNumber> deal = ParseDealNumber(typed->toStdString());
  if (!deal) {
    CurrentPrompter().Error(this, QString::fromStdString(FormatText(kNotADeal, LanguageOffset(), {Echo(*typed)})));
    return;
  }
  RunWhenSettled([this, deal] {
    FreeGame();
    pendingDeal_ = deal;
    FormCreate();
  });
}

}  // namespace pebble::ui
