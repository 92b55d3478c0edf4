#include "ui/timer.h"

#include "ui/application.h"

namespace tappomat {

namespace {
constexpr std::uintptr_t kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  m_window = AllocateHWnd([this](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (msg == WM_TIMER && wParam == kTimerId) {
      if (m_armed && OnTimer) GuardedCall([this] { OnTimer(this); });
      return 0;
    }
    return DefWindowProc(h, msg, wParam, lParam);
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  if (IsWindow(m_window)) DestroyWindow(m_window);  // takes its timer with it
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == m_interval) return;
  m_interval = ms;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (!IsWindow(m_window)) return;
  KillTimer(m_window, kTimerId);
  m_armed = m_enabled && m_interval > 0;
  if (m_armed) SetTimer(m_window, kTimerId, m_interval);
}

}  // namespace tappomat
