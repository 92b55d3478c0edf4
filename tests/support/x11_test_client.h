#pragma once
// X11TestClient: another X client beside the program under test, on its own connection —
// the "other application" of the end-to-end tests. It owns plain windows that record the
// button presses they receive, drives the keyboard and mouse through XTest as a user
// would, grabs the keyboard, and reads back stacking order, focus and pixels.
//
// WaitUntil: the tests' way of waiting for the X server — polls a condition with short
// sleeps up to a bound, instead of sleeping for a fixed time.
#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "imaging/geometry.h"

namespace tappomat::test {

bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

// The top-level window whose WM_NAME or _NET_WM_NAME is `name`, searched from `parent`
// down through window-manager frames; None when there is none.
Window FindWindowNamed(Display* display, Window parent, const std::string& name);

class X11TestClient {
 public:
  struct Press {
    Window window = None;
    unsigned button = 0;
    Point position;  // window coordinates
  };

  explicit X11TestClient(const std::string& displayName);
  ~X11TestClient();
  X11TestClient(const X11TestClient&) = delete;
  X11TestClient& operator=(const X11TestClient&) = delete;

  bool Ok() const { return m_display != nullptr; }
  Display* Get() const { return m_display; }
  Window Root() const { return DefaultRootWindow(m_display); }

  // A window filled with `background` that records button presses; mapped and raised, and
  // returned once the server shows it (under a window manager: once it is managed).
  Window CreateWindow(const Rect& bounds, unsigned long background = 0x808080);
  void DestroyWindow(Window window);

  // Reads the events that arrived and keeps the button presses.
  void Pump();
  const std::vector<Press>& Presses() const { return m_presses; }
  void ClearPresses() { m_presses.clear(); }

  void FakeKey(KeySym keysym, bool down);
  void FakeKeycode(unsigned keycode, bool down);
  void FakeButton(unsigned button, bool down);
  void FakeMotion(Point screen);
  void Sync() { XSync(m_display, False); }

  bool GrabKeyboard(Window window);
  void UngrabKeyboard();
  void Focus(Window window);
  Window FocusWindow();
  void Raise(Window window);

  // Children of the root, bottom to top, and the one among them that holds `window`.
  std::vector<Window> StackingOrder();
  Window TopLevelOf(Window window);
  // True when `upper`'s top-level window is above `lower`'s.
  bool IsAbove(Window upper, Window lower);
  // A pixel as the server has it: 0xRRGGBB, with alpha above on 32-bit visuals.
  unsigned long PixelAt(Window window, int x, int y);

 private:
  Display* m_display = nullptr;
  std::vector<Window> m_windows;
  std::vector<Press> m_presses;
};

}  // namespace tappomat::test
