// The default window procedure: a thin switch over the core messages; the non-client,
// input and paint parts are asked first and live with their concerns.
#include <algorithm>
#include <cstring>

#include "win/input.h"
#include "win/nonclient.h"
#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

LRESULT HandleSetText(HWND h, LPARAM lParam) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  const char* text = LParamToPtr<const char>(lParam);
  w->text = text ? text : "";
  if (!w->IsChild()) {
    ws.m_platform.SetTitle(w->top.native, w->text);
    InvalidateNonClient(h);  // the caption shows the text; the client area is unchanged
  }
  return 1;
}

// WM_GETTEXT: wParam is the buffer size in bytes, the terminator included.
LRESULT HandleGetText(HWND h, WPARAM wParam, LPARAM lParam) {
  char* buffer = LParamToPtr<char>(lParam);
  if (!buffer || wParam == 0) return 0;
  const std::string& text = WindowSystem::Current().Find(h)->text;
  const std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT HandleSysCommand(HWND h, WPARAM wParam) {
  switch (wParam & 0xFFF0) {
    case SC_CLOSE:
      SendMessage(h, WM_CLOSE);
      return 0;
    case SC_MINIMIZE:
      ShowWindow(h, SW_MINIMIZE);
      return 0;
    case SC_RESTORE:
      ShowWindow(h, SW_RESTORE);
      return 0;
  }
  return 0;
}

// WM_WINDOWPOSCHANGED becomes WM_MOVE and WM_SIZE, so windows that only
// handle those still learn of moves and resizes.
LRESULT HandleWindowPosChanged(HWND h, LPARAM lParam) {
  const WINDOWPOS* pos = LParamToPtr<const WINDOWPOS>(lParam);
  WindowData* w = WindowSystem::Current().Find(h);
  if (!(pos->flags & SWP_NOMOVE)) {
    SendMessage(h, WM_MOVE, 0,
                MAKELPARAM(w->windowRect.left + w->clientRect.left, w->windowRect.top + w->clientRect.top));
  }
  if (!(pos->flags & SWP_NOSIZE) && (w = WindowSystem::Current().Find(h))) {
    const WPARAM kind = w->IsChild()            ? SIZE_RESTORED
                        : w->top.minimized    ? SIZE_MINIMIZED
                        : w->top.maximized    ? SIZE_MAXIMIZED
                                              : SIZE_RESTORED;
    SendMessage(h, WM_SIZE, kind, MAKELPARAM(w->clientRect.Width(), w->clientRect.Height()));
  }
  return 0;
}

}  // namespace

LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  if (!w) return 0;
  if (auto r = DefNonClientProc(h, msg, wParam, lParam)) return *r;
  if (auto r = DefInputProc(h, msg, wParam, lParam)) return *r;
  if (auto r = DefPaintProc(h, msg, wParam, lParam)) return *r;
  switch (msg) {
    case WM_NCCREATE:
      return 1;
    case WM_SETTEXT:
      return HandleSetText(h, lParam);
    case WM_GETTEXT:
      return HandleGetText(h, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    case WM_SYSCOMMAND:
      return HandleSysCommand(h, wParam);
    case WM_WINDOWPOSCHANGED:
      return HandleWindowPosChanged(h, lParam);
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      // Unhandled by a child: its parent may want it.
      return w->IsChild() ? SendMessage(w->parent, msg, wParam, lParam) : 0;
  }
  return 0;
}

}  // namespace tappomat
