#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled, through a hidden
// window of its own and the window system's SetTimer. Changing Interval or Enabled
// re-arms it; an Interval of 0 arms nothing. OnTimer is guarded like every handler.
#include "ui/component.h"
#include "win/window_system.h"

namespace tappomat {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }

  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return m_interval; }
  void SetInterval(unsigned ms);
  // True while a window-system timer is set.
  bool Armed() const { return m_armed; }

  TNotifyEvent OnTimer;

 private:
  void UpdateTimer();

  bool m_enabled = true;
  unsigned m_interval = 1000;
  bool m_armed = false;
  HWND m_window;
};

}  // namespace tappomat
