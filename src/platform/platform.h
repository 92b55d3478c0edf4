#pragma once
// Platform: the operating-system boundary. Everything above it (the window system, the
// automation) reaches the OS only through this interface, grouped by concern:
//   windows        native top-level windows and the pictures shown in them
//   events, clock  native events delivered to a listener per window; the blocking wait
//   global input   pointer, injected buttons, asynchronous key state, activation
//   services       clipboard, desktop launching, text editor, beep, screen geometry
// Backends: platform/x11/ and platform/headless/, each created by its own factory file.
// All calls are made from the user-interface thread, except Wake().
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bitmap32.h"
#include "imaging/region.h"

namespace tappomat {

using NativeWindowId = std::uint32_t;
constexpr NativeWindowId kNoNativeWindow = 0;

enum class NativeWindowKind {
  Normal,  // managed top-level window with a task-bar entry
  Tool,    // managed top-level window without a task-bar entry
  Popup,   // not managed (override-redirect): menus, drop-down lists, animation, glow
};

struct NativeWindowParams {
  NativeWindowKind kind = NativeWindowKind::Normal;
  Rect bounds;                             // screen coordinates
  NativeWindowId owner = kNoNativeWindow;  // dialogs stay above their owner
  bool noActivate = false;  // never becomes active or takes the focus by a click
  bool layered = false;     // shows per-pixel-alpha pictures (PresentLayered)
  bool topmost = false;
  bool fixedSize = false;   // the window manager must not resize it (no sizing frame)
  // The window manager chooses where the window first shows (bounds: the place to use
  // without one). A move asked for later is a place the program chose.
  bool defaultPosition = false;
  std::string title;        // UTF-8
};

enum class MouseButton { Left, Right, Middle };

enum class PointerShape { Arrow, IBeam, Hand, Wait, SizeWE, SizeNS, SizeNWSE, SizeNESW, SizeAll };

// Modifier bits of input events.
enum ModifierBits : unsigned { kModShift = 1, kModControl = 2, kModAlt = 4 };

struct NativeEvent {
  enum class Type {
    PointerMove,    // position, screenPosition, modifiers
    ButtonDown,     // + button
    ButtonUp,       // + button
    Wheel,          // + wheelDelta
    PointerEnter,
    PointerLeave,
    KeyDown,        // virtualKey, autoRepeat, modifiers
    KeyUp,          // virtualKey, modifiers
    Text,           // text: printable UTF-8 typed through the input method; control
                    // characters (Return, Backspace, Tab, Esc, Ctrl+letter) come only as keys
    FocusGained,
    FocusLost,
    CloseRequest,   // the user asked the window manager to close the window
    Damaged,         // rect: area to present again, window coordinates (also after a
                     // shape is removed: the display keeps no hidden pixels)
    Configured,     // rect: new bounds in screen coordinates, set by the window manager
                    // or another client (never echoes our own SetBounds)
    Minimized,
    Restored,
    Destroyed,      // another client destroyed the window: it is gone, and the platform
                    // makes no more requests about it (calls with its id do nothing)
  };
  Type type = Type::PointerMove;
  Point position;        // window coordinates
  Point screenPosition;  // screen coordinates
  MouseButton button = MouseButton::Left;
  int wheelDelta = 0;  // multiples of 120, positive when turned away from the user
  int virtualKey = 0;  // Windows virtual-key code
  bool autoRepeat = false;
  unsigned modifiers = 0;
  std::string text;
  Rect rect;
};

class NativeWindowListener {
 public:
  virtual ~NativeWindowListener() = default;
  virtual void OnNativeEvent(NativeWindowId window, const NativeEvent& event) = 0;
};

// Bits of AsyncKeyState, as GetAsyncKeyState gives them.
constexpr std::uint16_t kKeyDownNow = 0x8000;
constexpr std::uint16_t kKeyPressedSinceLastQuery = 0x0001;

class Platform {
 public:
  using Clock = std::chrono::steady_clock;
  virtual ~Platform() = default;

