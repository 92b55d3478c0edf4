#pragma once
// TStepTimer: the main window's step timer (Timer2). It fires OnTimer once at the moment
// it was armed for, through a hidden window of its own: a window-system timer for a
// moment still to come, a posted message for a moment already come, so that a zero wait
// runs the next step at once instead of never. OnTimer is guarded like every handler.
#include <cstdint>

#include "automation/step_scheduler.h"
#include "ui/component.h"
#include "win/window_system.h"

namespace tappomat {

class TStepTimer : public TComponent, public StepScheduler {
 public:
  explicit TStepTimer(TComponent* owner);
  ~TStepTimer() override;
  std::string ClassName() const override { return "TStepTimer"; }

  Clock::time_point Now() override;
  void ArmAt(Clock::time_point due) override;
  void Disarm() override;
  bool Armed() const override { return m_armed; }

  TNotifyEvent OnTimer;

 private:
  void Fire(std::uintptr_t arming);

  HWND m_window;
  bool m_armed = false;
  // Tells a stale posted message or timer from the current arming.
  std::uintptr_t m_arming = 0;
};

}  // namespace tappomat
