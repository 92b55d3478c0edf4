#include "ui/check_box.h"

#include "gdi/primitives.h"
#include "platform/virtual_keys.h"
#include "ui/accelerator.h"
#include "win/input.h"

namespace tappomat {

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  // The state changes from the box's own press-and-release tracking.
  m_controlStyle = (m_controlStyle & ~(csClickEvents | csDoubleClicks)) | csSetCaption;
  m_width = 97;
  m_height = 17;
  SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == m_state) return;
  m_state = state;
  Invalidate();
  Click();
}

// The VCL's Toggle: unchecked → grayed (only with AllowGrayed) → checked → unchecked.
TCheckBoxState TCheckBox::NextState() const {
  switch (m_state) {
    case TCheckBoxState::cbUnchecked:
      return m_allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked;
    case TCheckBoxState::cbChecked: return TCheckBoxState::cbUnchecked;
    default: return TCheckBoxState::cbChecked;
  }
}

void TCheckBox::SetAlignment(TAlignment alignment) {
  if (alignment == m_alignment) return;
  m_alignment = alignment;
  Invalidate();
}

void TCheckBox::SetPressedParts(bool mouseDown, bool mouseOver, bool space) {
  const bool before = Pressed();
  m_mouseDown = mouseDown;
  m_mouseOver = mouseOver;
  m_spacePressed = space;
  if (Pressed() != before) Invalidate();
}

void TCheckBox::PaintWindow(DeviceContext& dc) {
  FillRect(dc, ClientRect(), ColorToRGB(Color()));
  CheckBoxLook look;
  look.caption = Caption();
  switch (m_state) {
    case TCheckBoxState::cbChecked: look.checkState = CheckState::Checked; break;
    case TCheckBoxState::cbGrayed: look.checkState = CheckState::Grayed; break;
    default: look.checkState = CheckState::Unchecked; break;
  }
  look.state = !Enabled() ? CheckBoxDrawState::Disabled
               : Pressed() ? CheckBoxDrawState::Pressed
                           : CheckBoxDrawState::Normal;
  look.focused = Focused();
  look.alignment = m_alignment == TAlignment::taLeftJustify ? CheckBoxAlignment::BoxRight
                                                            : CheckBoxAlignment::BoxLeft;
  look.font = Font().ToLogicalFont();
  DrawCheckBox(dc, ClientRect(), look);
}

bool TCheckBox::DoKeyDown(WORD& key, TShiftState shift) {
  if (TWinControl::DoKeyDown(key, shift)) return true;
  if (key == VK_SPACE) SetPressedParts(m_mouseDown, m_mouseOver, true);
  return false;
}

bool TCheckBox::DoKeyUp(WORD& key, TShiftState shift) {
  if (TWinControl::DoKeyUp(key, shift)) return true;
  if (key == VK_SPACE && m_spacePressed) {
    SetPressedParts(m_mouseDown, m_mouseOver, false);
    Toggle();
  }
  return false;
}

void TCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) SetPressedParts(true, true, m_spacePressed);
  TWinControl::MouseDown(button, shift, x, y);
}

void TCheckBox::MouseMove(TShiftState shift, int x, int y) {
  if (m_mouseDown) SetPressedParts(true, ClientRect().Contains(Point{x, y}), m_spacePressed);
  TWinControl::MouseMove(shift, x, y);
}

void TCheckBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !m_mouseDown) return;
  const bool over = ClientRect().Contains(Point{x, y});
  SetPressedParts(false, false, m_spacePressed);
  if (over) Toggle();
}

void TCheckBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR:
      // The accelerator focuses the box and moves its state on, as Windows' check boxes do.
      if (IsAccel(static_cast<char32_t>(m.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Toggle();
        m.Result = 1;
      }
      return;
    case WM_GETDLGCODE:
      m.Result = DLGC_BUTTON;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (m.Msg == WM_KILLFOCUS) SetPressedParts(m_mouseDown, m_mouseOver, false);
      Invalidate();
      break;
    case WM_LBUTTONUP:
      // The release lets the capture go itself; that is not the press being abandoned.
      m_releasing = true;
      TWinControl::WndProc(m);
      m_releasing = false;
      return;
    case WM_CAPTURECHANGED:
      if (m_mouseDown && !m_releasing && WParamToHandle(static_cast<WPARAM>(m.LParam)) != m_handle)
        SetPressedParts(false, false, m_spacePressed);
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace tappomat
