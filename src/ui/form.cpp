#include "ui/form.h"

#include <algorithm>

#include "platform/virtual_keys.h"
#include "ui/application.h"
#include "win/input.h"
#include "win/paint.h"

namespace tappomat {

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
  m_visible = false;  // forms are made hidden
  m_width = 320;
  m_height = 240;
  m_controlStyle |= csAcceptsControls;
  SetParentFont(false);
  if (Application) Application->FormCreated(this);
  // The descendant's constructor creates the controls while the form loads.
  BeginLoad();
}

TForm::~TForm() {
  SetComponentStateBits(csDestroying, true);
  if (OnDestroy) GuardedCall([&] { OnDestroy(this); });
  DestroyComponents();
  if (Application) Application->FormDestroyed(this);
  DestroyHandle();
}

void TForm::AfterConstruction() {
  EndLoad();
  if (OnCreate) GuardedCall([&] { OnCreate(this); });
}

void TForm::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN;
  if (!m_enabled) p.Style |= WS_DISABLED;
  p.ExStyle = 0;
  p.WndParent = kNullWindow;
  // The system chooses where a form at a default position first shows.
  if (!m_placed &&
      (m_position == TPosition::poDefault || m_position == TPosition::poDefaultPosOnly)) {
    p.X = CW_USEDEFAULT;
  }
  const bool icons = m_borderStyle != TFormBorderStyle::bsNone;
  switch (m_borderStyle) {
    case TFormBorderStyle::bsNone:
      p.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case TFormBorderStyle::bsToolWindow:
      p.Style |= WS_CAPTION;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (icons && (m_borderIcons & biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    // Dialogs and tool windows have no minimise or maximise buttons.
    const bool boxes = m_borderStyle == TFormBorderStyle::bsSingle ||
                       m_borderStyle == TFormBorderStyle::bsSizeable;
    if (boxes && (m_borderIcons & biMinimize)) p.Style |= WS_MINIMIZEBOX;
    if (boxes && (m_borderIcons & biMaximize)) p.Style |= WS_MAXIMIZEBOX;
  }
  if (m_formStyle == TFormStyle::fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (m_alphaBlend || m_transparentColor) p.ExStyle |= WS_EX_LAYERED;
}

void TForm::CreateHandle() {
  TCustomControl::CreateHandle();
  ApplyLayered();
}

void TForm::ApplyStyles() {
  if (!HandleAllocated()) return;
  TCreateParams p;
  CreateParams(p);
  const std::uint32_t keep = GetWindowStyle(m_handle) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  SetWindowStyle(m_handle, p.Style | keep);
  SetWindowExStyle(m_handle, p.ExStyle);
  SetWindowPos(m_handle, kNullWindow, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ApplyLayered();
}

void TForm::ApplyLayered() {
  if (!HandleAllocated() || !(m_alphaBlend || m_transparentColor)) return;
  UINT flags = 0;
  if (m_alphaBlend) flags |= LWA_ALPHA;
  if (m_transparentColor) flags |= LWA_COLORKEY;
  SetLayeredWindowAttributes(m_handle, ColorToRGB(m_transparentColorValue),
                             m_alphaBlend ? m_alphaBlendValue : 255, flags);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == m_borderStyle) return;
  m_borderStyle = style;
  ApplyStyles();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == m_borderIcons) return;
  m_borderIcons = icons;
  ApplyStyles();
}

void TForm::SetFormStyle(TFormStyle style) {
  if (style == m_formStyle) return;
  m_formStyle = style;
  if (HandleAllocated()) {
    ApplyStyles();
    SetWindowPos(m_handle, style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
                 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TForm::SetAlphaBlend(bool on) {
  if (on == m_alphaBlend) return;
  m_alphaBlend = on;
  ApplyStyles();
}

void TForm::SetAlphaBlendValue(std::uint8_t value) {
  m_alphaBlendValue = value;
  ApplyLayered();
}

void TForm::SetTransparentColor(bool on) {
  if (on == m_transparentColor) return;
  m_transparentColor = on;
  ApplyStyles();
}

void TForm::SetTransparentColorValue(TColor color) {
  m_transparentColorValue = color;
  ApplyLayered();
}

Rect TForm::FrameOffsets() {
  // The frame's thickness on each side, from the non-client protocol with a trial
  // rectangle large enough for any frame.
  constexpr int kTrial = 10000;
  NCCALCSIZE_PARAMS calc;
  calc.rgrc[0] = {0, 0, kTrial, kTrial};
  SendMessage(Handle(), WM_NCCALCSIZE, 0, PtrToLParam(&calc));
  const Rect& c = calc.rgrc[0];
  return {c.left, c.top, kTrial - c.right, kTrial - c.bottom};
}

void TForm::SetClientWidth(int width) {
  const Rect f = FrameOffsets();
  SetBounds(m_left, m_top, width + f.left + f.right, m_height);
}

void TForm::SetClientHeight(int height) {
  const Rect f = FrameOffsets();
  SetBounds(m_left, m_top, m_width, height + f.top + f.bottom);
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control == this) control = nullptr;
  m_activeControl = control;
}

bool TForm::Active() const { return HandleAllocated() && GetActiveWindow() == m_handle; }

void TForm::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == m_activeControl) m_activeControl = nullptr;
  if (component == m_menu) m_menu = nullptr;
}

void TForm::PlaceForShow() {
  if (m_placed) return;
  m_placed = true;
  const Rect work = WindowSystem::Current().GetPlatform().WorkArea();
  // A centred form stays on the work area where it fits, even when the form it is
  // centred on is partly off the screen.
  auto centreOn = [this, &work](const Rect& area) {
    const int left = area.left + (area.Width() - m_width) / 2;
    const int top = area.top + (area.Height() - m_height) / 2;
    SetBounds(std::clamp(left, work.left, std::max(work.left, work.right - m_width)),
              std::clamp(top, work.top, std::max(work.top, work.bottom - m_height)), m_width,
              m_height);
  };
  switch (m_position) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
      centreOn(work);
      break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
      TForm* main = Application ? Application->MainForm() : nullptr;
      if (m_position == TPosition::poOwnerFormCenter && dynamic_cast<TForm*>(Owner()))
        main = static_cast<TForm*>(Owner());
      centreOn(main && main != this ? main->BoundsRect() : work);
      break;
    }
    default:
      break;
  }
}

