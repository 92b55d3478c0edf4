#pragma once
// TButtonControl: what push buttons and check boxes share — a window of their own whose
// PushTracker keeps the pressed look while the left button is held over them (with the
// mouse captured) or while Space is held with the focus on them, and that acts on the
// release over them or on Space's release by calling Pushed(). TButton clicks there,
// TCheckBox moves its state on.
#include "ui/push_tracker.h"
#include "ui/win_control.h"

namespace tappomat {

class TButtonControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  // Pressed look (mouse held over it, or Space held).
  bool Pressed() const { return m_push.Pressed(); }

  void WndProc(TMessage& message) override;

 protected:
  // The press was completed: the mouse released over the control, or Space released.
  virtual void Pushed() = 0;

  bool DoKeyDown(WORD& key, TShiftState shift) override;
  bool DoKeyUp(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  PushTracker m_push{[this] { Invalidate(); }};
};

}  // namespace tappomat
