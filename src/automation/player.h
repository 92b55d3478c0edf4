#pragma once
// Player: performs the script — for each row it moves the pointer to the row's point and
// clicks the row's button, after waiting the row's delay. It keeps no position of its
// own: the start marker "+" in the table is the row performed next, and the run button
// (held by the main window, reached through PlayerControls) says whether playback is on.
// The main window calls Apply for SBExecScript and Step for each firing of its step
// timer.
//
// Timing does not drift: each wait is measured from the moment the previous step was
// due, not from when it ended, so a long script keeps its rate. A step that starts more
// than one whole wait and more than 20 ms late (the machine stalled) restarts the timing
// from its own end, so no long burst of catch-up clicks follows. The first step after a
// start runs after 1 ms, or, when Alt is still held from the Alt+F2 chord, as soon as Alt
// is up.
#include <cstdint>

#include "automation/step_scheduler.h"

namespace tappomat {

class InputService;
class ScriptTable;

// The main window's controls that playback reads and changes.
class PlayerControls {
 public:
  virtual ~PlayerControls() = default;
  virtual bool RunButtonDown() = 0;
  virtual void ReleaseRunButton() = 0;
  virtual int RepeatCount() = 0;  // passes still to follow the current one
  virtual void SetRepeatCount(int count) = 0;
  virtual bool EndlessRepeat() = 0;
  // The last row of a pass was performed; called before the next pass starts or playback
  // ends.
  virtual void PassEnded() {}
};

class Player {
 public:
  Player(ScriptTable& table, InputService& input, StepScheduler& timer, PlayerControls& controls)
      : m_table(table), m_input(input), m_timer(timer), m_controls(controls) {}

  // Starts playback when the run button is down (releasing it again on an empty script),
  // stops it when the button is up.
  void Apply();
  // One step: performs the marked row, moves the marker and arms the next wait. A cell
  // that is no integer (or a coordinate beyond 32 bits) throws EConvertError and ends
  // playback: the run button is released, the timer disarmed, the marker left on the
  // failing row.
  void Step();
  // Moves the pointer to the row's point and clicks its button; a row with an empty X
  // cell is skipped.
  void ExecRow(int row);

  // The delay cell of a row as a wait: negative counts as 0, and no value exceeds the
  // longest wait the step timer can hold.
  std::int64_t ReadDelay(int row) const;

 private:
  // Step without its failure handling.
  void PerformStep();
  void ArmAfter(std::int64_t delayMs, StepScheduler::Clock::time_point base);
  int MarkedRow() const;

  ScriptTable& m_table;
  InputService& m_input;
  StepScheduler& m_timer;
  PlayerControls& m_controls;
  // When the pending step is due, and the wait that led to it.
  StepScheduler::Clock::time_point m_due{};
  std::int64_t m_wait = 0;
  bool m_firstStep = false;
  int m_marked = 0;  // the row this player last marked
};

}  // namespace tappomat
