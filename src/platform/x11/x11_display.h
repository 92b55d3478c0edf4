#pragma once
// X11Display: the connection to the X server and what is known about it — screen, root
// window, atoms and the extensions the backend uses. Owned by X11Platform and destroyed
// last, after every resource created on the connection. While any X11Display is open, a
// process-wide error handler logs X errors and carries on, because errors for windows that
// another client (or the window manager) destroyed meanwhile are normal and must never end
// the program.
//
// X11ErrorTrap: counts the errors of one display while it lives, for the few requests whose
// failure changes what we do (attaching shared memory).
#include <X11/Xlib.h>

#include <memory>
#include <unordered_set>

#include "platform/x11/x11_atoms.h"

namespace tappomat {

class X11Display {
 public:
  // Null when the display cannot be opened (`name` null: $DISPLAY).
  static std::unique_ptr<X11Display> Open(const char* name);
  ~X11Display();
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

  Display* Get() const { return m_display; }
  int Screen() const { return m_screen; }
  Window Root() const { return m_root; }
  const X11Atoms& Atoms() const { return m_atoms; }

  bool HasXTest() const { return m_hasXTest; }
  bool HasShape() const { return m_hasShape; }
  bool HasInputShape() const { return m_hasInputShape; }
  // MIT-SHM is used only on a local connection and only until an attach fails.
  bool ShmUsable() const { return m_shmUsable; }
  void DisableShm() { m_shmUsable = false; }

  // Our own windows, from creation until we destroy them. We forget a window before
  // destroying it, so an error about one of these can only mean that another client
  // destroyed it while our requests were on their way: its DestroyNotify follows, and the
  // error is expected rather than worth a line on standard error.
  void AddOwnWindow(Window window);
  void RemoveOwnWindow(Window window);
  bool IsVanishedWindowError(const XErrorEvent& error) const;

 private:
  explicit X11Display(Display* display);

  Display* m_display = nullptr;
  int m_screen = 0;
  Window m_root = None;
  X11Atoms m_atoms;
  bool m_hasXTest = false;
  bool m_hasShape = false;
  bool m_hasInputShape = false;
  bool m_shmUsable = false;
  std::unordered_set<XID> m_ownWindows;
};

class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits for the server to process the requests made so far; true when any of them failed.
  bool Failed();

 private:
  friend int HandleX11Error(Display*, XErrorEvent*);
  Display* m_display;
  int m_errors = 0;
  X11ErrorTrap* m_previous;
};

}  // namespace tappomat
