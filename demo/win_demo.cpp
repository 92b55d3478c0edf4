// A small program that shows the window system at work on a real display: a top-level
// window with the classic frame (move it by its caption), a child that reacts to clicks
// and keys, and a timer that counts. Run it on a desktop or under Xvfb:
//   tappomat_win_demo [--exit-after MS]
// --exit-after ends it by itself, so that a test can run it unattended.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "platform/x11/x11_factory.h"
#include "win/input.h"
#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

struct DemoState {
  int ticks = 0;
  int clicks = 0;
  std::string lastKey = "none";
  bool pressed = false;
};

DemoState g_state;
constexpr std::uintptr_t kCountTimer = 1;
constexpr std::uintptr_t kExitTimer = 2;

LRESULT PadProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      g_state.pressed = true;
      ++g_state.clicks;
      SetFocus(h);
      InvalidateRect(h, std::nullopt, true);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      g_state.pressed = false;
      InvalidateRect(h, std::nullopt, true);
      return 0;
    case WM_KEYDOWN:
      g_state.lastKey = "key " + std::to_string(wParam);
      InvalidateRect(h, std::nullopt, true);
      return 0;
    case WM_CHAR: {
      char32_t c = static_cast<char32_t>(wParam);
      g_state.lastKey = "char U+" + std::to_string(static_cast<unsigned>(c));
      InvalidateRect(h, std::nullopt, true);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(h, std::nullopt, true);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      DeviceContext& dc = BeginPaint(h, ps);
      Rect r = GetClientRect(h);
      FillRect(dc, r, g_state.pressed ? RGB(255, 200, 120) : RGB(200, 230, 255));
      FrameRect(dc, r, RGB(0, 0, 0));
      dc.SetBkMode(BkMode::Transparent);
      const std::string text = "Clicks: " + std::to_string(g_state.clicks) + "\nLast: " + g_state.lastKey;
      Rect textRect = r.Inflate(-6, -6);
      DrawText(dc, text, textRect, DT_LEFT | DT_WORDBREAK);
      if (GetFocus() == h) DrawFocusRect(dc, r.Inflate(-3, -3));
      EndPaint(h, ps);
      return 0;
    }
  }
  return DefWindowProc(h, msg, wParam, lParam);
}

LRESULT MainProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      if (wParam == kExitTimer) {
        DestroyWindow(h);
        return 0;
      }
      ++g_state.ticks;
      InvalidateRect(h, Rect{10, 10, 300, 40}, true);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      DeviceContext& dc = BeginPaint(h, ps);
      dc.SetBkMode(BkMode::Transparent);
      Rect r{10, 10, 300, 40};
      DrawText(dc, "Timer: " + std::to_string(g_state.ticks) + " ticks (500 ms)", r, DT_LEFT | DT_SINGLELINE);
      EndPaint(h, ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProc(h, msg, wParam, lParam);
}

int Run(int exitAfterMs) {
  std::unique_ptr<Platform> platform = CreateX11Platform();
  if (!platform) {
    std::fprintf(stderr, "tappomat_win_demo: cannot open the X display (is DISPLAY set?)\n");
    return 1;
  }
  WindowSystem system(*platform);
  RegisterClass({"DemoMain", MainProc, 0, PointerShape::Arrow, COLOR_BTNFACE + 1});
  RegisterClass({"DemoPad", PadProc, CS_DBLCLKS, PointerShape::Hand, -1});
  const HWND main = CreateWindowEx(0, "DemoMain", "Tappomat window demo",
                                   WS_OVERLAPPEDWINDOW, 100, 100, 420, 300, kNullWindow);
  if (!main) return 1;
  CreateWindowEx(WS_EX_CLIENTEDGE, "DemoPad", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 20, 60,
                 240, 120, main);
  SetTimer(main, kCountTimer, 500);
  if (exitAfterMs > 0) SetTimer(main, kExitTimer, static_cast<UINT>(exitAfterMs));
  ShowWindow(main, SW_SHOW);
  MSG msg;
  while (GetMessage(msg)) {
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace tappomat

int main(int argc, char** argv) {
  int exitAfterMs = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--exit-after") == 0 && i + 1 < argc) {
      exitAfterMs = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: tappomat_win_demo [--exit-after MS]\n");
      return 2;
    }
  }
  return tappomat::Run(exitAfterMs);
}
