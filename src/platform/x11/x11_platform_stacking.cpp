// X11Platform: stacking — raise, stay-on-top and placing one window next to another.
// A window manager keeps the stacking rules itself and is asked through EWMH; without one,
// our topmost windows are put back on top whenever something else got above them.
#include "platform/x11/x11_platform.h"

#include <X11/Xutil.h>

#include "platform/x11/x11_properties.h"

namespace tappomat {

void X11Platform::Raise(NativeWindowId window) {
  X11Window* w = Find(window);
  if (w == nullptr) return;
  XRaiseWindow(m_x->Get(), w->Id());
  if (!HasWindowManager()) KeepTopmostOnTop();
  XFlush(m_x->Get());
}

void X11Platform::SetTopmost(NativeWindowId window, bool topmost) {
  X11Window* w = Find(window);
  if (w == nullptr) return;
  const bool managed = HasWindowManager() && !w->IsPopup() && w->Shown();
  w->SetTopmost(topmost, managed);
  if (topmost && !HasWindowManager()) KeepTopmostOnTop();
  XFlush(m_x->Get());
}

void X11Platform::PlaceBelow(NativeWindowId window, NativeWindowId sibling) {
  PlaceRelative(window, sibling, Below);
}

void X11Platform::PlaceAbove(NativeWindowId window, NativeWindowId sibling) {
  PlaceRelative(window, sibling, Above);
}

void X11Platform::PlaceRelative(NativeWindowId window, NativeWindowId sibling, int stackMode) {
  X11Window* w = Find(window);
  X11Window* s = Find(sibling);
  if (w == nullptr || s == nullptr || w == s) return;
  Display* display = m_x->Get();
  XWindowChanges changes{};
  changes.stack_mode = stackMode;
  if (!HasWindowManager()) {
    changes.sibling = s->Id();
    XConfigureWindow(display, w->Id(), CWSibling | CWStackMode, &changes);
    KeepTopmostOnTop();
  } else if (!w->IsPopup() && !s->IsPopup()) {
    // Managed windows live in the manager's frames; it restacks the frames. Our restacks
    // carry out the user's actions in our own window system, which is what source
    // indication 2 says; managers (openbox) ignore application requests for windows
    // that do not have the focus.
    SendRootMessage(*m_x, w->Id(), m_x->Atoms().NET_RESTACK_WINDOW, kSourceUserAction,
                    static_cast<long>(s->Id()), stackMode);
  } else {
    // An unmanaged window is a sibling of the frames, not of the clients in them.
    const Window top = TopLevelAncestor(display, m_x->Root(), s->Id());
    if (top == None) return;
    changes.sibling = top;
    if (w->IsPopup()) {
      XConfigureWindow(display, w->Id(), CWSibling | CWStackMode, &changes);
    } else {
      XReconfigureWMWindow(display, w->Id(), m_x->Screen(), CWSibling | CWStackMode, &changes);
    }
  }
  XFlush(display);
}

void X11Platform::KeepTopmostOnTop() {
  bool anyTopmost = false;
  for (const auto& [id, window] : m_windows) {
    if (window->Shown() && window->IsTopmost() && !window->IsPopup()) anyTopmost = true;
  }
  if (!anyTopmost) return;

  Display* display = m_x->Get();
  const std::vector<Window> order = RootChildren(display, m_x->Root());  // bottom to top
  std::size_t lowest = order.size();
  for (std::size_t i = 0; i < order.size() && lowest == order.size(); ++i) {
    const X11Window* w = Find(static_cast<NativeWindowId>(order[i]));
    if (w != nullptr && w->Shown() && w->IsTopmost() && !w->IsPopup()) lowest = i;
  }
  // Above the lowest topmost window may be: our topmost windows, our popups (menus opened
  // from them), and other clients' menus and tooltips (override-redirect).
  bool intruder = false;
  for (std::size_t i = lowest + 1; i < order.size() && !intruder; ++i) {
    if (const X11Window* w = Find(static_cast<NativeWindowId>(order[i]))) {
      intruder = w->Shown() && !w->IsTopmost() && !w->IsPopup();
      continue;
    }
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, order[i], &attributes)) continue;
    intruder = attributes.map_state == IsViewable && !attributes.override_redirect;
  }
  if (!intruder) return;
  // Raised bottom to top, so they keep their order among themselves.
  for (const Window child : order) {
    const X11Window* w = Find(static_cast<NativeWindowId>(child));
    if (w != nullptr && w->Shown() && w->IsTopmost() && !w->IsPopup()) XRaiseWindow(display, child);
  }
  for (const Window child : order) {
    const X11Window* w = Find(static_cast<NativeWindowId>(child));
    if (w != nullptr && w->Shown() && w->IsPopup()) XRaiseWindow(display, child);
  }
}

}  // namespace tappomat
