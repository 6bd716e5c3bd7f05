#pragma once
// A host that shows and plays nothing: the rules alone, for benchmarks and
// for comparing a window with the rules.

#include "engine/game_host.h"

namespace pebble::testing {

class SilentHost : public GameHost {
 public:
  void ShowMessage(int) override {}
  void ShowMessageNow(int) override {}
  void ClearMessage() override {}
  int MessageShown() const override { return -1; }
  void PlaySound(std::string_view) override {}
  void Beep() override {}
  void ShowCounts() override {}
  void SetWaitCursor(bool) override {}
  void FieldTooltipsOff() override {}
  void ShowCellHint(std::int32_t, bool) override {}
  void DeleteAnimation(const RemovalList&) override {}
  void FallAnimation(const FallList&) override {}
  void ColumnAnimation(const GapList&) override {}
  void DrawWholeField() override {}
  void UndoAvailable(bool) override {}
  void BestMoveRaised(std::int32_t) override {}
  void StopCountDown() override {}
  void ShowClearingBonus(std::int32_t) override {}
  void RecordResult(std::int32_t) override {}
};

}  // namespace pebble::testing
