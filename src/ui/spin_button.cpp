#include "ui/spin_button.h"

#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "ui/classic_button_look.h"

namespace tappomat {

namespace {

constexpr std::uintptr_t kRepeatTimer = 1;

// The 7x4 arrow of a half, `origin` being (x0, y0) of the half: rows from y0+1 to y0+4,
// one pixel wide at the tip, seven at the base.
void DrawArrow(DeviceContext& dc, Point origin, bool up, ColorRef color) {
  for (int row = 0; row < 4; ++row) {
    const int halfWidth = up ? row : 3 - row;
    FillRect(dc, Rect::FromSize(origin.x + 4 - halfWidth, origin.y + 1 + row, 2 * halfWidth + 1, 1),
             color);
  }
}

}  // namespace

TSpinButton::TSpinButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 18, 21);
  SetTabStop(false);
  // The capture is taken here, once a half is hit; double clicks are two presses, two
  // steps.
  m_controlStyle = csOpaque;
}

TSpinButton::~TSpinButton() {
  if (HandleAllocated()) KillTimer(m_handle, kRepeatTimer);
}

TSpinButton::Half TSpinButton::PressedHalf() const { return m_over ? m_tracking : Half::None; }

Rect TSpinButton::HalfRect(Half half) const {
  const Rect client = ClientRect();
  const int split = client.top + client.Height() / 2;
  switch (half) {
    case Half::Up: return {client.left, client.top, client.right, split};
    case Half::Down: return {client.left, split, client.right, client.bottom};
    case Half::None: break;
  }
  return {};
}

TSpinButton::Half TSpinButton::HalfAt(Point client) const {
  if (HalfRect(Half::Up).Contains(client)) return Half::Up;
  if (HalfRect(Half::Down).Contains(client)) return Half::Down;
  return Half::None;
}

void TSpinButton::HalfClick(Half half) {
  TNotifyEvent& handler = half == Half::Up ? OnUpClick : OnDownClick;
  if (handler) GuardedCall([&] { handler(this); });
}

void TSpinButton::StopTracking() {
  if (HandleAllocated()) KillTimer(m_handle, kRepeatTimer);
  if (m_tracking == Half::None) return;
  m_tracking = Half::None;
  m_over = false;
  Invalidate();
}

// --- painting

void TSpinButton::PaintWindow(DeviceContext& dc) {
  PaintHalf(dc, HalfRect(Half::Up), Half::Up, PressedHalf() == Half::Up);
  PaintHalf(dc, HalfRect(Half::Down), Half::Down, PressedHalf() == Half::Down);
}

void TSpinButton::PaintHalf(DeviceContext& dc, const Rect& rect, Half half, bool pressed) {
  if (rect.IsEmpty()) return;
  SpeedButtonLook look;
  look.state = ButtonDrawStateFor(Enabled(), pressed, false, false);
  look.font = Font().ToLogicalFont();
  DrawSpeedButton(dc, rect, look);
  Point origin{rect.left + (rect.Width() - 9) / 2, rect.top + (rect.Height() - 5) / 2};
  if (pressed) origin = {origin.x + 1, origin.y + 1};  // the face's content sinks with it
  const bool up = half == Half::Up;
  if (Enabled()) {
    DrawArrow(dc, origin, up, GetSysColor(COLOR_BTNTEXT));
  } else {
    DrawArrow(dc, {origin.x + 1, origin.y + 1}, up, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawArrow(dc, origin, up, GetSysColor(COLOR_BTNSHADOW));
  }
}

// --- mouse

void TSpinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  const Half half = HalfAt({x, y});
  if (half == Half::None) return;
  // The edit takes the focus first, so that its value is current when the step comes.
  if (m_focusControl && m_focusControl->CanFocus() && !m_focusControl->Focused())
    m_focusControl->SetFocus();
  m_tracking = half;
  m_over = true;
  SetMouseCapture(true);
  Invalidate();
  if (HandleAllocated()) SetTimer(m_handle, kRepeatTimer, kInitialRepeatMs);
}

void TSpinButton::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  if (m_tracking == Half::None) return;
  const bool over = HalfAt({x, y}) == m_tracking;
  if (over == m_over) return;
  m_over = over;
  Invalidate();
}

void TSpinButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_TIMER:
      if (m.WParam == kRepeatTimer) {
        // After the first pause the repeats come faster.
        SetTimer(m_handle, kRepeatTimer, kRepeatMs);
        if (m_tracking != Half::None && m_over && MouseCapture()) HalfClick(m_tracking);
        return;
      }
      break;
    case WM_LBUTTONUP:
      // Decided here, before TControl lets the capture go (which would cancel the press).
      if (m_tracking != Half::None) {
        const Half half = m_tracking;
        const bool click = HalfAt(PointFromLParam(m.LParam)) == half;
        StopTracking();
        if (MouseCapture()) SetMouseCapture(false);
        if (click) HalfClick(half);
      }
      break;
    case WM_CAPTURECHANGED:
      // Someone else took the mouse (a menu, a dialog): the press is abandoned.
      if (WParamToHandle(static_cast<WPARAM>(m.LParam)) != m_handle) StopTracking();
      break;
    case WM_CANCELMODE:
      StopTracking();
      if (MouseCapture()) SetMouseCapture(false);
      break;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) StopTracking();
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace tappomat
