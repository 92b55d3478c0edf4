#include "ui/check_box.h"

#include "gdi/primitives.h"
#include "platform/virtual_keys.h"
#include "ui/accelerator.h"
#include "win/input.h"

namespace tappomat {

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
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

// A click moves the state on: unchecked → grayed (only with AllowGrayed) → checked → unchecked.
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

void TCheckBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR:
      // The accelerator focuses the box and moves its state on, like a click.
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
      Invalidate();
      break;
  }
  TButtonControl::WndProc(m);
}

}  // namespace tappomat
