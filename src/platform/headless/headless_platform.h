#pragma once
// HeadlessPlatform: the platform without a display, for tests and CI.
//
// Feature checklist
//   [x] windows are records with bounds, state, z-order and the last presented pixels
//   [x] native events are injected by tests and delivered by WaitAndDispatch
//   [x] helpers that click, move and type at screen points, routed like a window system
//   [x] clock real or driven by the test (driven: waiting jumps to the deadline)
//   [x] injected clicks and pointer moves recorded; pointer position settable
//   [x] asynchronous key state set by the test, with the pressed-since-last-query latch
//   [x] activation: one of our windows, or an outside application (SetOutsideActive)
//   [x] input events seen anywhere (as raw events would be) when the test turns them on
//       (SetSeesAllInput): user moves, buttons and key states count, and the activity
//       handler runs in the next WaitAndDispatch
//   [x] clipboard, launched programs (desktop opens and text-editor opens among them) and
//       beeps recorded
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/platform.h"

namespace tappomat {

class HeadlessPlatform : public Platform {
 public:
  enum class ClockMode { Driven, Real };

  struct WindowRecord {
    NativeWindowParams params;
    NativeWindowListener* listener = nullptr;
    Rect bounds;
    bool visible = false;
    bool minimized = false;
    bool topmost = false;
    std::string title;
    Bitmap32 icon;
    PointerShape cursor = PointerShape::Arrow;
    Bitmap32 pixels;  // last presented picture, the window's size
    std::uint8_t constantAlpha = 255;
    std::uint8_t opacity = 255;
    std::optional<Region> shape;
    std::optional<Region> inputShape;
    int presentCount = 0;
  };

  struct InjectedInput {
    enum class Kind { Move, ButtonDown, ButtonUp } kind;
    Point position;
    MouseButton button = MouseButton::Left;
  };

  // The program of a LaunchRecord made by OpenInTextEditor; its one argument is the path.
  static constexpr const char* kTextEditorProgram = "<text-editor>";

  // One call of StartProgram, OpenWithDesktop or OpenInTextEditor; each succeeds as
  // SetLaunchSucceeds says.
  struct LaunchRecord {
    std::string program;  // empty for OpenWithDesktop, kTextEditorProgram for OpenInTextEditor
    std::vector<std::string> args;
  };

  explicit HeadlessPlatform(ClockMode mode = ClockMode::Driven);

  // --- test controls
  void AdvanceClock(Clock::duration d);
  // Queues an event for a window; delivered by the next WaitAndDispatch.
  void InjectEvent(NativeWindowId window, const NativeEvent& event);
  // The visible window at a screen point, honouring input shapes and z-order.
  NativeWindowId WindowAt(Point screen) const;
  // A user's pointer move, press and release at a screen point: events go to the window
  // under the point (or to the pointer grab), the key state follows, and a press on one of
  // our windows activates it.
  void UserMove(Point screen);
  void UserButton(Point screen, MouseButton button, bool down);
  void UserClick(Point screen, MouseButton button = MouseButton::Left);
  // Key down/up (and text for a down) to the focused window; key state follows.
  void UserKey(int virtualKey, bool down, const std::string& text = {});
  // Sets a key's state as another application would see it (no events).
  void SetKeyState(int virtualKey, bool down);
  // An outside application becomes active: our focused window loses the focus.
  void SetOutsideActive();
  void SetScreen(const Rect& screen, const Rect& workArea);
  // Whether InputEventCount answers (off by default: the poller then never pauses).
  void SetSeesAllInput(bool on) { m_seesAllInput = on; }

  const WindowRecord* Window(NativeWindowId id) const;
  std::vector<NativeWindowId> ZOrder() const { return m_zOrder; }  // bottom to top
  NativeWindowId FocusedWindow() const { return m_focus; }
  const std::vector<InjectedInput>& InjectedInputs() const { return m_injected; }
  void ClearInjectedInputs() { m_injected.clear(); }
  const std::vector<LaunchRecord>& Launches() const { return m_launches; }
  void SetLaunchSucceeds(bool succeeds) { m_launchSucceeds = succeeds; }
  int BeepCount() const { return m_beeps; }

