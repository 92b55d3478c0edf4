#pragma once
// Fakes for the automation tests: scripted global input, a step timer driven by hand and
// the main window's playback controls as plain fields.
#include <map>
#include <string>
#include <vector>

#include "automation/input_service.h"
#include "automation/player.h"
#include "automation/step_scheduler.h"
#include "ui/string_grid.h"

namespace tappomat::test {

class FakeInput : public InputService {
 public:
  Point GetCursorPos() override {
    CountQuery();
    return pointer;
  }
  void SetCursorPos(int x, int y) override {
    pointer = {x, y};
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseEvent(unsigned flags) override { log.push_back("event " + std::to_string(flags)); }
  std::uint16_t GetAsyncKeyState(int virtualKey) override {
    CountQuery();
    auto it = pressed.find(virtualKey);
    return it != pressed.end() && it->second ? 0x8000 : 0;
  }
  bool IsApplicationActive() override { return active; }
  void BeginSnapshot() override { ++snapshotDepth; }
  void EndSnapshot() override { --snapshotDepth; }
  std::optional<std::uint64_t> InputEventCount() override { return inputEvents; }

  Point pointer{0, 0};
  std::map<int, bool> pressed;
  bool active = false;
  std::vector<std::string> log;
  int snapshotDepth = 0;
  int queriesOutsideSnapshot = 0;
  std::optional<std::uint64_t> inputEvents;  // nullopt: the system does not tell

 private:
  void CountQuery() {
    if (snapshotDepth == 0) ++queriesOutsideSnapshot;
  }
};

class FakeScheduler : public StepScheduler {
 public:
  Clock::time_point Now() override { return now; }
  void ArmAt(Clock::time_point at) override {
    armed = true;
    due = at;
  }
  void Disarm() override { armed = false; }
  bool Armed() const override { return armed; }
  // The armed wait from now, in whole milliseconds.
  long long WaitMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(due - now).count();
  }

  Clock::time_point now{};
  Clock::time_point due{};
  bool armed = false;
};

class FakeControls : public PlayerControls {
 public:
  bool RunButtonDown() override { return runDown; }
  void ReleaseRunButton() override { runDown = false; }
  int RepeatCount() override { return repeat; }
  void SetRepeatCount(int count) override { repeat = count; }
  bool EndlessRepeat() override { return endless; }
  void PassEnded() override { ++passesEnded; }

  bool runDown = false;
  int repeat = 0;
  bool endless = false;
  int passesEnded = 0;
};

// A grid shaped like the main window's script table: six columns, a header row and one
// empty data row, owned by `owner`.
inline TStringGrid* MakeScriptGrid(TComponent* owner) {
  TStringGrid* grid = Create<TStringGrid>(owner);
  grid->SetColCount(6);
  grid->SetRowCount(2);
  grid->SetFixedCols(0);
  grid->SetFixedRows(1);
  return grid;
}

}  // namespace tappomat::test
