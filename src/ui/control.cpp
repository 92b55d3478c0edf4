#include "ui/control.h"

#include <algorithm>

#include "platform/virtual_keys.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/win_control.h"
#include "win/input.h"
#include "win/paint.h"

namespace tappomat {

PointerShape PointerShapeOf(TCursor cursor) {
  switch (cursor) {
    case crIBeam: return PointerShape::IBeam;
    case crSizeNESW: return PointerShape::SizeNESW;
    case crSizeNS: return PointerShape::SizeNS;
    case crSizeNWSE: return PointerShape::SizeNWSE;
    case crSizeWE: return PointerShape::SizeWE;
    case crHourGlass: return PointerShape::Wait;
    case crSizeAll: return PointerShape::SizeAll;
    case crHandPoint: return PointerShape::Hand;
    default: return PointerShape::Arrow;
  }
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) & 0x8000) s |= ssShift;
  if (GetKeyState(VK_CONTROL) & 0x8000) s |= ssCtrl;
  if (GetKeyState(VK_MENU) & 0x8000) s |= ssAlt;
  return s;
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) & 0x8000) s |= ssAlt;
  return s;
}

void TPopupMenuBase::SetPopupComponent(TComponent* component) {
  // The old link stays: it may be the one a carrying control holds to this menu.
  m_popupComponent = component;
  if (component) FreeNotification(component);
}

void TPopupMenuBase::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == m_popupComponent)
    m_popupComponent = nullptr;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  m_font.OnChange = [this] {
    if (!m_applyingParentFont) m_parentFont = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  SetComponentStateBits(csDestroying, true);
  // Owned components go while this control is still whole.
  DestroyComponents();
  if (Application) Application->ControlDestroyed(this);
  if (m_parent) m_parent->RemoveControl(this);
  m_parent = nullptr;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::WndProc(TMessage& m) {
  const Point p = PointFromLParam(m.LParam);
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(MouseShiftState(m.WParam), p.x, p.y);
      break;
    case WM_LBUTTONDOWN: HandleMouseButton(m, TMouseButton::mbLeft, true, false); break;
    case WM_RBUTTONDOWN: HandleMouseButton(m, TMouseButton::mbRight, true, false); break;
    case WM_MBUTTONDOWN: HandleMouseButton(m, TMouseButton::mbMiddle, true, false); break;
    case WM_LBUTTONDBLCLK: HandleMouseButton(m, TMouseButton::mbLeft, true, true); break;
    case WM_RBUTTONDBLCLK: HandleMouseButton(m, TMouseButton::mbRight, true, true); break;
    case WM_MBUTTONDBLCLK: HandleMouseButton(m, TMouseButton::mbMiddle, true, true); break;
    case WM_LBUTTONUP: HandleMouseButton(m, TMouseButton::mbLeft, false, false); break;
    case WM_RBUTTONUP: HandleMouseButton(m, TMouseButton::mbRight, false, false); break;
    case WM_MBUTTONUP: HandleMouseButton(m, TMouseButton::mbMiddle, false, false); break;
    case WM_CONTEXTMENU:
      HandleContextMenu(m);
      break;
    case CM_MOUSEENTER:
      if (Application) Application->ControlMouseEnter(this);
      if (OnMouseEnter) GuardedCall([&] { OnMouseEnter(this); });
      DefaultHandler(m);
      break;
    case CM_MOUSELEAVE:
      if (Application) Application->ControlMouseLeave(this);
      if (OnMouseLeave) GuardedCall([&] { OnMouseLeave(this); });
      DefaultHandler(m);
      break;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      break;
    case CM_VISIBLECHANGED:
      break;
    case CM_PARENTFONTCHANGED:
    case CM_PARENTCOLORCHANGED:
      ApplyParentFontAndColor();
      break;
    case CM_HITTEST:
      m.Result = HTCLIENT;
      break;
    default:
      DefaultHandler(m);
  }
}

