#include "ui/button_control.h"

#include "platform/virtual_keys.h"

namespace tappomat {

bool TButtonControl::DoKeyDown(WORD& key, TShiftState shift) {
  if (TWinControl::DoKeyDown(key, shift)) return true;
  if (key == VK_SPACE) m_push.SpaceDown();
  return false;
}

bool TButtonControl::DoKeyUp(WORD& key, TShiftState shift) {
  if (TWinControl::DoKeyUp(key, shift)) return true;
  if (key == VK_SPACE && m_push.SpaceUp()) Pushed();
  return false;
}

void TButtonControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) m_push.MouseDown();
  TWinControl::MouseDown(button, shift, x, y);
}

void TButtonControl::MouseMove(TShiftState shift, int x, int y) {
  m_push.MouseMove(ClientRect().Contains(Point{x, y}));
  TWinControl::MouseMove(shift, x, y);
}

void TButtonControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseUp(button, shift, x, y);
  if (button == TMouseButton::mbLeft && m_push.MouseUp(ClientRect().Contains(Point{x, y}))) {
    Pushed();
  }
}

void TButtonControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KILLFOCUS:
      m_push.FocusLost();
      break;
    case WM_LBUTTONUP: {
      PushTracker::ReleaseScope releasing(m_push);
      TWinControl::WndProc(m);
      return;
    }
    case WM_CAPTURECHANGED:
      // Capture taken away (a menu, another window): the press is abandoned.
      m_push.CaptureChanged(WParamToHandle(static_cast<WPARAM>(m.LParam)) == m_handle);
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace tappomat
