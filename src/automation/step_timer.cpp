#include "automation/step_timer.h"

#include "platform/platform.h"
#include "ui/application.h"

namespace tappomat {

namespace {
constexpr std::uintptr_t kTimerId = 1;
constexpr UINT kStepNow = WM_APP + 0x51;
}  // namespace

TStepTimer::TStepTimer(TComponent* owner) : TComponent(owner) {
  m_window = AllocateHWnd([this](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (msg == WM_TIMER && wParam == kTimerId) {
      KillTimer(h, kTimerId);
      Fire(m_arming);
      return 0;
    }
    if (msg == kStepNow) {
      Fire(static_cast<std::uintptr_t>(wParam));
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
  Disarm();
  m_armed = true;
  const auto wait = due - Now();
  if (wait <= Clock::duration::zero()) {
    PostMessage(m_window, kStepNow, m_arming);
    return;
  }
  // Rounded up: the window system's timers count whole milliseconds, and a step must
  // never run before its moment.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
  SetTimer(m_window, kTimerId, static_cast<UINT>(std::min<std::int64_t>(ms, 0xFFFFFFFF)));
}

void TStepTimer::Disarm() {
  ++m_arming;
  m_armed = false;
  if (IsWindow(m_window)) KillTimer(m_window, kTimerId);
}

void TStepTimer::Fire(std::uintptr_t arming) {
  if (!m_armed || arming != m_arming) return;
  m_armed = false;
  if (OnTimer) GuardedCall([this] { OnTimer(this); });
}

}  // namespace tappomat
