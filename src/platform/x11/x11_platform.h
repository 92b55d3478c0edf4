#pragma once
// X11Platform: the platform on an X server, through Xlib and the XTest, XInput2, SHAPE and
// MIT-SHM extensions. Created by CreateX11Platform (x11_factory.h).
//
// Feature checklist
//   [x] top-level windows: normal, tool (no task-bar entry), popup (override-redirect),
//       no-activate (input hint False, never focused by a click); no frames (_MOTIF_WM_HINTS);
//       owner as WM_TRANSIENT_FOR; bounds also in WM_NORMAL_HINTS so managers keep them
//   [x] show (with activation: _NET_ACTIVE_WINDOW, or XSetInputFocus without a manager),
//       hide, minimise, restore, raise, stay-on-top (_NET_WM_STATE_ABOVE), place directly
//       below or above another (_NET_RESTACK_WINDOW, or XConfigureWindow)
//   [x] title (_NET_WM_NAME and WM_NAME), icon (_NET_WM_ICON), cursor shapes (cursor font)
//   [x] present by dirty rectangles (XShmPutImage on a local server, else XPutImage);
//       layered windows on a 32-bit ARGB visual, premultiplied, times a constant alpha
//   [x] opacity (_NET_WM_WINDOW_OPACITY), visible and input shapes (SHAPE 1.1)
//   [x] events: pointer, buttons, wheel, enter/leave, keys as Windows virtual keys with
//       modifiers and auto-repeat, UTF-8 text through the input method, focus, close,
//       expose (coalesced), moved/resized by others, minimised/restored
//   [x] wait with a deadline on the monotonic clock; Wake from any thread (eventfd)
//   [x] global input: pointer position, XTest motion and buttons, key state with the
//       pressed-since latch from XInput 2.2 raw events (seen through grabs), activation
//   [x] without a window manager: click-to-focus, raise on click, stay-on-top kept by us,
//       minimise as unmap
//   [x] clipboard (CLIPBOARD, UTF-8), xdg-open and programs without a shell, the text
//       editor ($TAPPOMAT_EDITOR, the text/plain default of mimeapps.list, common editors;
//       posix/text_editor.h), bell, screen and work area (_NET_WORKAREA)
//   [ ] clipboard transfers in pieces (INCR): large texts are refused both ways
//   [ ] pre-edit and status areas of input methods (XIMPreeditNothing only)
//   [ ] several X screens: everything happens on the default screen
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/x11/x11_async_keys.h"
#include "platform/x11/x11_clipboard.h"
#include "platform/x11/x11_cursors.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_event_wait.h"
#include "platform/x11/x11_input_method.h"
#include "platform/x11/x11_keymap.h"
#include "platform/x11/x11_window.h"

namespace tappomat {

class X11Platform final : public Platform {
 public:
  explicit X11Platform(std::unique_ptr<X11Display> display);
  ~X11Platform() override;

  // --- windows (x11_platform.cpp)
  NativeWindowId CreateNativeWindow(const NativeWindowParams& params,
                                    NativeWindowListener* listener) override;
  void DestroyNativeWindow(NativeWindowId window) override;
  void SetBounds(NativeWindowId window, const Rect& screenBounds) override;
  void Show(NativeWindowId window, bool activate) override;
  void Hide(NativeWindowId window) override;
  void Minimize(NativeWindowId window) override;
  void Restore(NativeWindowId window) override;
  void SetTitle(NativeWindowId window, const std::string& utf8) override;
  void SetIcon(NativeWindowId window, const Bitmap32& icon) override;
  void SetCursor(NativeWindowId window, PointerShape shape) override;
  void Present(NativeWindowId window, const Bitmap32& backBuffer, const Region& dirty) override;
  void PresentLayered(NativeWindowId window, const Bitmap32& picture,
                      std::uint8_t constantAlpha) override;
  void SetOpacity(NativeWindowId window, std::uint8_t alpha) override;
  void SetShape(NativeWindowId window, const std::optional<Region>& visible) override;
  void SetInputShape(NativeWindowId window, const std::optional<Region>& input) override;
  void SetFocus(NativeWindowId window) override;
  bool GrabPointer(NativeWindowId window) override;
  void ReleasePointer() override;

  // --- stacking (x11_platform_stacking.cpp)
  void Raise(NativeWindowId window) override;
  void SetTopmost(NativeWindowId window, bool topmost) override;
  void PlaceBelow(NativeWindowId window, NativeWindowId sibling) override;
  void PlaceAbove(NativeWindowId window, NativeWindowId sibling) override;

