// The command menu, opened by the file button, a right click on the tool
// bar, F10, Shift+F10, the Menu key or a tap on Alt: first the file commands
// (saving the start of the running game to a .clk file, opening one, a deal
// chosen by its number, the report), then every other command, each with its
// key. The deal number of the running game shows in the status bar. The
// report is a companion window's (tfrm_game_companions.cpp).

#include <QAction>
#include <QMenu>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/shell_integration.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"
#include "control/shell_help.h"
#include "control/ui/help_window.h"
#include "scores/ui/tfrm_count_down.h"

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

QMenu* TfrmGame::MenuPopup() {
  // Built at its first opening: the first paint does not need it.
  if (!menuPopup_) {
    menuPopup_ = new QMenu(this);
    menuPopup_->addAction(popupLoad_);
    menuPopup_->addAction(popUpSave_);
    menuPopup_->addAction(popUpDeal_);
    menuPopup_->addSeparator();
    menuPopup_->addAction(popUpReport_);
    menuPopup_->addSeparator();
    AddCommands(*menuPopup_);
    ProcMenuTexts();
  }
  return menuPopup_;
}

void TfrmGame::AddCommands(QMenu& menu) {
  const auto add = [&](int textId, QString key, int keyId, std::function<void()> run,
                       std::function<bool()> enabled = [] { return true; }) {
    QAction* action = menu.addAction(QString());
    connect(action, &QAction::triggered, this, std::move(run));
    commands_.push_back({action, textId, std::move(key), keyId, std::move(enabled)});
  };
  const auto undoable = [this] { return Button(bttUndo)->isEnabled(); };
  add(kMenuNewGame, "N", 0, [this] { bttStartClick(); });
  add(kMenuUndo, "Z", 0, [this] { RunHistory(false); }, undoable);
  add(kMenuRestart, {}, kKeyShiftZ, [this] { RunHistory(true); }, undoable);
  add(kMenuRedo, "Y", 0, [this] { Redo(); }, [this] { return game_.CanRedo(); });
  add(kMenuAdvice, "B", 0, [this] { AskForAdvice(); }, [this] { return game_.GameRunning(); });
  add(kMenuPause, "P", 0, [this] { Suspend(); }, [this] { return game_.Settings().autoDrop && countDown_; });
  menu.addSeparator();
  add(kMenuStats, "I", 0, [this] { bttInfoClick(); });
  add(kMenuHints, "H", 0, [this] { ShowHints(); });
  add(kMenuCfg, "C", 0, [this] { bttCfgClick(); });
  menu.addSeparator();
  add(kMenuZoomIn, {}, kKeyZoomIn, [this] { ZoomIn(); });
  add(kMenuZoomOut, {}, kKeyZoomOut, [this] { ZoomOut(); });
  add(kMenuZoomReset, {}, kKeyZoomReset, [this] { ZoomReset(); });
  menu.addSeparator();
  add(kMenuHelp, "F1", 0, [this] { bttHelpClick(); });
  add(kMenuKeys, {}, 0, [this] { ShowHelp(this, LanguageOffset() + kHelpKeysTopic); });
  add(kAboutHint, "A", 0, [this] { bttAboutClick(); });
  add(kMenuDesktopLink, "L", 0, [this] { MakeShortcutAndRegister(this, LanguageOffset()); });
  menu.addSeparator();
  add(kMenuDisguise, {}, kKeyEscape, [this] { DisguiseWindow(); });
}

void TfrmGame::ProcMenuTexts() {
  // The key stands after a tab: the menu shows it in its own column.
  popupLoad_->setText(Str(kOpenTitle) + "\tO");
  popUpSave_->setText(Str(kSaveTitle) + "\tS");
  popUpReport_->setText(Str(kShowReport) + "\tR");
  popUpDeal_->setText(Str(kPlayDeal));
  for (const MenuCommand& command : commands_) {
    const QString key = command.keyId != 0 ? Str(command.keyId) : command.key;
    command.action->setText(key.isEmpty() ? Str(command.textId) : Str(command.textId) + '\t' + key);
  }
  if (menuPopup_) menuPopup_->setTitle(Str(kMenuTitle));
}

void TfrmGame::EnableCommands() {
  for (const MenuCommand& command : commands_) command.action->setEnabled(command.enabled());
}

void TfrmGame::OpenCommandMenu() {
  QMenu* menu = MenuPopup();
  EnableCommands();
  ToolButton* file = Button(bttFile);
  const QPoint at = file->isVisible() ? file->mapToGlobal(QPoint(0, file->height() - 2))
                                      : imgMain_->mapToGlobal(QPoint(0, 0));
  menu->popup(at);
  // Opened from the keyboard, the first command is ready for the arrow keys.
  for (QAction* action : menu->actions()) {
    if (action->isEnabled() && !action->isSeparator()) {
      menu->setActiveAction(action);
      break;
    }
  }
}

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
  const auto text = [&](int id) {
    return deal ? QString::fromStdString(FormatText(id, LanguageOffset(), {std::to_string(*deal)})) : QString();
  };
  statusMain_->SetNote(text(kDealShown));
  statusMain_->SetIdleText(text(kDealIdle));
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
