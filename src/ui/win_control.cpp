#include "ui/win_control.h"

#include <algorithm>

#include "gdi/primitives.h"
#include "platform/virtual_keys.h"
#include "ui/application.h"
#include "ui/form.h"
#include "win/input.h"
#include "win/paint.h"

namespace tappomat {

namespace {

constexpr std::string_view kControlProp = "tappomat.TWinControl";

// Set when a key-down was taken as a shortcut or dialog key: the character it would type
// is not delivered, as a dialog manager that eats the key before translation does.
bool g_eatNextChar = false;

bool IsMouseMessage(UINT msg) {
  return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK;
}

}  // namespace

LRESULT TWinControl::ControlWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = TWinControl::FromHandle(h);
  if (!control && msg == WM_NCCREATE) {
    auto* cs = LParamToPtr<CREATESTRUCT>(lParam);
    control = static_cast<TWinControl*>(cs->lpCreateParams);
    if (control) {
      SetProp(h, kControlProp, reinterpret_cast<std::intptr_t>(control));
      control->m_handle = h;  // DefaultHandler needs it from the first message on
    }
  }
  if (!control) return DefWindowProc(h, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  control->WindowProc(m);
  return m.Result;
}

TWinControl* TWinControl::s_creating = nullptr;

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  SetComponentStateBits(csDestroying, true);
  DestroyComponents();
  // Children that belong to other owners stay alive, without a parent.
  for (TControl* c : std::vector<TControl*>(m_controls)) RemoveControl(c), c->m_parent = nullptr;
  // Leave the parent's lists (the tab order among them) while this is still a
  // TWinControl; ~TControl would no longer know it was a windowed control.
  if (Parent()) Parent()->RemoveControl(this);
  DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND h) {
  if (!IsWindow(h)) return nullptr;
  return reinterpret_cast<TWinControl*>(GetProp(h, kControlProp));
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return m_handle;
}

bool TWinControl::HandleAllocated() const { return static_cast<bool>(m_handle) && IsWindow(m_handle); }

void TWinControl::HandleNeeded() {
  if (HandleAllocated()) return;
  if (m_parent && !m_parent->HandleAllocated()) m_parent->HandleNeeded();  // makes ours too
  if (!HandleAllocated()) CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = m_text;
  p.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (m_visible) p.Style |= WS_VISIBLE;
  if (!m_enabled) p.Style |= WS_DISABLED;
  if (m_tabStop) p.Style |= WS_TABSTOP;
  p.X = m_left;
  p.Y = m_top;
  p.Width = m_width;
  p.Height = m_height;
  if (m_parent) p.WndParent = m_parent->Handle();
  p.WinClassName = ClassName();
  if (m_controlStyle & csDoubleClicks) p.ClassStyle |= CS_DBLCLKS;
}

void TWinControl::CreateHandle() {
  TCreateParams p;
  CreateParams(p);
  if (!FindClass(p.WinClassName)) {
    WindowClass wc;
    wc.name = p.WinClassName;
    wc.proc = ControlWindowProc;
    wc.style = p.ClassStyle;
    RegisterClass(wc);
  }
  TWinControl* const outer = s_creating;
  s_creating = this;
  m_handle = CreateWindowEx(p.ExStyle, p.WinClassName, p.Caption, p.Style, p.X, p.Y, p.Width,
                            p.Height, p.WndParent, 0, this);
  s_creating = outer;
  if (!m_handle) return;
  UpdateBoundsFromWindow();
  // Bottom first: each new window goes on top of its siblings.
  for (TControl* c : std::vector<TControl*>(m_controls))
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->HandleNeeded();
}

void TWinControl::DestroyHandle() {
  if (!HandleAllocated()) return;
  const HWND h = m_handle;
  DestroyWindow(h);
  m_handle = kNullWindow;
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!HandleAllocated()) return;
  SetBoundsFields(GetWindowRectInParent(m_handle));
}

void TWinControl::BoundsChanged() {
  if (HandleAllocated())
    SetWindowPos(m_handle, kNullWindow, m_left, m_top, m_width, m_height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::InsertControl(TControl* control) {
  control->m_parent = this;
  m_controls.push_back(control);
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    m_tabList.push_back(w);
    if (HandleAllocated()) w->HandleNeeded();
  }
}

void TWinControl::RemoveControl(TControl* control) {
  std::erase(m_controls, control);
  if (m_captureControl == control) m_captureControl = nullptr;
  if (m_mouseControl == control) m_mouseControl = nullptr;
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    std::erase(m_tabList, w);
    w->DestroyHandle();
  }
  control->m_parent = nullptr;
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == m_parent) return;
  TControl::SetParent(parent);
}

