// The file button's menu: saving the start of the running game to a .clk
// file, opening one, and a deal chosen by its number (with the number of the
// running game where the player can read it). The report is a companion
// window's (tfrm_game_companions.cpp).

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"

namespace pebble::ui {
namespace {

// "Pebbledrome games|*.clk|All files|*.*" in the form the file dialog takes.
QString DialogFilter(const QString& pairs) {
  const QStringList parts = pairs.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters << parts[i].trimmed() + " (" + parts[i + 1].trimmed() + ")";
  return filters.join(";;");
}

constexpr qsizetype kEchoedCharacters = 20;
constexpr int kTypedCharacters = 40;  // room for blanks around the nine digits, and for a typing slip

// What the player typed, short enough for a message box.
std::string Echo(const QString& typed) {
  const QString trimmed = typed.trimmed();
  return (trimmed.size() <= kEchoedCharacters ? trimmed : trimmed.left(kEchoedCharacters) + QChar(0x2026)).toStdString();
}

}  // namespace

void TfrmGame::SaveGame() {
  if (!game_.Settings().undoInfo) {
    CurrentPrompter().Error(this, Str(kNoProtocol));
    return;
  }
  const QString path =
      CurrentPrompter().SaveFileName(this, Str(kSaveTitle), DialogFilter(Str(kGameFileFilter)), session_.LastFolder());
  if (path.isEmpty()) return;
  if (!session_.Save(game_, path.toStdString())) {
    CurrentPrompter().Error(this, Str(kSaveFailed));
    return;
  }
  popUpReport_->setEnabled(true);
  ShowMessage(kMsgSaved);
}

void TfrmGame::OpenGame() {
  const QString path =
      CurrentPrompter().OpenFileName(this, Str(kOpenTitle), DialogFilter(Str(kGameFileFilter)), session_.LastFolder());
  if (path.isEmpty()) return;
  RunWhenSettled([this, name = path.toStdString()] {
    FreeGame();
    session_.AskToOpen(name);
    FormCreate();
  });
}

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
    session_.AskForDeal(*deal);
    FormCreate();
  });
}

}  // namespace pebble::ui