void TControl::HandleMouseButton(TMessage& m, TMouseButton button, bool down, bool doubleClick) {
  const Point p = PointFromLParam(m.LParam);
  TShiftState shift = MouseShiftState(m.WParam);
  if (Application) Application->CancelHint();
  if (doubleClick && !(m_controlStyle & csDoubleClicks)) doubleClick = false;
  if (down) {
    if (button == TMouseButton::mbLeft) {
      if (m_controlStyle & csCaptureMouse) SetMouseCapture(true);
      if (m_controlStyle & csClickEvents) SetControlStateBits(csClicked, true);
      SetControlStateBits(csLButtonDown, true);
      if (doubleClick) {
        if (m_controlStyle & csClickEvents) DblClick();
        shift |= ssDouble;
      }
    }
    MouseDown(button, shift, p.x, p.y);
  } else {
    if (button == TMouseButton::mbLeft) {
      const bool clicked = (m_controlState & csClicked) != 0;
      SetControlStateBits(csLButtonDown | csClicked, false);
      if (MouseCapture()) SetMouseCapture(false);
      // A click is a release over the control after a press on it.
      if (clicked && ClientRect().Contains(p)) Click();
    }
    MouseUp(button, shift, p.x, p.y);
    if (button == TMouseButton::mbRight) {
      const Point screen = ClientToScreen(p);
      Perform(WM_CONTEXTMENU, 0, MAKELPARAM(screen.x, screen.y));
    }
  }
  // Windowed controls still let the window system see the message (focus on click …).
  DefaultHandler(m);
}

void TControl::HandleContextMenu(TMessage& m) {
  if (m_popupMenu) {
    Point screen = PointFromLParam(m.LParam);
    if (m.LParam == -1) screen = ClientToScreen({0, 0});  // from the keyboard
    m_popupMenu->SetPopupComponent(this);
    m_popupMenu->Popup(screen.x, screen.y);
    m.Result = 1;
    return;
  }
  // Without a menu the parent may have one.
  if (!IsWindowed()) {
    if (m_parent) m.Result = m_parent->Perform(m.Msg, m.WParam, m.LParam);
    return;
  }
  DefaultHandler(m);
}

void TControl::Click() {
  if (OnClick) GuardedCall([&] { OnClick(this); });
}

void TControl::DblClick() {
  if (OnDblClick) GuardedCall([&] { OnDblClick(this); });
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) GuardedCall([&] { OnMouseDown(this, button, shift, x, y); });
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) GuardedCall([&] { OnMouseUp(this, button, shift, x, y); });
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) GuardedCall([&] { OnMouseMove(this, shift, x, y); });
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == m_parent) return;
  if (parent == this) return;
  if (m_parent) {
    m_parent->Invalidate();
    m_parent->RemoveControl(this);
  }
  m_parent = nullptr;
  if (parent) {
    parent->InsertControl(this);
    ApplyParentFontAndColor();
    Invalidate();
  }
}

void TControl::SetBoundsFields(const Rect& r) {
  m_left = r.left;
  m_top = r.top;
  m_width = r.Width();
  m_height = r.Height();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == m_left && top == m_top && width == m_width && height == m_height) return;
  if (!IsWindowed()) Invalidate();  // the old place
  SetBoundsFields(Rect::FromSize(left, top, width, height));
  BoundsChanged();
  if (!IsWindowed()) Invalidate();  // the new place
}

Point TControl::ClientToScreen(Point p) const {
  if (!m_parent) return {p.x + m_left, p.y + m_top};
  return m_parent->ClientToScreen({p.x + m_left, p.y + m_top});
}

Point TControl::ScreenToClient(Point p) const {
  if (!m_parent) return {p.x - m_left, p.y - m_top};
  const Point q = m_parent->ScreenToClient(p);
  return {q.x - m_left, q.y - m_top};
}

