#pragma once
// Reading and writing window properties and talking to the window manager (ICCCM, EWMH).
// Free functions used by the windows, the platform and the stacking code; they make no
// decisions, they only spell out the protocol.
#include <X11/Xlib.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/x11/x11_display.h"

namespace tappomat {

// A property of 32-bit items (CARDINAL, WINDOW, ATOM…) as longs, as Xlib hands them over;
// empty when missing, of another type, or longer than `maxItems` (outside data).
std::vector<unsigned long> ReadProperty32(Display* display, Window window, Atom property,
                                          Atom type, std::size_t maxItems);
std::optional<Window> ReadWindowProperty(Display* display, Window window, Atom property);

void WriteProperty32(Display* display, Window window, Atom property, Atom type,
                     const std::vector<unsigned long>& items);
void WriteUtf8Property(Display* display, Window window, Atom property, const std::string& utf8,
                       Atom utf8Type);

// True when an EWMH window manager runs: the root names a check window that names itself.
bool WindowManagerRunning(const X11Display& x);

// A client message to the root window, the way EWMH requests reach the window manager.
void SendRootMessage(const X11Display& x, Window about, Atom type, long l0, long l1 = 0,
                     long l2 = 0, long l3 = 0, long l4 = 0);

// Window state requests (_NET_WM_STATE): remove 0, add 1.
constexpr long kNetWmStateRemove = 0;
constexpr long kNetWmStateAdd = 1;
// Source indication of EWMH requests: an ordinary application's own wish, or the direct
// action of the user (as pagers and task bars send).
constexpr long kSourceApplication = 1;
constexpr long kSourceUserAction = 2;

// The child of the root that holds `window` (its frame under a reparenting window
// manager); `window` itself when it is a child of the root; None when it is gone.
Window TopLevelAncestor(Display* display, Window root, Window window);
// The children of the root, bottom to top.
std::vector<Window> RootChildren(Display* display, Window root);

}  // namespace tappomat
