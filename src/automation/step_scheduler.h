#pragma once
// StepScheduler: the player's one-shot step timer seen from the player — arm it for a
// moment, disarm it, read the clock. TStepTimer is the program's; the player's tests use
// a fake driven by hand.
#include <chrono>

namespace tappomat {

class StepScheduler {
 public:
  using Clock = std::chrono::steady_clock;
  virtual ~StepScheduler() = default;
  virtual Clock::time_point Now() = 0;
  // At most one step is pending: arming replaces the pending one. A moment that has
  // already come runs the step at once, after the messages already waiting.
  virtual void ArmAt(Clock::time_point due) = 0;
  virtual void Disarm() = 0;
  virtual bool Armed() const = 0;
};

}  // namespace tappomat