  // --- events and clock (x11_platform_events.cpp)
  Clock::time_point Now() override { return Clock::now(); }
  void WaitAndDispatch(std::optional<Clock::time_point> deadline) override;
  void Wake() override { m_wait.Wake(); }
  void SetTerminationHandler(std::function<void()> handler) override;
  // How many times the input state was read from the server (for tests).
  std::uint64_t InputServerReadings() const { return m_asyncKeys.ServerReadings(); }
  void SetConnectionLostHandler(std::function<void()> handler) override;

  // --- global input (x11_platform_input.cpp)
  Point PointerPosition() override;
  void SetPointerPosition(Point screen) override;
  void InjectButton(MouseButton button, bool down) override;
  std::uint16_t AsyncKeyState(int virtualKey) override;
  void BeginInputSnapshot() override;
  void EndInputSnapshot() override;
  bool IsApplicationActive() override;
  std::optional<std::uint64_t> InputEventCount() override;
  void SetActivityHandler(std::function<void()> handler) override {
    m_onActivity = std::move(handler);
  }

  // --- services (x11_platform.cpp)
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& utf8) override;
  bool OpenWithDesktop(const std::string& target) override;
  bool OpenInTextEditor(const std::string& path) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args) override;
  void Beep() override;
  Rect ScreenRect() override;
  Rect WorkArea() override;
  bool CompositorRunning() override;
  bool IsXWayland() override;

  // --- diagnostics and test controls
  bool HasRawKeyEvents() const { return m_asyncKeys.HasRawEvents(); }
  bool HasWindowManager();
  bool SharedMemoryUsable() const { return m_x->ShmUsable(); }
  // Presents through the socket from now on, as on a remote display.
  void DisableSharedMemory() { m_x->DisableShm(); }

 private:
  X11Window* Find(NativeWindowId window);
  bool IsOurs(Window window) { return Find(static_cast<NativeWindowId>(window)) != nullptr; }
  void Deliver(NativeWindowId window, const NativeEvent& event);
  // Queues an event that has no X event behind it (minimise without a window manager).
  void Post(NativeWindowId window, NativeEvent::Type type);
  void Focus(X11Window& window);

  // x11_platform_events.cpp
  enum class Reading { QueuedOnly, ReadConnection };
  // Delivers the events waiting: those already read from the connection, and with
  // ReadConnection also what the server has sent since. True when anything was delivered.
  bool DispatchWaiting(Reading reading);
  void HandleEvent(XEvent& event);
  void HandleWindowEvent(NativeWindowId id, XEvent& event);
  void OnButton(NativeWindowId id, const XButtonEvent& event);
  void OnDestroyedByOthers(NativeWindowId id);
  void OnKey(NativeWindowId id, XKeyEvent& event);
  void OnConfigure(NativeWindowId id, XEvent& latest);
  // The window's minimized state changed: it is kept and the listener told.
  void SetMinimizedState(NativeWindowId id, X11Window& window, bool minimized);
  void OnWmState(NativeWindowId id);

  // x11_platform_stacking.cpp
  // Without a window manager: puts our topmost windows (and our popups over them) back on
  // top when anything else got above them.
  void KeepTopmostOnTop();
  void PlaceRelative(NativeWindowId window, NativeWindowId sibling, int stackMode);

  // Declared first, destroyed last: every other member holds resources of the connection.
  std::unique_ptr<X11Display> m_x;
  X11Keymap m_keymap;
  X11InputMethod m_inputMethod;
  X11AsyncKeys m_asyncKeys;
  X11Cursors m_cursors;
  X11Clipboard m_clipboard;
  X11EventWait m_wait;
  std::optional<bool> m_windowManager;  // cached until the root's check property changes
  Time m_lastUserTime = CurrentTime;     // of the last key or button event on our windows
  std::deque<std::pair<NativeWindowId, NativeEvent>> m_posted;
  std::unordered_map<NativeWindowId, std::unique_ptr<X11Window>> m_windows;
  // Windows destroyed while one of their events is being handled die after it.
  std::vector<std::unique_ptr<X11Window>> m_destroyed;
  std::function<void()> m_onTermination;
  std::function<void()> m_onActivity;
  // When the connection was last read for events; a look without waiting reads it again
  // only this long after.
  Clock::time_point m_lastRead{};
  static constexpr auto kReadAgainAfter = std::chrono::milliseconds(1);
  // The connection's request counters when it was last read: changed, it was used since.
  unsigned long m_nextRequestAtRead = 0;
  unsigned long m_processedAtRead = 0;
  int m_dispatchDepth = 0;
  // Another client's window was mapped or restacked while no window manager runs: our
  // topmost windows are checked once the events waiting now are handled.
  bool m_stackingCheckDue = false;
};

}  // namespace tappomat