TControl* TWinControl::ControlAtPos(Point p, bool allowDisabled, bool allowWinControls) const {
  for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() && !allowWinControls) continue;
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    if (c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

// --- visibility, enabling, text, geometry

void TWinControl::SetVisible(bool visible) {
  if (visible == m_visible) return;
  TControl::SetVisible(visible);
  if (visible && m_parent && m_parent->HandleAllocated()) HandleNeeded();
  if (HandleAllocated()) ShowWindow(m_handle, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  TControl::SetEnabled(enabled);
  if (HandleAllocated()) EnableWindow(m_handle, enabled);
}

void TWinControl::SetText(const std::string& text) {
  if (text == m_text) return;
  m_text = text;
  if (HandleAllocated()) SetWindowText(m_handle, text);
  Perform(CM_TEXTCHANGED);
}

Rect TWinControl::ClientRect() const {
  if (HandleAllocated()) return GetClientRect(m_handle);
  return TControl::ClientRect();
}

Point TWinControl::ClientToScreen(Point p) const {
  if (HandleAllocated()) return tappomat::ClientToScreen(m_handle, p);
  return TControl::ClientToScreen(p);
}

Point TWinControl::ScreenToClient(Point p) const {
  if (HandleAllocated()) return tappomat::ScreenToClient(m_handle, p);
  return TControl::ScreenToClient(p);
}

void TWinControl::Invalidate() {
  if (HandleAllocated()) InvalidateRect(m_handle, std::nullopt, true);
}

void TWinControl::Update() {
  if (HandleAllocated()) UpdateWindow(m_handle);
}

// --- focus and tab order

int TWinControl::TabOrder() const {
  if (!m_parent) return -1;
  const auto& list = m_parent->m_tabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!m_parent) return;
  auto& list = m_parent->m_tabList;
  std::erase(list, this);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return HandleAllocated() && GetFocus() == m_handle; }

void TWinControl::SetFocus() {
  TForm* form = ParentForm();
  if (form && form != this) {
    form->SetActiveControl(this);
    if (!form->Visible()) return;  // focused when the form shows
  }
  tappomat::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : m_tabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward,
                                          bool checkTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  const int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  auto it = std::find(list.begin(), list.end(), current);
  const int start = it == list.end() ? (goForward ? -1 : n) : static_cast<int>(it - list.begin());
  for (int i = 1; i <= n; ++i) {
    const int index = ((goForward ? start + i : start - i) % n + n) % n;
    TWinControl* c = list[index];
    if (c == current) continue;
    if (c->CanFocus() && (!checkTabStop || c->TabStop())) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop)) next->SetFocus();
}

// --- painting

void TWinControl::PaintWindow(DeviceContext& dc) {
  if (!(m_controlStyle & csOpaque)) FillRect(dc, ClientRect(), ColorToRGB(Color()));
  PaintControls(dc);
}

void TWinControl::PaintControls(DeviceContext& dc) {
  for (TControl* c : std::vector<TControl*>(m_controls)) {
    if (c->IsWindowed() || !c->Visible()) continue;
    const Rect bounds = c->BoundsRect();
    if (!dc.RectVisible(bounds)) continue;
    DeviceContext::Saver saver(dc);
    dc.IntersectClipRect(bounds);
    dc.OffsetOrigin(bounds.left, bounds.top);
    c->PaintOn(dc);
  }
}

// --- messages

void TWinControl::DefaultHandler(TMessage& m) {
  if (m_handle && IsWindow(m_handle)) m.Result = DefWindowProc(m_handle, m.Msg, m.WParam, m.LParam);
}

void TWinControl::SetMouseControl(TControl* control) {
  if (control == m_mouseControl) return;
  TControl* old = m_mouseControl;
  m_mouseControl = control;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (control && m_mouseControl == control) control->Perform(CM_MOUSEENTER);
}

