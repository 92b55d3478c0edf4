#include "support/x11_test_client.h"

#include <cstdio>

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <thread>

namespace tappomat::test {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

namespace {

std::vector<Display*> g_clientDisplays;
// The handler that was in place before the first test client: the X11 backend's own, when
// the test runs one, which must still see the errors of its connection (its traps count
// them, and it decides which of them are worth a line on standard error).
XErrorHandler g_handlerBefore = nullptr;

XErrorHandler XlibDefaultHandler() {
  static const XErrorHandler handler = [] {
    const XErrorHandler current = XSetErrorHandler(nullptr);
    return XSetErrorHandler(current);
  }();
  return handler;
}

// The program under test creates and destroys windows while the test looks at them (a
// drop-down list closing between listing the windows and asking for one), so a request
// about a window that is gone is not an error of the test. Xlib's default handler would
// end the whole test program instead.
int IgnoreVanishedWindows(Display* display, XErrorEvent* error) {
  const bool ours = std::find(g_clientDisplays.begin(), g_clientDisplays.end(), display) !=
                    g_clientDisplays.end();
  if (!ours && g_handlerBefore != nullptr && g_handlerBefore != XlibDefaultHandler()) {
    return g_handlerBefore(display, error);
  }
  if (error->error_code == BadWindow || error->error_code == BadDrawable ||
      error->error_code == BadMatch) {
    return 0;
  }
  std::fprintf(stderr, "X error %d (request %d)\n", error->error_code, error->request_code);
  return 0;
}

}  // namespace

X11TestClient::X11TestClient(const std::string& displayName)
    : m_display(XOpenDisplay(displayName.c_str())) {
  XlibDefaultHandler();
  const XErrorHandler before = XSetErrorHandler(IgnoreVanishedWindows);
  if (before != IgnoreVanishedWindows) g_handlerBefore = before;
  if (m_display != nullptr) g_clientDisplays.push_back(m_display);
}

X11TestClient::~X11TestClient() {
  if (m_display == nullptr) return;
  for (const Window window : m_windows) XDestroyWindow(m_display, window);
  XCloseDisplay(m_display);
  std::erase(g_clientDisplays, m_display);
}

Window X11TestClient::CreateWindow(const Rect& bounds, unsigned long background) {
  XSetWindowAttributes attributes{};
  attributes.background_pixel = background;
  attributes.event_mask = ButtonPressMask | StructureNotifyMask;
  const Window window = XCreateWindow(
      m_display, Root(), bounds.left, bounds.top, static_cast<unsigned>(bounds.Width()),
      static_cast<unsigned>(bounds.Height()), 0, CopyFromParent, InputOutput, CopyFromParent,
      CWBackPixel | CWEventMask, &attributes);
  // Placed where asked, also by a window manager.
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = bounds.left;
  hints.y = bounds.top;
  hints.width = bounds.Width();
  hints.height = bounds.Height();
  XSetWMNormalHints(m_display, window, &hints);
  XMapRaised(m_display, window);
  m_windows.push_back(window);
  WaitUntil([&] {
    XSync(m_display, False);
    XWindowAttributes state{};
    return XGetWindowAttributes(m_display, window, &state) && state.map_state == IsViewable;
  });
  return window;
}

void X11TestClient::DestroyWindow(Window window) {
  XDestroyWindow(m_display, window);
  m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
  XSync(m_display, False);
}

void X11TestClient::Pump() {
  XSync(m_display, False);
  while (XPending(m_display) > 0) {
    XEvent event;
    XNextEvent(m_display, &event);
    if (event.type == ButtonPress) {
      m_presses.push_back({event.xbutton.window, event.xbutton.button,
                           {event.xbutton.x, event.xbutton.y}});
    }
  }
}

void X11TestClient::FakeKey(KeySym keysym, bool down) {
  FakeKeycode(XKeysymToKeycode(m_display, keysym), down);
}

void X11TestClient::FakeKeycode(unsigned keycode, bool down) {
  XTestFakeKeyEvent(m_display, keycode, down ? True : False, CurrentTime);
  XSync(m_display, False);
}

void X11TestClient::FakeButton(unsigned button, bool down) {
  XTestFakeButtonEvent(m_display, button, down ? True : False, CurrentTime);
  XSync(m_display, False);
}

void X11TestClient::FakeMotion(Point screen) {
  XTestFakeMotionEvent(m_display, -1, screen.x, screen.y, CurrentTime);
  XSync(m_display, False);
}

bool X11TestClient::GrabKeyboard(Window window) {
  const int result = XGrabKeyboard(m_display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
  XSync(m_display, False);
  return result == GrabSuccess;
}

void X11TestClient::UngrabKeyboard() {
  XUngrabKeyboard(m_display, CurrentTime);
  XSync(m_display, False);
}

void X11TestClient::Focus(Window window) {
  XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
  XSync(m_display, False);
}

Window X11TestClient::FocusWindow() {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(m_display, &focus, &revert);
  return focus;
}

void X11TestClient::Raise(Window window) {
  XRaiseWindow(m_display, window);
  XSync(m_display, False);
}

std::vector<Window> X11TestClient::StackingOrder() {
  Window root = None, parent = None;
  Window* children = nullptr;
  unsigned count = 0;
  std::vector<Window> order;
  if (XQueryTree(m_display, Root(), &root, &parent, &children, &count) && children != nullptr) {
    order.assign(children, children + count);
  }
  if (children != nullptr) XFree(children);
  return order;
}

Window X11TestClient::TopLevelOf(Window window) {
  for (int depth = 0; depth < 16 && window != None; ++depth) {
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_display, window, &root, &parent, &children, &count)) return None;
    if (children != nullptr) XFree(children);
    if (parent == root) return window;
    window = parent;
  }
  return None;
}

bool X11TestClient::IsAbove(Window upper, Window lower) {
  const std::vector<Window> order = StackingOrder();
  const auto upperAt = std::find(order.begin(), order.end(), TopLevelOf(upper));
  const auto lowerAt = std::find(order.begin(), order.end(), TopLevelOf(lower));
  return upperAt != order.end() && lowerAt != order.end() && upperAt > lowerAt;
}

unsigned long X11TestClient::PixelAt(Window window, int x, int y) {
  XImage* image = XGetImage(m_display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return ~0UL;
  const unsigned long pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return pixel;
}

namespace {

// The window's _NET_WM_NAME (UTF-8), which is how non-ASCII titles are kept.
std::string NetWmName(Display* display, Window window) {
  const Atom property = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, utf8, &type, &format, &count,
                         &after, &data) == Success && data) {
    if (type == utf8 && format == 8) name.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return name;
}

}  // namespace

Window FindWindowNamed(Display* display, Window parent, const std::string& name) {
  Window root = None, parentOut = None;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return None;
  Window found = None;
  for (unsigned i = 0; i < count && found == None; ++i) {
    char* title = nullptr;
    if (XFetchName(display, children[i], &title) && title) {
      if (name == title) found = children[i];
      XFree(title);
    }
    if (found == None && NetWmName(display, children[i]) == name) found = children[i];
    if (found == None) found = FindWindowNamed(display, children[i], name);
  }
  if (children) XFree(children);
  return found;
}

}  // namespace tappomat::test
