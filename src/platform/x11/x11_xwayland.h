#pragma once
// Whether the X server is XWayland, the X11 server a Wayland desktop runs for X11
// programs: there, synthetic clicks and the global key state reach only X11 windows. The
// server is asked, not the environment, so that a private X server started from inside
// a Wayland desktop (Xvfb in a test) counts as what it is. Used by X11Platform.
#include <X11/Xlib.h>

#include <string_view>

namespace tappomat {

// The decision from what the server says: its XWAYLAND extension, or a vendor string
// that names it.
bool LooksLikeXWayland(bool hasXWaylandExtension, std::string_view vendor);

bool IsXWaylandServer(Display* display);

}  // namespace tappomat
