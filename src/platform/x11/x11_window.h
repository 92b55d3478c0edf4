#pragma once
// X11Window: one native top-level window — the X window, its properties for the window
// manager, its presenter and input context, and what the event translation needs to
// remember about it (bounds requested and reported, mapped and minimised state, keys held
// down, damage still being collected). Owned by X11Platform, which makes the decisions
// that depend on other windows or on the window manager; this class only carries them out.
#include <X11/Xlib.h>

#include <bitset>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "imaging/bitmap32.h"
#include "imaging/region.h"
#include "platform/platform.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_input_method.h"
#include "platform/x11/x11_present.h"

namespace tappomat {

class X11Window {
 public:
  X11Window(X11Display& x, X11InputMethod& inputMethod, const NativeWindowParams& params,
            NativeWindowListener* listener);
  ~X11Window();
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  // False when the server refused the window.
  bool Valid() const { return m_window != None; }
  Window Id() const { return m_window; }
  // Another client destroyed the window: nothing may be asked about it any more, not
  // even its destruction.
  void ForgetDestroyedWindow() { m_window = None; }
  NativeWindowListener* Listener() const { return m_listener; }
  NativeWindowId Owner() const { return m_owner; }
  bool IsPopup() const { return m_kind == NativeWindowKind::Popup; }
  bool NoActivate() const { return m_noActivate; }
  bool IsTopmost() const { return m_topmost; }
  // Activation by a click or by Show: never for popups and no-activate windows.
  bool TakesFocus() const { return !m_noActivate && !IsPopup(); }
  // Shown by us (mapped or waiting for the window manager to map it).
  bool Shown() const { return m_shown; }
  // Seen mapped by the server; only viewable windows can take the focus.
  bool Viewable() const { return m_viewable; }
  bool Minimized() const { return m_minimized; }
  X11InputContext& InputContext() { return m_inputContext; }

  // --- requests
  void SetBounds(const Rect& screenBounds);
  // `raise` also puts the window on top of its siblings.
  void Map(bool raise);
  void Withdraw();
  void Iconify();
  // Topmost as a state property (before mapping, or without a window manager) or as a
  // request to the window manager (`managed`).
  void SetTopmost(bool topmost, bool managed);
  // _NET_WM_USER_TIME: 0 asks the window manager not to focus the window when it maps.
  void SetUserTime(Time time);
  void SetTitle(const std::string& utf8);
  void SetIcon(const Bitmap32& icon);
  void SetCursor(Cursor cursor);
  void SetOpacity(std::uint8_t alpha);
  // `kind` is ShapeBounding or ShapeInput.
  void SetShape(int kind, const std::optional<Region>& region);
  void Present(const Bitmap32& backBuffer, const Region& dirty);
  void PresentLayered(const Bitmap32& picture, std::uint8_t constantAlpha);

  // --- event bookkeeping
  // Collects damage; the whole damaged area once the last Expose of a series came.
  std::optional<Rect> AddExpose(const XExposeEvent& event);
  // The new bounds to report for a configure, or nullopt when it only confirms a request
  // of ours or changes nothing the listener does not know.
  std::optional<Rect> OnConfigured(const Rect& actual);
  void SetViewable(bool viewable) { m_viewable = viewable; }
  // The root, or the frame of a reparenting window manager.
  Window Parent() const { return m_parent; }
  void SetParent(Window parent) { m_parent = parent; }
  void SetMinimized(bool minimized) {
    m_minimized = minimized;
    m_iconifyAsked = false;
  }
  // We asked the window manager to minimize the window and it has not done so yet.
  bool IconifyAsked() const { return m_iconifyAsked; }
  // True when the key was down already: an automatic repeat.
  bool KeyPressed(unsigned keycode);
  void KeyReleased(unsigned keycode);
  void ForgetKeys() { m_keysDown.reset(); }
  // SetFocus before the window was mapped takes effect at MapNotify.
  void SetFocusWhenMapped(bool wanted) { m_focusWhenMapped = wanted; }
  bool TakeFocusWhenMapped();

 private:
  void WriteStateProperty();
  void WriteNormalHints(const Rect& bounds);

  X11Display& m_x;
  Window m_window = None;
  Colormap m_colormap = None;
  NativeWindowListener* m_listener;
  NativeWindowKind m_kind;
  NativeWindowId m_owner;
  bool m_noActivate;
  bool m_topmost;
  bool m_fixedSize = false;
  bool m_defaultPosition = false;  // no position hint until the program moves the window
  std::unique_ptr<X11Presenter> m_presenter;
  X11InputContext m_inputContext;

  Window m_parent = None;
  bool m_shown = false;
  bool m_viewable = false;
  bool m_minimized = false;
  bool m_iconifyAsked = false;
  bool m_focusWhenMapped = false;
  Rect m_reported;                 // the bounds the listener knows
  std::deque<Rect> m_requested;    // our bounds requests not yet confirmed by a configure
  Rect m_exposed;                  // damage of the current Expose series
  std::bitset<256> m_keysDown;
};

}  // namespace tappomat
