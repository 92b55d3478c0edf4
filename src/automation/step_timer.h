#pragma once
// TStepTimer: the main window's step timer (Timer2). It fires OnTimer once at the moment
// it was armed for, through a hidden window of its own and a window-system timer set for
// that exact moment; a zero wait runs the next step at the next chance instead of never.
// OnTimer is guarded like every handler.
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
  void Fire();

  HWND m_window;
  bool m_armed = false;
};

}  // namespace tappomat