  // --- Platform
  NativeWindowId CreateNativeWindow(const NativeWindowParams& params,
                                    NativeWindowListener* listener) override;
  void DestroyNativeWindow(NativeWindowId window) override;
  void SetBounds(NativeWindowId window, const Rect& screenBounds) override;
  void Show(NativeWindowId window, bool activate) override;
  void Hide(NativeWindowId window) override;
  void Minimize(NativeWindowId window) override;
  void Restore(NativeWindowId window) override;
  void Raise(NativeWindowId window) override;
  void SetTopmost(NativeWindowId window, bool topmost) override;
  void PlaceBelow(NativeWindowId window, NativeWindowId sibling) override;
  void PlaceAbove(NativeWindowId window, NativeWindowId sibling) override;
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

  Clock::time_point Now() override;
  void WaitAndDispatch(std::optional<Clock::time_point> deadline) override;
  void Wake() override;
  void SetTerminationHandler(std::function<void()> handler) override {
    m_onTermination = std::move(handler);
  }
  void SetConnectionLostHandler(std::function<void()>) override {}
  // As a signal would: the termination handler runs in the next WaitAndDispatch.
  void RequestTermination() { m_terminationRequested = true; }

  Point PointerPosition() override { return m_pointer; }
  void SetPointerPosition(Point screen) override;
  void InjectButton(MouseButton button, bool down) override;
  std::uint16_t AsyncKeyState(int virtualKey) override;
  // The key state here is plain memory: nothing to save by a snapshot.
  void BeginInputSnapshot() override {}
  void EndInputSnapshot() override {}
  bool IsApplicationActive() override { return m_focus != kNoNativeWindow; }
  std::optional<std::uint64_t> InputEventCount() override;
  void SetActivityHandler(std::function<void()> handler) override {
    m_onActivity = std::move(handler);
  }

  std::string ClipboardText() override { return m_clipboard; }
  void SetClipboardText(const std::string& utf8) override { m_clipboard = utf8; }
  bool OpenWithDesktop(const std::string& target) override;
  bool OpenInTextEditor(const std::string& path) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args) override;
  void Beep() override { ++m_beeps; }
  Rect ScreenRect() override { return m_screen; }
  Rect WorkArea() override { return m_workArea; }
  bool CompositorRunning() override { return m_compositor; }
  // Tests say whether a compositing manager runs (none by default).
  void SetCompositorRunning(bool running) { m_compositor = running; }
  bool IsXWayland() override { return false; }

 private:
  struct Queued {
    NativeWindowId window;
    NativeEvent event;
  };

  WindowRecord* Find(NativeWindowId id);
  void Restack(NativeWindowId window, std::size_t position);
  void MoveFocus(NativeWindowId window);
  NativeEvent PointerEvent(NativeEvent::Type type, NativeWindowId target, Point screen) const;
  void SetButtonState(MouseButton button, bool down);
  // WaitAndDispatch without the activity handler.
  void DeliverQueued(std::optional<Clock::time_point> deadline);

  ClockMode m_mode;
  Clock::time_point m_drivenNow;
  std::map<NativeWindowId, WindowRecord> m_windows;
  std::vector<NativeWindowId> m_zOrder;  // bottom to top
  NativeWindowId m_nextId = 1;
  NativeWindowId m_focus = kNoNativeWindow;
  NativeWindowId m_grab = kNoNativeWindow;
  NativeWindowId m_hover = kNoNativeWindow;
  std::deque<Queued> m_queue;
  Point m_pointer;
  std::vector<InjectedInput> m_injected;
  std::function<void()> m_onTermination;
  bool m_terminationRequested = false;
  std::function<void()> m_onActivity;
  bool m_seesAllInput = false;
  std::uint64_t m_inputEvents = 0;
  std::uint64_t m_inputEventsReported = 0;  // the count at the last activity call
  std::unordered_map<int, bool> m_keyDown;
  std::unordered_map<int, bool> m_keyLatched;
  std::string m_clipboard;
  std::vector<LaunchRecord> m_launches;
  bool m_launchSucceeds = true;
  int m_beeps = 0;
  Rect m_screen{0, 0, 1280, 1024};
  Rect m_workArea{0, 0, 1280, 1024};
  bool m_compositor = false;

  // Real clock: Wake() from another thread ends a wait.
  std::mutex m_wakeMutex;
  std::condition_variable m_wakeCondition;
  bool m_woken = false;
};

}  // namespace tappomat
