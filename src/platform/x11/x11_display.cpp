#include "platform/x11/x11_display.h"

#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace tappomat {
namespace {

std::mutex g_handlerMutex;
int g_openDisplays = 0;
XErrorHandler g_previousHandler = nullptr;
std::vector<X11Display*> g_displays;
// Traps belong to the thread that runs the requests, as Xlib reports errors in the thread
// that reads them.
thread_local X11ErrorTrap* t_trap = nullptr;

// Shared memory needs the server on this machine: a Unix-socket display name.
bool IsLocalDisplayName(const char* name) {
  if (name == nullptr) return false;
  return name[0] == ':' || std::strncmp(name, "unix:", 5) == 0 || name[0] == '/';
}

}  // namespace

int HandleX11Error(Display* display, XErrorEvent* error) {
  for (X11ErrorTrap* trap = t_trap; trap != nullptr; trap = trap->m_previous) {
    if (trap->m_display == display) {
      ++trap->m_errors;
      return 0;
    }
  }
  {
    std::lock_guard lock(g_handlerMutex);
    for (const X11Display* open : g_displays) {
      if (open->Get() == display && open->IsVanishedWindowError(*error)) return 0;
    }
  }
  char text[160] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "tappomat: X error ignored: %s (request %d.%d, resource 0x%lx)\n", text,
               error->request_code, error->minor_code, error->resourceid);
  return 0;
}

std::unique_ptr<X11Display> X11Display::Open(const char* name) {
  Display* display = XOpenDisplay(name);
  if (display == nullptr) return nullptr;
  std::unique_ptr<X11Display> result(new X11Display(display));
  if (!result->m_atoms.Intern(display)) return nullptr;
  return result;
}

X11Display::X11Display(Display* display)
    : m_display(display), m_screen(DefaultScreen(display)), m_root(RootWindow(display, m_screen)) {
  {
    std::lock_guard lock(g_handlerMutex);
    if (g_openDisplays++ == 0) g_previousHandler = XSetErrorHandler(HandleX11Error);
    g_displays.push_back(this);
  }
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  m_hasXTest = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor);
  m_hasShape = XShapeQueryExtension(display, &eventBase, &errorBase);
  // Input shapes arrived with SHAPE 1.1.
  m_hasInputShape = m_hasShape && XShapeQueryVersion(display, &major, &minor) &&
                    (major > 1 || (major == 1 && minor >= 1));
  m_shmUsable = XShmQueryExtension(display) && IsLocalDisplayName(DisplayString(display));
}

X11Display::~X11Display() {
  XCloseDisplay(m_display);
  std::lock_guard lock(g_handlerMutex);
  std::erase(g_displays, this);
  if (--g_openDisplays == 0) XSetErrorHandler(g_previousHandler);
}

void X11Display::AddOwnWindow(Window window) {
  std::lock_guard lock(g_handlerMutex);
  m_ownWindows.insert(window);
}

void X11Display::RemoveOwnWindow(Window window) {
  std::lock_guard lock(g_handlerMutex);
  m_ownWindows.erase(window);
}

bool X11Display::IsVanishedWindowError(const XErrorEvent& error) const {
  return (error.error_code == BadWindow || error.error_code == BadDrawable) &&
         m_ownWindows.contains(error.resourceid);
}

X11ErrorTrap::X11ErrorTrap(Display* display) : m_display(display), m_previous(t_trap) {
  // Errors of earlier requests must not be counted here.
  XSync(display, False);
  t_trap = this;
}

X11ErrorTrap::~X11ErrorTrap() {
  XSync(m_display, False);
  t_trap = m_previous;
}

bool X11ErrorTrap::Failed() {
  XSync(m_display, False);
  return m_errors > 0;
}

}  // namespace tappomat