void TWinControl::RouteMouseToControl(TMessage& m, bool& handled) {
  const Point p = PointFromLParam(m.LParam);
  TControl* under = ControlAtPos(p, false);
  if (m.Msg == WM_MOUSEMOVE) SetMouseControl(under);
  TControl* target = m_captureControl ? m_captureControl : under;
  if (!target) return;
  TMessage forwarded = m;
  forwarded.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
  target->WindowProc(forwarded);
  m.Result = forwarded.Result;
  handled = true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      DeviceContext& dc = BeginPaint(m_handle, ps);
      PaintWindow(dc);
      EndPaint(m_handle, ps);
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      m.Result = 1;  // the background is painted with the client area in WM_PAINT
      return;
    case WM_PRINTCLIENT:
      if (m.WParam) PaintWindow(*reinterpret_cast<DeviceContext*>(m.WParam));
      return;
    case WM_NCDESTROY:
      DefaultHandler(m);
      RemoveProp(m_handle, kControlProp);
      m_handle = kNullWindow;
      m_captureControl = nullptr;
      return;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(m);
      UpdateBoundsFromWindow();
      return;
    case WM_SETFOCUS: {
      DefaultHandler(m);
      TForm* form = ParentForm();
      if (form && form != this) form->SetActiveControl(this);
      if (OnEnter) GuardedCall([&] { OnEnter(this); });
      return;
    }
    case WM_KILLFOCUS:
      DefaultHandler(m);
      if (OnExit) GuardedCall([&] { OnExit(this); });
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
      HandleKey(m);
      return;
    case WM_SETCURSOR:
      if (static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(m.LParam))) == HTCLIENT) {
        TControl* c = ControlAtPos(ScreenToClient(GetCursorPos()), false);
        const TCursor cursor = (c ? c : this)->Cursor();
        WindowSystem& ws = WindowSystem::Current();
        const WindowData* top = ws.Find(GetAncestor(m_handle, GA_ROOT));
        if (cursor != crDefault && top) {
          ws.GetPlatform().SetCursor(top->top.native, PointerShapeOf(cursor));
          m.Result = 1;
          return;
        }
      }
      DefaultHandler(m);
      return;
    case WM_CAPTURECHANGED:
      if (WParamToHandle(static_cast<WPARAM>(m.LParam)) != m_handle) m_captureControl = nullptr;
      DefaultHandler(m);
      return;
    case CM_MOUSELEAVE:
      SetMouseControl(nullptr);
      break;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED: {
      Invalidate();
      const UINT notice = m.Msg == CM_FONTCHANGED ? CM_PARENTFONTCHANGED : CM_PARENTCOLORCHANGED;
      for (TControl* c : std::vector<TControl*>(m_controls)) c->Perform(notice);
      return;
    }
    case CM_ENABLEDCHANGED:
      Invalidate();
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      // Offered to the children in turn until one takes it (default and cancel buttons,
      // labels' accelerators).
      for (TControl* c : std::vector<TControl*>(m_controls)) {
        c->WindowProc(m);
        if (m.Result != 0) return;
      }
      return;
  }
  if (IsMouseMessage(m.Msg)) {
    bool handled = false;
    RouteMouseToControl(m, handled);
    if (handled) return;
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) && m_tabStop && CanFocus() &&
        !Focused())
      SetFocus();
  }
  TControl::WndProc(m);
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview() && form->OnKeyDown) {
    GuardedCall([&] { form->OnKeyDown(form, key, shift); });
    if (key == 0) return true;
  }
  if (OnKeyDown) GuardedCall([&] { OnKeyDown(this, key, shift); });
  return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift) {
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview() && form->OnKeyUp) {
    GuardedCall([&] { form->OnKeyUp(form, key, shift); });
    if (key == 0) return true;
  }
  if (OnKeyUp) GuardedCall([&] { OnKeyUp(this, key, shift); });
  return key == 0;
}

bool TWinControl::DoKeyPress(char32_t& key) {
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview() && form->OnKeyPress) {
    GuardedCall([&] { form->OnKeyPress(form, key); });
    if (key == 0) return true;
  }
  if (OnKeyPress) GuardedCall([&] { OnKeyPress(this, key); });
  return key == 0;
}

void TWinControl::HandleKey(TMessage& m) {
  const TShiftState shift = KeyboardShiftState();
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      g_eatNextChar = false;
      WORD key = static_cast<WORD>(m.WParam);
      TForm* form = ParentForm();
      // Shortcuts first (pop-up menus of the focused chain, the main menu), then the
      // dialog keys the control does not want for itself.
      bool taken = form && form->IsShortCut(key, shift);
      if (!taken && form) {
        // Tab moves the focus, Enter and Esc go to the default and cancel buttons, unless
        // the focused control wants the key itself.
        LRESULT wants = 0;
        if (key == VK_TAB) wants = DLGC_WANTTAB | DLGC_WANTALLKEYS;
        if (key == VK_RETURN || key == VK_ESCAPE) wants = DLGC_WANTALLKEYS;
        if (wants && !(Perform(WM_GETDLGCODE) & wants))
          taken = form->Perform(CM_DIALOGKEY, key, 0) != 0;
      }
      if (taken) {
        g_eatNextChar = true;
        m.Result = 0;
        return;
      }
      if (DoKeyDown(key, shift)) return;
      m.WParam = key;
      DefaultHandler(m);
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      if (DoKeyUp(key, shift)) return;
      m.WParam = key;
      DefaultHandler(m);
      return;
    }
    case WM_SYSCHAR: {
      if (g_eatNextChar) {
        g_eatNextChar = false;
        return;
      }
      // Alt+letter: the accelerators of the form's labels and buttons.
      TForm* form = ParentForm();
      if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
      DefaultHandler(m);
      return;
    }
    case WM_CHAR: {
      if (g_eatNextChar) {
        g_eatNextChar = false;
        return;
      }
      char32_t key = static_cast<char32_t>(m.WParam);
      if (DoKeyPress(key)) return;
      m.WParam = key;
      DefaultHandler(m);
      return;
    }
  }
}

}  // namespace tappomat
