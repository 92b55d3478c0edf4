#include "platform/x11/x11_platform.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/shape.h>

#include "platform/posix/launcher.h"
#include "platform/posix/text_editor.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_xwayland.h"

namespace tappomat {

X11Platform::X11Platform(std::unique_ptr<X11Display> display)
    : m_x(std::move(display)),
      m_keymap(m_x->Get()),
      m_inputMethod(m_x->Get()),
      m_asyncKeys(m_x->Get(), m_x->Root(), m_keymap),
      m_cursors(m_x->Get()),
      m_clipboard(*m_x) {
  // Held keys repeat as press, press, …, release instead of release-press pairs.
  Bool supported = False;
  XkbSetDetectableAutoRepeat(m_x->Get(), True, &supported);
  // The root's properties tell when a window manager comes or goes; its children's maps
  // and restacks, when another client's window may have covered ours.
  XSelectInput(m_x->Get(), m_x->Root(), PropertyChangeMask | SubstructureNotifyMask);
  XFlush(m_x->Get());
}

X11Platform::~X11Platform() {
  m_destroyed.clear();
  m_windows.clear();
  XSync(m_x->Get(), False);
}

X11Window* X11Platform::Find(NativeWindowId window) {
  const auto it = m_windows.find(window);
  return it == m_windows.end() ? nullptr : it->second.get();
}

NativeWindowId X11Platform::CreateNativeWindow(const NativeWindowParams& params,
                                               NativeWindowListener* listener) {
  auto window = std::make_unique<X11Window>(*m_x, m_inputMethod, params, listener);
  if (!window->Valid()) return kNoNativeWindow;
  const auto id = static_cast<NativeWindowId>(window->Id());
  m_windows.emplace(id, std::move(window));
  return id;
}

void X11Platform::DestroyNativeWindow(NativeWindowId window) {
  const auto it = m_windows.find(window);
  if (it == m_windows.end()) return;
  std::unique_ptr<X11Window> doomed = std::move(it->second);
  m_windows.erase(it);
  if (m_dispatchDepth > 0) {
    m_destroyed.push_back(std::move(doomed));
  }
}

void X11Platform::SetBounds(NativeWindowId window, const Rect& screenBounds) {
  if (X11Window* w = Find(window)) w->SetBounds(screenBounds);
}

void X11Platform::Focus(X11Window& window) {
  if (!window.TakesFocus()) return;
  if (window.Viewable()) {
    XSetInputFocus(m_x->Get(), window.Id(), RevertToParent, CurrentTime);
  } else {
    window.SetFocusWhenMapped(true);
  }
}

void X11Platform::Show(NativeWindowId window, bool activate) {
  X11Window* w = Find(window);
  if (w == nullptr) return;
  if (w->Minimized()) Restore(window);
  const bool focus = activate && w->TakesFocus();
  const bool managed = HasWindowManager() && !w->IsPopup();
  if (managed) {
    // 0 asks the manager not to focus the window when it maps it.
    w->SetUserTime(focus ? m_lastUserTime : 0);
    if (focus && m_lastUserTime == CurrentTime) {
      XDeleteProperty(m_x->Get(), w->Id(), m_x->Atoms().NET_WM_USER_TIME);
    }
  }
  w->Map(focus || w->IsPopup());
  if (managed) {
    if (focus) {
      const std::optional<Window> active =
          ReadWindowProperty(m_x->Get(), m_x->Root(), m_x->Atoms().NET_ACTIVE_WINDOW);
      SendRootMessage(*m_x, w->Id(), m_x->Atoms().NET_ACTIVE_WINDOW, kSourceApplication,
                      static_cast<long>(m_lastUserTime), static_cast<long>(active.value_or(None)));
    }
  } else if (!HasWindowManager()) {
    // Mapping is immediate without a manager, so the window can take the focus at once.
    if (focus) XSetInputFocus(m_x->Get(), w->Id(), RevertToParent, CurrentTime);
    KeepTopmostOnTop();
  }
  XFlush(m_x->Get());
}

void X11Platform::Hide(NativeWindowId window) {
  X11Window* w = Find(window);
  if (w == nullptr) return;
  bool hadFocus = false;
  if (!HasWindowManager()) {
    Window focused = None;
    int revert = 0;
    XGetInputFocus(m_x->Get(), &focused, &revert);
    hadFocus = focused == w->Id();
  }
  w->Withdraw();
  w->SetMinimized(false);
  // Without a manager the focus would fall to the root; the owner gets it instead.
  if (hadFocus) {
    if (X11Window* owner = Find(w->Owner()); owner != nullptr && owner->Shown()) {
      XSetInputFocus(m_x->Get(), owner->Id(), RevertToParent, CurrentTime);
    }
  }
  XFlush(m_x->Get());
}

void X11Platform::Post(NativeWindowId window, NativeEvent::Type type) {
  NativeEvent event;
  event.type = type;
  m_posted.emplace_back(window, event);
}

void X11Platform::Minimize(NativeWindowId window) {
  X11Window* w = Find(window);
  if (w == nullptr || w->Minimized() || w->IsPopup()) return;
  if (HasWindowManager()) {
    // The manager unmaps the window and sets WM_STATE Iconic; either becomes the
    // Minimized event (the unmap is the one that cannot be missed: the manager may show
    // the window again before its state is read).
    w->Iconify();
  } else {
    XUnmapWindow(m_x->Get(), w->Id());
    w->SetMinimized(true);
    Post(window, NativeEvent::Type::Minimized);
  }
  XFlush(m_x->Get());
}

void X11Platform::Restore(NativeWindowId window) {
  X11Window* w = Find(window);
  if (w == nullptr || !w->Minimized()) return;
  w->Map(false);
  if (!HasWindowManager()) {
    w->SetMinimized(false);
    Post(window, NativeEvent::Type::Restored);
    KeepTopmostOnTop();
  }
  XFlush(m_x->Get());
}

void X11Platform::SetTitle(NativeWindowId window, const std::string& utf8) {
  if (X11Window* w = Find(window)) w->SetTitle(utf8);
}

void X11Platform::SetIcon(NativeWindowId window, const Bitmap32& icon) {
  if (X11Window* w = Find(window)) w->SetIcon(icon);
}

void X11Platform::SetCursor(NativeWindowId window, PointerShape shape) {
  if (X11Window* w = Find(window)) w->SetCursor(m_cursors.Get(shape));
}

void X11Platform::Present(NativeWindowId window, const Bitmap32& backBuffer, const Region& dirty) {
  if (X11Window* w = Find(window)) w->Present(backBuffer, dirty);
}

void X11Platform::PresentLayered(NativeWindowId window, const Bitmap32& picture,
                                 std::uint8_t constantAlpha) {
  if (X11Window* w = Find(window)) w->PresentLayered(picture, constantAlpha);
}

void X11Platform::SetOpacity(NativeWindowId window, std::uint8_t alpha) {
  if (X11Window* w = Find(window)) w->SetOpacity(alpha);
}

void X11Platform::SetShape(NativeWindowId window, const std::optional<Region>& visible) {
  X11Window* w = Find(window);
  if (w != nullptr && m_x->HasShape()) w->SetShape(ShapeBounding, visible);
}

void X11Platform::SetInputShape(NativeWindowId window, const std::optional<Region>& input) {
  X11Window* w = Find(window);
  if (w != nullptr && m_x->HasInputShape()) w->SetShape(ShapeInput, input);
}

void X11Platform::SetFocus(NativeWindowId window) {
  if (X11Window* w = Find(window)) Focus(*w);
}

bool X11Platform::GrabPointer(NativeWindowId window) {
  X11Window* w = Find(window);
  if (w == nullptr) return false;
  // Owner events: our other windows still get their own events; everything outside comes
  // to `window`, so a click outside a menu closes it.
  const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                        EnterWindowMask | LeaveWindowMask;
  return XGrabPointer(m_x->Get(), w->Id(), True, mask, GrabModeAsync, GrabModeAsync, None, None,
                      CurrentTime) == GrabSuccess;
}

void X11Platform::ReleasePointer() {
  XUngrabPointer(m_x->Get(), CurrentTime);
  XFlush(m_x->Get());
}

bool X11Platform::CompositorRunning() {
  // A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
  const std::string name = "_NET_WM_CM_S" + std::to_string(m_x->Screen());
  const Atom selection = XInternAtom(m_x->Get(), name.c_str(), False);
  return XGetSelectionOwner(m_x->Get(), selection) != None;
}

bool X11Platform::HasWindowManager() {
  if (!m_windowManager) m_windowManager = WindowManagerRunning(*m_x);
  return *m_windowManager;
}

std::string X11Platform::ClipboardText() { return m_clipboard.Text(); }

void X11Platform::SetClipboardText(const std::string& utf8) { m_clipboard.SetText(utf8); }

bool X11Platform::OpenWithDesktop(const std::string& target) {
  return posix::OpenWithDesktop(target);
}

bool X11Platform::OpenInTextEditor(const std::string& path) {
  return posix::OpenInTextEditor(path);
}

bool X11Platform::StartProgram(const std::string& program, const std::vector<std::string>& args) {
  return posix::StartProgram(program, args);
}

void X11Platform::Beep() {
  XBell(m_x->Get(), 0);
  XFlush(m_x->Get());
}

Rect X11Platform::ScreenRect() {
  // The root spans every monitor; asked each time, as monitors come and go.
  Window root = None;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  if (!XGetGeometry(m_x->Get(), m_x->Root(), &root, &x, &y, &width, &height, &border, &depth)) {
    return Rect::FromSize(0, 0, DisplayWidth(m_x->Get(), m_x->Screen()),
                          DisplayHeight(m_x->Get(), m_x->Screen()));
  }
  return Rect::FromSize(0, 0, static_cast<int>(width), static_cast<int>(height));
}

Rect X11Platform::WorkArea() {
  const Rect screen = ScreenRect();
  if (!HasWindowManager()) return screen;
  constexpr std::size_t kMaxDesktops = 64;
  const X11Atoms& atoms = m_x->Atoms();
  const auto desktop = ReadProperty32(m_x->Get(), m_x->Root(), atoms.NET_CURRENT_DESKTOP,
                                      XA_CARDINAL, 1);
  const std::size_t index = desktop.empty() || desktop[0] >= kMaxDesktops ? 0 : desktop[0];
  const auto areas = ReadProperty32(m_x->Get(), m_x->Root(), atoms.NET_WORKAREA, XA_CARDINAL,
                                    4 * kMaxDesktops);
  if (areas.size() < 4 * (index + 1)) return screen;
  const unsigned long* a = &areas[4 * index];
  const Rect area = Rect::FromSize(static_cast<int>(a[0]), static_cast<int>(a[1]),
                                   static_cast<int>(a[2]), static_cast<int>(a[3]))
                        .Intersect(screen);
  return area.IsEmpty() ? screen : area;
}

bool X11Platform::IsXWayland() { return IsXWaylandServer(m_x->Get()); }

}  // namespace tappomat
