// Hit-testing: which window is under a screen point. Top-level windows are tried topmost
// first; inside one, the children (topmost first) are searched down to the deepest
// window under the point, which is then asked WM_NCHITTEST. HTTRANSPARENT sends the
// search on to the siblings underneath and then the parent. A disabled child stops the
// search: its parent gets the input, as WindowFromPoint never returns disabled windows.
#include "win/input_routing.h"

namespace tappomat {
namespace {

// Inside the window rectangle and its window region, if it has one.
bool ContainsScreenPoint(HWND h, const WindowData& w, Point screen) {
  const Rect bounds = GetWindowRect(h);
  if (!bounds.Contains(screen)) return false;
  return !w.region || w.region->Contains({screen.x - bounds.left, screen.y - bounds.top});
}

// `h` is visible, enabled and under the point. Returns null when it and everything
// below it in its subtree are transparent there.
HitResult HitTestWindow(WindowSystem& ws, HWND h, Point screen) {
  WindowData* w = ws.Find(h);
  // Children live in the client area and are clipped to it.
  if (GetClientRect(h).Contains(ScreenToClient(h, screen))) {
    const std::vector<HWND> children = w->children;  // a copy: WM_NCHITTEST may restack
    for (HWND child : children) {
      const WindowData* c = ws.Find(child);
      if (!c || !c->IsVisible() || !ContainsScreenPoint(child, *c, screen)) continue;
      if (!c->IsEnabled()) break;
      if (HitResult found = HitTestWindow(ws, child, screen); found.hwnd) return found;
    }
  }
  const LRESULT hit = SendMessage(h, WM_NCHITTEST, 0, LParamFromPoint(screen));
  if (!ws.Find(h) || hit == HTTRANSPARENT) return {};
  return {h, hit};
}

HitResult HitTestTopLevel(WindowSystem& ws, HWND top, Point screen) {
  const WindowData* w = ws.Find(top);
  if (!w || !w->IsVisible() || w->top.minimized || !ContainsScreenPoint(top, *w, screen)) return {};
  if (!w->IsEnabled()) return {top, HTERROR};  // not asked: it takes no input
  return HitTestWindow(ws, top, screen);
}

}  // namespace

HitResult HitTestScreen(Point screen, HWND firstTop) {
  WindowSystem& ws = WindowSystem::Current();
  if (firstTop) {
    if (HitResult found = HitTestTopLevel(ws, firstTop, screen); found.hwnd) return found;
  }
  for (HWND top : TopLevelZOrder()) {
    if (top == firstTop) continue;
    if (HitResult found = HitTestTopLevel(ws, top, screen); found.hwnd) return found;
  }
  return {};
}

HWND WindowFromPoint(Point screen) {
  // A disabled top-level window under the point hides what is beneath it.
  const HitResult found = HitTestScreen(screen, kNullWindow);
  return IsWindowEnabled(found.hwnd) ? found.hwnd : kNullWindow;
}

}  // namespace tappomat
