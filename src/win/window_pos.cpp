// Moving, sizing, showing and restacking windows: SetWindowPos and what builds on it.
#include <algorithm>

#include "win/caption_actions.h"
#include "win/input.h"
#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

// The area a visible window covers in its top-level window (window coordinates of the
// top-level), for repainting what it leaves or enters.
Region CoveredArea(HWND h) {
  WindowData* w = WindowSystem::Current().Find(h);
  if (!w || !IsWindowVisible(h)) return {};
  const Point origin = WindowOriginInTopLevel(h);
  const Rect local{0, 0, w->windowRect.Width(), w->windowRect.Height()};
  const Region shape = w->region ? w->region->Intersect(local) : Region(local);
  return shape.Offset(origin.x, origin.y);
}

void Restack(WindowSystem& ws, WindowData& w, HWND insertAfter) {
  if (!w.IsChild()) {
    Platform& p = ws.m_platform;
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
      const bool topmost = insertAfter == HWND_TOPMOST;
      w.exStyle = topmost ? (w.exStyle | WS_EX_TOPMOST) : (w.exStyle & ~WS_EX_TOPMOST);
      p.SetTopmost(w.top.native, topmost);
      if (topmost) p.Raise(w.top.native);
    } else if (insertAfter == HWND_TOP) {
      p.Raise(w.top.native);
    } else if (WindowData* after = ws.Find(insertAfter); after && !after->IsChild()) {
      p.PlaceBelow(w.top.native, after->top.native);
    }
    RestackTopLevelOrder(w.handle, insertAfter);  // the order WindowFromPoint goes by
    return;
  }
  std::vector<HWND>& siblings = ws.Find(w.parent)->children;
  std::erase(siblings, w.handle);
  if (insertAfter == HWND_BOTTOM) {
    siblings.push_back(w.handle);
  } else if (auto it = std::find(siblings.begin(), siblings.end(), insertAfter);
             insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST &&
             insertAfter != HWND_NOTOPMOST && it != siblings.end()) {
    siblings.insert(it + 1, w.handle);
  } else {
    siblings.insert(siblings.begin(), w.handle);
  }
}

}  // namespace

