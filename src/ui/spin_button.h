#pragma once
// TSpinButton: the up/down button pair of a spin edit, one child window split into an
// upper and a lower half. It owns the press tracking of the halves (pressed look while
// the left button is held over the half it went down on, one click on release over it)
// and the auto-repeat while a half is held: a first repeat 400 ms after the press, then
// one every 100 ms, as long as it holds the mouse capture and the pointer is over the
// half. TSpinEdit creates one and listens to OnUpClick and OnDownClick; a skinned spin
// edit repaints it by overriding PaintHalf.
#include "ui/win_control.h"

namespace tappomat {

class TSpinButton : public TWinControl {
 public:
  enum class Half { None, Up, Down };

  static constexpr UINT kInitialRepeatMs = 400;
  static constexpr UINT kRepeatMs = 100;

  explicit TSpinButton(TComponent* owner);
  ~TSpinButton() override;
  std::string ClassName() const override { return "TSpinButton"; }

  // The control that takes the focus when a half is pressed (the spin edit); it must
  // outlive the button or be cleared first.
  TWinControl* FocusControl() const { return m_focusControl; }
  void SetFocusControl(TWinControl* control) { m_focusControl = control; }

  // The half that shows pressed now (None when none).
  Half PressedHalf() const;
  // The bounds of a half in client coordinates: the upper half is height div 2 high.
  Rect HalfRect(Half half) const;
  Half HalfAt(Point client) const;

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void WndProc(TMessage& message) override;

 protected:
  void PaintWindow(DeviceContext& dc) override;
  // Draws one half: the raised face and its arrow (classic look).
  virtual void PaintHalf(DeviceContext& dc, const Rect& rect, Half half, bool pressed);
  // Fires OnUpClick or OnDownClick.
  virtual void HalfClick(Half half);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  void StopTracking();

  TWinControl* m_focusControl = nullptr;
  Half m_tracking = Half::None;  // the half the left button went down on
  bool m_over = false;           // the pointer is over that half
};

}  // namespace tappomat