  // --- windows
  // Creates a hidden window; kNoNativeWindow on failure.
  virtual NativeWindowId CreateNativeWindow(const NativeWindowParams& params,
                                            NativeWindowListener* listener) = 0;
  virtual void DestroyNativeWindow(NativeWindowId window) = 0;
  virtual void SetBounds(NativeWindowId window, const Rect& screenBounds) = 0;
  virtual void Show(NativeWindowId window, bool activate) = 0;
  virtual void Hide(NativeWindowId window) = 0;
  virtual void Minimize(NativeWindowId window) = 0;
  virtual void Restore(NativeWindowId window) = 0;
  virtual void Raise(NativeWindowId window) = 0;
  virtual void SetTopmost(NativeWindowId window, bool topmost) = 0;
  // Restacks `window` directly below or above `sibling`.
  virtual void PlaceBelow(NativeWindowId window, NativeWindowId sibling) = 0;
  virtual void PlaceAbove(NativeWindowId window, NativeWindowId sibling) = 0;
  virtual void SetTitle(NativeWindowId window, const std::string& utf8) = 0;
  virtual void SetIcon(NativeWindowId window, const Bitmap32& icon) = 0;
  virtual void SetCursor(NativeWindowId window, PointerShape shape) = 0;
  // Shows the parts `dirty` (window coordinates) of an opaque back buffer the size of the
  // window.
  virtual void Present(NativeWindowId window, const Bitmap32& backBuffer, const Region& dirty) = 0;
  // Layered windows: the whole picture, premultiplied alpha, times a constant alpha.
  virtual void PresentLayered(NativeWindowId window, const Bitmap32& picture,
                              std::uint8_t constantAlpha) = 0;
  // Whole-window opacity (255 opaque).
  virtual void SetOpacity(NativeWindowId window, std::uint8_t alpha) = 0;
  // Visible and input shapes in window coordinates; nullopt: the whole window.
  virtual void SetShape(NativeWindowId window, const std::optional<Region>& visible) = 0;
  virtual void SetInputShape(NativeWindowId window, const std::optional<Region>& input) = 0;
  virtual void SetFocus(NativeWindowId window) = 0;
  // Pointer events go to `window` wherever the pointer is, until ReleasePointer (menus and
  // drop-down lists close on a click outside them).
  virtual bool GrabPointer(NativeWindowId window) = 0;
  virtual void ReleasePointer() = 0;

  // --- events and clock
  virtual Clock::time_point Now() = 0;
  // Delivers the native events that are waiting; when there are none, blocks until one
  // arrives, `deadline` passes (none: no limit) or Wake() is called.
  virtual void WaitAndDispatch(std::optional<Clock::time_point> deadline) = 0;
  // Ends a WaitAndDispatch early; may be called from any thread.
  virtual void Wake() = 0;
  // `handler` runs on this thread, from WaitAndDispatch, when the operating system asks
  // the program to end (on POSIX: SIGTERM, SIGINT, SIGHUP), so that it can close as the
  // user would close it.
  virtual void SetTerminationHandler(std::function<void()> handler) = 0;
  // `handler` runs when the connection to the display is lost for good, just before the
  // process ends; it must not use any window. Nothing happens where that cannot occur.
  virtual void SetConnectionLostHandler(std::function<void()> handler) = 0;

  // --- global input (screen coordinates)
  virtual Point PointerPosition() = 0;
  virtual void SetPointerPosition(Point screen) = 0;
  // A button press or release at the pointer, delivered to whatever window is under it.
  virtual void InjectButton(MouseButton button, bool down) = 0;
  // kKeyDownNow and/or kKeyPressedSinceLastQuery for a virtual key (mouse buttons 1, 2, 4
  // included); the second bit is cleared by the query.
  virtual std::uint16_t AsyncKeyState(int virtualKey) = 0;
  // Between these two calls PointerPosition and AsyncKeyState may answer from one reading
  // of the pointer and one of the keyboard, taken at their first query: a poller asking
  // for several keys at once pays for one reading. The latches work as always.
  virtual void BeginInputSnapshot() = 0;
  virtual void EndInputSnapshot() = 0;
  // True when one of our windows is the active window.
  virtual bool IsApplicationActive() = 0;
  // How many key, button and pointer events the platform has seen anywhere on the screen
  // so far, when it sees them all (X11: XInput 2.2 raw events); nullopt when it cannot,
  // and input must be polled without pause. A poller may pause while this stays the same.
  virtual std::optional<std::uint64_t> InputEventCount() = 0;
  // `handler` runs from WaitAndDispatch whenever it has read an event: input anywhere, or
  // an event of one of our windows. A paused poller resumes there.
  virtual void SetActivityHandler(std::function<void()> handler) = 0;

  // --- services
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& utf8) = 0;
  // Opens a file or URL with the desktop's handler. Never waits; false when nothing could
  // be started.
  virtual bool OpenWithDesktop(const std::string& target) = 0;
  // Opens a plain-text file in the user's text editor (a configured one, else the
  // desktop's default for plain text, else a common editor). Never waits; false when no
  // editor could be started.
  virtual bool OpenInTextEditor(const std::string& path) = 0;
  // Starts a program (found on PATH unless it holds a '/') with the arguments, no shell.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& args) = 0;
  virtual void Beep() = 0;
  virtual Rect ScreenRect() = 0;  // all monitors
  virtual Rect WorkArea() = 0;    // the screen less panels and docks
  // A compositing manager runs: per-pixel translucent windows (layered pictures) show as
  // such. Without one they would show their transparent pixels black, so the skin engine
  // leaves them out or shows opaque pictures instead.
  virtual bool CompositorRunning() = 0;
  // True when the display is an X11 compatibility server of a Wayland desktop (XWayland):
  // injected clicks and the global key state then reach only X11 windows.
  virtual bool IsXWayland() = 0;
};

}  // namespace tappomat
