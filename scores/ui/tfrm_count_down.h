#pragma once
// The count-down clock of auto-drop mode: a small black tool window showing the
// seconds left. It ticks once a second, runs the ramp's drop timer alongside,
// pauses and resumes the game, and ends the game when the time is up.

#include <QTimer>
#include <QWidget>
#include <memory>

#include "config/ui/window_placement.h"
#include "scores/ui/count_down_host.h"
#include "scores/ui/t_digit.h"

namespace pebble {
class SettingsStore;
}

namespace pebble::ui {

class TfrmCountDown : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kCells = 5;
  static constexpr int kMargin = 10;
  static constexpr int kTickMs = 1000;
  static constexpr int kDefaultTop = 10;
  static constexpr int kGapToMainWindow = 10;
  static constexpr std::int32_t kFailedCount = -100;  // a count that went wrong: the time is up

  TfrmCountDown(CountDownHost& host, SettingsStore& store, DigitPictures pictures = LoadDigitPictures());

  // From idle or ended to running: the full play time, both timers on.
  void StartCountDown();
  // Both timers off; the game no longer runs.
  void StopCountDown();
  // One second has passed.
  void TimerCDTimer();
  // Pauses or resumes a running game.
  void Suspend();
  // A game brought back by undo after its end goes on from where it stopped.
  void ContinueCountDown();
  // The hint, again after a change of language.
  void ProcStrings();

  TDigit* Digit() const { return digit_; }
  const QTimer& TimerCD() const { return timerCD_; }
  bool TimeOutPending() const { return timeOutPending_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FormCreate();
  void PlaceWindow();
  void SetTimersRunning(bool running);
  void TimeIsUp();
  void EndByTimeOut();

  CountDownHost& host_;
  WindowPlacement placement_;
  TDigit* digit_ = nullptr;
  QTimer timerCD_;
  int countingGame_ = -1;  // SetUpCount of the game this clock was started for
  bool timeOutPending_ = false;
};

// The count-down comes and goes with auto-drop mode: creates the window, hidden,
// when there is none, and otherwise releases it.
void ToggleCountDown(std::unique_ptr<TfrmCountDown>& countDown, CountDownHost& host, SettingsStore& store);

}  // namespace pebble::ui
