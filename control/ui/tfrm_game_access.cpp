// What the window shows and says beyond its specified look: the group a
// click would take, lit, with its points in the message panel; and what the
// controls and the field tell a screen reader, in the game's language.

#include <QAccessible>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/field_speech.h"
#include "control/ui/field_accessible.h"
#include "control/ui/group_preview.h"
#include "control/ui/keyboard_play.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"

namespace pebble::ui {

QString TfrmGame::MessageText() const {
  if (messageText_) return QString::fromStdString(messageText_(LanguageOffset()));
  return messageId_ >= 0 ? Str(messageId_) : QString();
}

void TfrmGame::ShowPreviewText() {
  // The message comes back as soon as no group is lit; a message shown
  // while one is lit stays until the pointer finds another group.
  const QString preview = preview_->Text(LanguageOffset());
  statusMain_->SetPanelText(3, preview.isEmpty() ? MessageText() : preview);
  ProcStatusBarDescription();
}

void TfrmGame::PreviewPointer(std::optional<QPoint> at) {
  const Field& field = game_.GetField();
  const bool onField = at && field.HoldsPixel(at->x(), at->y());
  preview_->PointAt(onField && !game_.SettingUp() ? std::optional(field.CellAtPixel(at->x(), at->y())) : std::nullopt);
}

void TfrmGame::SpeakCursorCell() {
  const FieldCursor& cursor = keys_->Cursor();
  const std::string speech = cursor.Shown() && !game_.SettingUp()
                                 ? CellSpeech(game_, cursor.Index(game_.GetField()), LanguageOffset())
                                 : FieldSpeech(game_, LanguageOffset());
  SetFieldSpeech(QString::fromStdString(speech));
}

void TfrmGame::SetFieldSpeech(const QString& speech) {
  // Qt tells assistive technology of the new name; a screen reader speaks
  // it, since the field holds the focus.
  imgMain_->setAccessibleName(speech);
}

void TfrmGame::SpeakMove(const QString& what, std::int32_t stones) {
  QString speech = QString::fromStdString(MoveSpeech(game_, what.toStdString(), stones, LanguageOffset()));
  const QString message = MessageText();
  if (!message.isEmpty()) speech += ". " + message;  // the end of the game, a win
  SetFieldSpeech(speech);
}

void TfrmGame::ProcStatusBarDescription() {
  const FieldCounters& c = game_.Counters();
  const int language = LanguageOffset();
  const int third = game_.Settings().lowScore ? kMovableFigure : kScoreFigure;
  const std::string figures =
      FormatText(kCellsFigure, language, {std::to_string(c.CellCount)}) + ", " +
      FormatText(kLeftFigure, language, {std::to_string(c.StonesLeft)}) + ", " +
      FormatText(third, language, {std::to_string(game_.Settings().lowScore ? c.MovableStones : game_.Score())});
  const QString message = statusMain_->PanelText(3);
  statusMain_->setAccessibleDescription(QString::fromStdString(figures) + (message.isEmpty() ? QString() : ". " + message));
}

void TfrmGame::ProcAccessibleTexts() {
  static constexpr int kNames[kToolButtonCount] = {kMenuNewGame, kFilesButtonName, kMenuUndo, kStatsCaption,
                                                   kCfgCaption,  kAboutHint,       kMenuHelp};
  for (int i = 0; i < kToolButtonCount; ++i) {
    ToolButton* button = Button(static_cast<ToolButtonId>(i));
    button->setAccessibleName(Str(kNames[i]));
    button->setAccessibleDescription(button->toolTip());  // the button's hint, set just before
  }
  InstallFieldAccessible();
  imgMain_->setAccessibleDescription(Str(kFieldDescription));
  imgRamp_->setAccessibleName(Str(kRampName));
  imgRamp_->setAccessibleDescription(Str(kRampDescription));
  statusMain_->setAccessibleName(Str(kStatusBarName));
  panelTop_->setAccessibleName(Str(kMenuTitle));
  SpeakCursorCell();
  ProcStatusBarDescription();
}

}  // namespace pebble::ui