bool SetWindowPos(HWND h, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  if (!w) return false;

  WINDOWPOS pos;
  pos.hwnd = h;
  pos.hwndInsertAfter = insertAfter;
  pos.x = (flags & SWP_NOMOVE) ? w->windowRect.left : x;
  pos.y = (flags & SWP_NOMOVE) ? w->windowRect.top : y;
  pos.cx = (flags & SWP_NOSIZE) ? w->windowRect.Width() : std::max(width, 0);
  pos.cy = (flags & SWP_NOSIZE) ? w->windowRect.Height() : std::max(height, 0);
  pos.flags = flags;
  if (pos.x == w->windowRect.left && pos.y == w->windowRect.top) pos.flags |= SWP_NOMOVE;
  if (pos.cx == w->windowRect.Width() && pos.cy == w->windowRect.Height()) pos.flags |= SWP_NOSIZE;
  if ((pos.flags & SWP_SHOWWINDOW) && w->IsVisible()) pos.flags &= ~SWP_SHOWWINDOW;
  if ((pos.flags & SWP_HIDEWINDOW) && !w->IsVisible()) pos.flags &= ~SWP_HIDEWINDOW;

  if (!(pos.flags & SWP_NOSENDCHANGING)) {
    SendMessage(h, WM_WINDOWPOSCHANGING, 0, PtrToLParam(&pos));
    if (!(w = ws.Find(h))) return false;
  }

  const Region before = CoveredArea(h);
  const HWND top = GetAncestor(h, GA_ROOT);
  const Rect newRect = Rect::FromSize(pos.x, pos.y, pos.cx, pos.cy);
  const bool moved = newRect.TopLeft() != w->windowRect.TopLeft();
  const bool sized = newRect.GetSize() != w->windowRect.GetSize();

  if (sized || moved || (pos.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS calc;
    calc.rgrc[0] = newRect;
    calc.rgrc[1] = w->windowRect;
    calc.rgrc[2] = w->windowRect.Offset(w->clientRect.left, w->clientRect.top);
    calc.lppos = &pos;
    SendMessage(h, WM_NCCALCSIZE, 1, PtrToLParam(&calc));
    if (!(w = ws.Find(h))) return false;
    w->windowRect = newRect;
    w->clientRect = calc.rgrc[0].Offset(-newRect.left, -newRect.top).Intersect(
        {0, 0, newRect.Width(), newRect.Height()});
    if (w->clientRect.IsEmpty()) w->clientRect = {0, 0, 0, 0};
    // Bounds the window manager has just given the native window are not sent back.
    const bool fromPlatform = ws.m_configuring == h && ws.m_configuredBounds == newRect;
    if (!w->IsChild() && !fromPlatform) ws.m_platform.SetBounds(w->top.native, newRect);
  }
  if (!(pos.flags & SWP_NOZORDER)) Restack(ws, *w, insertAfter);
  if (pos.flags & SWP_SHOWWINDOW) {
    w->style |= WS_VISIBLE;
    if (!w->IsChild()) ws.m_platform.Show(w->top.native, !(pos.flags & SWP_NOACTIVATE));
  }
  if (pos.flags & SWP_HIDEWINDOW) {
    w->style &= ~WS_VISIBLE;
    if (!w->IsChild()) ws.m_platform.Hide(w->top.native);
  }

  // Repaint what the window left and what it now covers.
  if (!(pos.flags & SWP_NOREDRAW)) {
    const Region after = CoveredArea(h);
    if (w->IsChild()) {
      InvalidateTopLevelArea(top, before.Union(after));
    } else if (!after.IsEmpty() && (sized || (pos.flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED)))) {
      InvalidateTopLevelArea(top, after);
    }
  }

  SendMessage(h, WM_WINDOWPOSCHANGED, 0, PtrToLParam(&pos));
  if (!ws.Find(h)) return true;
  if ((pos.flags & SWP_SHOWWINDOW) && !w->IsChild() && !(pos.flags & SWP_NOACTIVATE) &&
      !(w->exStyle & WS_EX_NOACTIVATE)) {
    SetActiveWindow(h);
  }
  // A hidden window loses the capture and the pointer; when it was active, another
  // window is activated (and takes the focus) first.
  if (pos.flags & SWP_HIDEWINDOW) WindowHidden(h);
  if (!(w = ws.Find(h))) return true;
  if ((pos.flags & SWP_HIDEWINDOW) && (ws.m_focus == h || IsChild(h, ws.m_focus))) {
    // The focus leaves a hidden window; its top-level window keeps it when still shown.
    SetFocus(w->IsChild() && IsWindowVisible(w->parent) ? w->parent : kNullWindow);
  }
  return true;
}

bool MoveWindow(HWND h, int x, int y, int width, int height, bool repaint) {
  return SetWindowPos(h, kNullWindow, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : UINT{SWP_NOREDRAW}));
}

bool ShowWindow(HWND h, int command) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  if (!w) return false;
  const bool wasVisible = w->IsVisible();
  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return false;
      SendMessage(h, WM_SHOWWINDOW, 0, 0);
      SetWindowPos(h, kNullWindow, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      if (!w->IsChild()) {
        if (!wasVisible) ShowWindow(h, SW_SHOWNA);
        if (!(w = ws.Find(h))) return wasVisible;
        w->top.minimized = true;
        ws.m_platform.Minimize(w->top.native);
        SendMessage(h, WM_SIZE, SIZE_MINIMIZED, 0);
        if (ws.m_active == h) SetActiveWindow(kNullWindow);
      }
      return wasVisible;
    case SW_SHOWMAXIMIZED: {
      const bool result = ShowWindow(h, SW_SHOW);
      MaximizeWindow(h);
      return result;
    }
    case SW_RESTORE:
      if (!w->IsChild() && !w->top.minimized && w->top.maximized) RestoreMaximizedWindow(h);
      if (!w->IsChild() && w->top.minimized) {
        w->top.minimized = false;
        ws.m_platform.Restore(w->top.native);
        const Rect client = GetClientRect(h);
        SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
        if (WindowData* again = ws.Find(h)) {
          InvalidateTopLevelArea(h, Region(Rect{0, 0, again->windowRect.Width(), again->windowRect.Height()}));
        }
      }
      [[fallthrough]];
    default: {
      const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE;
      if (!wasVisible) {
        SendMessage(h, WM_SHOWWINDOW, 1, 0);
        if (!ws.Find(h)) return false;
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE |
                         (activate ? 0u : UINT{SWP_NOACTIVATE}) | (w->IsChild() ? UINT{SWP_NOZORDER} : 0u));
      } else if (activate && !w->IsChild()) {
        SetActiveWindow(h);
      }
      return wasVisible;
    }
  }
}

}  // namespace tappomat