void TControl::SetVisible(bool visible) {
  if (visible == m_visible) return;
  if (!visible) Invalidate();
  m_visible = visible;
  if (visible) Invalidate();
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->m_parent)
    if (!c->m_visible) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& text) {
  if (text == m_text) return;
  m_text = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool on) {
  if (on == m_parentFont) return;
  m_parentFont = on;
  if (on) ApplyParentFontAndColor();
}

void TControl::SetColor(TColor color) {
  m_parentColor = false;
  if (color == m_color) return;
  m_color = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool on) {
  if (on == m_parentColor) return;
  m_parentColor = on;
  if (on) ApplyParentFontAndColor();
}

void TControl::ApplyParentFontAndColor() {
  if (!m_parent) return;
  if (m_parentFont && !(m_font == m_parent->m_font)) {
    m_applyingParentFont = true;
    m_font.Assign(m_parent->m_font);  // CM_FONTCHANGED through OnChange
    m_applyingParentFont = false;
  }
  if (m_parentColor && m_color != m_parent->m_color) {
    m_color = m_parent->m_color;
    Perform(CM_COLORCHANGED);
  }
}

void TControl::SetShowHint(bool on) {
  m_showHint = on;
  m_parentShowHint = false;
}

void TControl::SetParentShowHint(bool on) { m_parentShowHint = on; }

bool TControl::EffectiveShowHint() const {
  for (const TControl* c = this; c; c = c->m_parent)
    if (!c->m_parentShowHint) return c->m_showHint;
  return false;
}

void TControl::SetPopupMenu(TPopupMenuBase* menu) {
  if (m_popupMenu) m_popupMenu->RemoveFreeNotification(this);
  m_popupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == m_cursor) return;
  m_cursor = cursor;
  Perform(CM_CURSORCHANGED);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == m_popupMenu) m_popupMenu = nullptr;
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->m_parent) c = c->m_parent;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::Invalidate() {
  if (!m_parent || !m_visible || !m_parent->HandleAllocated()) return;
  InvalidateRect(m_parent->Handle(), BoundsRect(), true);
}

void TControl::Update() {
  if (m_parent) m_parent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!m_parent) return;
  auto& list = m_parent->m_controls;
  std::erase(list, this);
  list.push_back(this);
  if (IsWindowed() && static_cast<TWinControl*>(this)->HandleAllocated())
    SetWindowPos(static_cast<TWinControl*>(this)->Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!m_parent) return;
  auto& list = m_parent->m_controls;
  std::erase(list, this);
  list.insert(list.begin(), this);
  if (IsWindowed() && static_cast<TWinControl*>(this)->HandleAllocated())
    SetWindowPos(static_cast<TWinControl*>(this)->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

bool TControl::MouseCapture() const {
  if (IsWindowed()) {
    auto* self = static_cast<const TWinControl*>(this);
    return self->HandleAllocated() && GetCapture() == self->m_handle;
  }
  return m_parent && m_parent->m_captureControl == this && m_parent->HandleAllocated() &&
         GetCapture() == m_parent->m_handle;
}

void TControl::SetMouseCapture(bool on) {
  if (IsWindowed()) {
    auto* self = static_cast<TWinControl*>(this);
    if (on) SetCapture(self->Handle());
    else if (MouseCapture()) ReleaseCapture();
    return;
  }
  if (!m_parent) return;
  if (on) {
    SetCapture(m_parent->Handle());
    m_parent->m_captureControl = this;  // after SetCapture, whose WM_CAPTURECHANGED clears it
  } else if (m_parent->m_captureControl == this) {
    m_parent->m_captureControl = nullptr;
    if (m_parent->HandleAllocated() && GetCapture() == m_parent->m_handle) ReleaseCapture();
  }
}

void TControl::SetControlStateBits(TControlState bits, bool on) {
  m_controlState = on ? (m_controlState | bits) : (m_controlState & ~bits);
}

}  // namespace tappomat