void TForm::SetVisible(bool visible) {
  if (visible == m_visible) {
    if (visible && HandleAllocated()) SetActiveWindow(m_handle);
    return;
  }
  m_visible = visible;
  if (visible) {
    HandleNeeded();
    PlaceForShow();
    if (OnShow) GuardedCall([&] { OnShow(this); });
    if (!m_visible) return;  // hidden again by OnShow
    ShowWindow(m_handle, SW_SHOW);
    SetActiveWindow(m_handle);
    if (m_activeControl && m_activeControl->CanFocus()) {
      tappomat::SetFocus(m_activeControl->Handle());
    } else if (!m_shownOnce) {
      SelectNext(nullptr, true, true);
    }
    m_shownOnce = true;
  } else {
    if (HandleAllocated()) ShowWindow(m_handle, SW_HIDE);
    if (OnHide) GuardedCall([&] { OnHide(this); });
  }
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

TModalResult TForm::ShowModal() {
  if (m_modal || m_visible) return mrNone;
  const HWND previous = GetActiveWindow();
  std::vector<HWND> disabled;
  if (Application) {
    for (TForm* f : Application->Forms()) {
      if (f == this || !f->HandleAllocated() || !IsWindowEnabled(f->m_handle)) continue;
      EnableWindow(f->m_handle, false);
      disabled.push_back(f->m_handle);
    }
  }
  // A dialog opened beneath a stay-on-top window that it disables would be out of reach
  // behind it; it stays on top while it shows.
  const bool raiseOnTop =
      m_formStyle != TFormStyle::fsStayOnTop &&
      std::any_of(disabled.begin(), disabled.end(),
                  [](HWND h) { return (GetWindowExStyle(h) & WS_EX_TOPMOST) != 0; });
  if (raiseOnTop) {
    HandleNeeded();
    SetWindowPos(m_handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  m_modal = true;
  m_modalResult = mrNone;
  SetVisible(true);
  RunMessageLoopUntil([this] {
    return m_modalResult != mrNone || !m_visible || !HandleAllocated() ||
           (Application && Application->Terminated());
  });
  if (m_modalResult == mrNone) m_modalResult = mrCancel;
  const TModalResult result = m_modalResult;
  // Re-enable the others before hiding, so that activation can go back to them.
  for (HWND h : disabled)
    if (IsWindow(h)) EnableWindow(h, true);
  SetVisible(false);
  if (raiseOnTop && HandleAllocated())
    SetWindowPos(m_handle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  m_modal = false;
  if (IsWindow(previous)) SetActiveWindow(previous);
  return result;
}

void TForm::Close() {
  bool canClose = true;
  if (OnCloseQuery) GuardedCall([&] { OnCloseQuery(this, canClose); });
  if (!canClose) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) GuardedCall([&] { OnClose(this, action); });
  if (action == TCloseAction::caNone) return;
  if (m_modal) {
    if (m_modalResult == mrNone) m_modalResult = mrCancel;
    return;  // ShowModal hides the form
  }
  if (Application && Application->MainForm() == this) {
    SetVisible(false);
    Application->Terminate();
    return;
  }
  if (action == TCloseAction::caMinimize) {
    if (HandleAllocated()) ShowWindow(m_handle, SW_MINIMIZE);
    return;
  }
  // caHide, and caFree, which hides too: the owner frees the form.
  SetVisible(false);
}

bool TForm::IsShortCut(WORD key, TShiftState shift) {
  for (TControl* c = FromHandle(GetFocus()); c; c = c->Parent()) {
    if (c->ParentForm() != this) break;
    if (TPopupMenuBase* menu = c->PopupMenu()) {
      bool taken = false;
      GuardedCall([&] { taken = menu->IsShortCut(key, shift); });
      if (taken) return true;
    }
  }
  return false;
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      m.Result = 0;
      return;
    case WM_ACTIVATE: {
      DefaultHandler(m);
      const bool active = LOWORD(m.WParam) != WA_INACTIVE;
      if (active) {
        if (m_activeControl && m_activeControl->CanFocus() && m_activeControl->HandleAllocated())
          tappomat::SetFocus(m_activeControl->Handle());
        if (OnActivate) GuardedCall([&] { OnActivate(this); });
      } else if (OnDeactivate) {
        GuardedCall([&] { OnDeactivate(this); });
      }
      return;
    }
    case WM_ACTIVATEAPP:
      DefaultHandler(m);
      if (Application) Application->ActivateAppChanged(m.WParam != 0);
      return;
    case WM_SHOWWINDOW:
      DefaultHandler(m);
      return;
    case CM_DIALOGKEY:
      if (m.WParam == VK_TAB) {
        TWinControl* current = FromHandle(GetFocus());
        if (!current || current->ParentForm() != this) current = m_activeControl;
        SelectNext(current, !(KeyboardShiftState() & ssShift), true);
        m.Result = 1;
        return;
      }
      break;  // the other keys are offered to the controls
  }
  TCustomControl::WndProc(m);
}

}  // namespace tappomat
