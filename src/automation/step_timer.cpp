#include "automation/step_timer.h"

#include "platform/platform.h"
#include "ui/application.h"

namespace tappomat {

namespace {
constexpr std::uintptr_t kTimerId = 1;
}  // namespace

TStepTimer::TStepTimer(TComponent* owner) : TComponent(owner) {
  m_window = AllocateHWnd([this](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (msg == WM_TIMER && wParam == kTimerId) {
      KillTimer(h, kTimerId);
      Fire();
      return 0;
    }
    return DefWindowProc(h, msg, wParam, lParam);
  });
}

TStepTimer::~TStepTimer() {
  if (IsWindow(m_window)) DestroyWindow(m_window);
}

StepScheduler::Clock::time_point TStepTimer::Now() {
  return WindowSystem::Current().GetPlatform().Now();
}

void TStepTimer::ArmAt(Clock::time_point due) {
  // Armed for the moment itself, not for a whole number of milliseconds from now, so a
  // step is not late by the rounding; a moment already come is taken after the waiting
  // input, paint and earlier timers, so that a run of zero waits never starves them.
  m_armed = SetTimerAt(m_window, kTimerId, due, 1) != 0;
}

void TStepTimer::Disarm() {
  m_armed = false;
  if (IsWindow(m_window)) KillTimer(m_window, kTimerId);
}

void TStepTimer::Fire() {
  if (!m_armed) return;
  m_armed = false;
  if (OnTimer) GuardedCall([this] { OnTimer(this); });
}

}  // namespace tappomat
