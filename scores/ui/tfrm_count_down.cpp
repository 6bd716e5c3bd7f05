#include "scores/ui/tfrm_count_down.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <limits>

#include "config/string_ids.h"
#include "config/string_table.h"

namespace pebble::ui {
namespace {

constexpr std::string_view kSoundEnd = "SND_END";

}  // namespace

TfrmCountDown::TfrmCountDown(CountDownHost& host, SettingsStore& store, DigitPictures pictures)
    : QWidget(nullptr, Qt::Tool), host_(host), placement_(store), digit_(new TDigit(this, std::move(pictures))) {
  FormCreate();
}

void TfrmCountDown::FormCreate() {
  setObjectName(QStringLiteral("frmCountDown"));
  setWindowTitle(QStringLiteral("Count down"));
  // The clock must not keep the program alive once the main window is closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  ProcStrings();

  digit_->SetDisplayOn(false);
  digit_->SetDigits(kCells);
  digit_->move(kMargin, kMargin);
  digit_->OnClick = [this] { Suspend(); };

  timerCD_.setInterval(kTickMs);
  connect(&timerCD_, &QTimer::timeout, this, &TfrmCountDown::TimerCDTimer);
  PlaceWindow();
}

void TfrmCountDown::PlaceWindow() {
  const QRect main = host_.MainWindowFrame();
  const QSize client = digit_->size() + QSize(2 * kMargin, 2 * kMargin);
  placement_.setWindowPos(*this, QRect(main.x() + main.width() + kGapToMainWindow, kDefaultTop, client.width(),
                                       client.height()));
  setFixedSize(client);
}

void TfrmCountDown::ProcStrings() {
  setToolTip(QString::fromStdString(Text(kSuspendHint, host_.Settings().languageOffset)));
}

void TfrmCountDown::SetTimersRunning(bool running) {
  if (running) {
    timerCD_.start();
  } else {
    timerCD_.stop();
  }
  host_.SetDropTimerEnabled(running);
}

void TfrmCountDown::StartCountDown() {
  countingGame_ = host_.SetUpCount();
  timeOutPending_ = false;
  SetTimersRunning(true);
  digit_->SetDisplayOn(true);
  digit_->SetValue(host_.Settings().playTime);
}

void TfrmCountDown::StopCountDown() {
  SetTimersRunning(false);
  host_.ClearGameRunning();
}

void TfrmCountDown::ContinueCountDown() { SetTimersRunning(true); }

void TfrmCountDown::TimerCDTimer() {
  if (!host_.Settings().autoDrop) {
    timerCD_.stop();
    return;
  }
  if (host_.SetUpCount() != countingGame_) {
    // A tick left over from the game before: the new game's first paint
    // starts the clock afresh.
    SetTimersRunning(false);
    return;
  }
  const std::int32_t value = digit_->Value();
  digit_->SetValue(value == std::numeric_limits<std::int32_t>::min() ? kFailedCount : value - 1);
  if (digit_->Value() > 0) return;
  TimeIsUp();
}

void TfrmCountDown::TimeIsUp() {
  // Ending the game under a move that is still falling would record a field
  // in mid-air and could end the game twice: the clock and the ramp freeze,
  // and the game ends once the move has settled (at once when none is).
  SetTimersRunning(false);
  timeOutPending_ = true;
  const int game = countingGame_;
  host_.RunWhenSettled([clock = QPointer<TfrmCountDown>(this), game] {
    if (!clock || !clock->timeOutPending_ || clock->host_.SetUpCount() != game) return;
    clock->EndByTimeOut();
  });
}

void TfrmCountDown::EndByTimeOut() {
  timeOutPending_ = false;
  // A move that emptied the field has ended and recorded the game already.
  if (!host_.GameRunning()) return;
  StopCountDown();
  host_.ShowMessage(kMsgTimeIsUp);
  host_.DisableUndo();
  if (host_.Settings().soundsOn) host_.PlaySound(kSoundEnd);
  host_.RecordCurrentResult();
}

void TfrmCountDown::Suspend() {
  // Once the time is up there is nothing left to pause.
  if (!host_.GameRunning() || timeOutPending_) return;
  const bool paused = !host_.CountDownPaused();
  host_.SetCountDownPaused(paused);
  SetTimersRunning(!paused);
  // A paused game hides the board, so it cannot be studied on the clock's time.
  host_.ShowBoardAndRamp(!paused);
  if (paused) {
    host_.ShowMessage(kMsgSuspended);
  } else {
    host_.ClearMessage();
  }
}

void TfrmCountDown::closeEvent(QCloseEvent* event) {
  // Closing only hides the clock; it goes on counting.
  placement_.saveWindowPos(*this);
  event->accept();
}

void TfrmCountDown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Suspend();
}

void ToggleCountDown(std::unique_ptr<TfrmCountDown>& countDown, CountDownHost& host, SettingsStore& store) {
  if (countDown) {
    countDown.reset();
    return;
  }
  countDown = std::make_unique<TfrmCountDown>(host, store);
  countDown->hide();
}

}  // namespace pebble::ui
