#include "ui/button.h"

#include <functional>

#include "gdi/primitives.h"
#include "ui/accelerator.h"
#include "platform/virtual_keys.h"
#include "win/input.h"

namespace tappomat {

namespace {

void ForEachButton(TWinControl* parent, const std::function<void(TButton*)>& f) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (auto* button = dynamic_cast<TButton*>(c)) f(button);
    if (auto* w = dynamic_cast<TWinControl*>(c)) ForEachButton(w, f);
  }
}

}  // namespace

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  // The click comes from the button's own press-and-release tracking, not from
  // TControl's; a quick second click is another click, not a double click.
  m_controlStyle = (m_controlStyle & ~(csClickEvents | csDoubleClicks)) | csSetCaption;
  m_width = 75;
  m_height = 25;
  SetTabStop(true);
}

void TButton::SetDefault(bool on) {
  if (on == m_default) return;
  m_default = on;
  Invalidate();
}

void TButton::Click() {
  if (TForm* form = ParentForm()) form->SetModalResult(m_modalResult);
  TWinControl::Click();
}

bool TButton::IsActiveDefault() const {
  TWinControl* focused = FromHandle(GetFocus());
  if (dynamic_cast<TButton*>(focused) && focused->ParentForm() == ParentForm())
    return focused == this;
  return m_default;
}

void TButton::InvalidateFormButtons() {
  TForm* form = ParentForm();
  if (!form) return Invalidate();
  ForEachButton(form, [](TButton* b) { b->Invalidate(); });
}

void TButton::SetDown(bool down) {
  if (down == m_down) return;
  m_down = down;
  Invalidate();
}

PushButtonLook TButton::Look() {
  PushButtonLook look;
  look.caption = Caption();
  look.state = ButtonDrawStateFor(Enabled(), Pressed(), m_down, false);
  look.focused = Focused();
  look.isDefault = Enabled() && IsActiveDefault();
  look.font = Font().ToLogicalFont();
  return look;
}

void TButton::PaintWindow(DeviceContext& dc) {
  FillRect(dc, ClientRect(), ColorToRGB(Color()));
  DrawPushButton(dc, ClientRect(), Look());
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: {
      const bool enter = m.WParam == VK_RETURN && IsActiveDefault();
      const bool esc = m.WParam == VK_ESCAPE && m_cancel;
      if ((enter || esc) && (KeyboardShiftState() & (ssShift | ssCtrl | ssAlt)) == 0 && CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
    }
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<char32_t>(m.WParam), Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
    case WM_GETDLGCODE:
      m.Result = DLGC_BUTTON | (IsActiveDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateFormButtons();
      break;
  }
  TButtonControl::WndProc(m);
}

}  // namespace tappomat
