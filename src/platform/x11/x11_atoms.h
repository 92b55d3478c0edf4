#pragma once
// X11Atoms: every atom the X11 backend uses, interned in one round trip when the display
// is opened. The list below yields both the members and their names, so they cannot drift.
// Members drop the leading underscore of the EWMH names (reserved in C++).
#include <X11/Xlib.h>

namespace tappomat {

#define TAPPOMAT_X11_ATOMS(X)                                      \
  X(WM_PROTOCOLS, "WM_PROTOCOLS")                                  \
  X(WM_DELETE_WINDOW, "WM_DELETE_WINDOW")                          \
  X(WM_STATE, "WM_STATE")                                          \
  X(WM_CLIENT_MACHINE, "WM_CLIENT_MACHINE")                        \
  X(UTF8_STRING, "UTF8_STRING")                                    \
  X(CLIPBOARD, "CLIPBOARD")                                        \
  X(TARGETS, "TARGETS")                                            \
  X(TEXT, "TEXT")                                                  \
  X(INCR, "INCR")                                                  \
  X(NET_WM_NAME, "_NET_WM_NAME")                                   \
  X(NET_WM_ICON, "_NET_WM_ICON")                                   \
  X(NET_WM_PID, "_NET_WM_PID")                                     \
  X(NET_WM_STATE, "_NET_WM_STATE")                                 \
  X(NET_WM_STATE_ABOVE, "_NET_WM_STATE_ABOVE")                     \
  X(NET_WM_STATE_SKIP_TASKBAR, "_NET_WM_STATE_SKIP_TASKBAR")       \
  X(NET_WM_STATE_SKIP_PAGER, "_NET_WM_STATE_SKIP_PAGER")           \
  X(NET_WM_STATE_HIDDEN, "_NET_WM_STATE_HIDDEN")                   \
  X(NET_WM_WINDOW_TYPE, "_NET_WM_WINDOW_TYPE")                     \
  X(NET_WM_WINDOW_TYPE_NORMAL, "_NET_WM_WINDOW_TYPE_NORMAL")       \
  X(NET_WM_WINDOW_TYPE_UTILITY, "_NET_WM_WINDOW_TYPE_UTILITY")     \
  X(NET_WM_WINDOW_TYPE_DIALOG, "_NET_WM_WINDOW_TYPE_DIALOG")       \
  X(NET_WM_WINDOW_TYPE_POPUP_MENU, "_NET_WM_WINDOW_TYPE_POPUP_MENU") \
  X(NET_WM_USER_TIME, "_NET_WM_USER_TIME")                         \
  X(NET_WM_WINDOW_OPACITY, "_NET_WM_WINDOW_OPACITY")               \
  X(NET_ACTIVE_WINDOW, "_NET_ACTIVE_WINDOW")                       \
  X(NET_RESTACK_WINDOW, "_NET_RESTACK_WINDOW")                     \
  X(NET_SUPPORTING_WM_CHECK, "_NET_SUPPORTING_WM_CHECK")           \
  X(NET_WORKAREA, "_NET_WORKAREA")                                 \
  X(NET_CURRENT_DESKTOP, "_NET_CURRENT_DESKTOP")                   \
  X(MOTIF_WM_HINTS, "_MOTIF_WM_HINTS")                             \
  X(TAPPOMAT_SELECTION, "TAPPOMAT_SELECTION")                      \
  X(TAPPOMAT_TIMESTAMP, "TAPPOMAT_TIMESTAMP")

struct X11Atoms {
#define TAPPOMAT_X11_ATOM_MEMBER(member, name) Atom member = None;
  TAPPOMAT_X11_ATOMS(TAPPOMAT_X11_ATOM_MEMBER)
#undef TAPPOMAT_X11_ATOM_MEMBER

  // Interns the whole list; false when the server refused.
  bool Intern(Display* display);
};

}  // namespace tappomat
