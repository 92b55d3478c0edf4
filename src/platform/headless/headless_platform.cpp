#include "platform/headless/headless_platform.h"

#include <utility>

#include <algorithm>

#include "platform/virtual_keys.h"

namespace tappomat {
namespace {

int ButtonKey(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return VK_LBUTTON;
    case MouseButton::Right: return VK_RBUTTON;
    case MouseButton::Middle: return VK_MBUTTON;
  }
  return VK_LBUTTON;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(ClockMode mode)
    // A driven clock starts well away from zero, so that "time 0" never looks special.
    : m_mode(mode), m_drivenNow(Clock::time_point{} + std::chrono::hours(1)) {}

HeadlessPlatform::WindowRecord* HeadlessPlatform::Find(NativeWindowId id) {
  auto it = m_windows.find(id);
  return it == m_windows.end() ? nullptr : &it->second;
}

const HeadlessPlatform::WindowRecord* HeadlessPlatform::Window(NativeWindowId id) const {
  auto it = m_windows.find(id);
  return it == m_windows.end() ? nullptr : &it->second;
}

// --- test controls

void HeadlessPlatform::AdvanceClock(Clock::duration d) { m_drivenNow += d; }

void HeadlessPlatform::InjectEvent(NativeWindowId window, const NativeEvent& event) {
  m_queue.push_back({window, event});
}

NativeWindowId HeadlessPlatform::WindowAt(Point screen) const {
  for (auto it = m_zOrder.rbegin(); it != m_zOrder.rend(); ++it) {
    const WindowRecord& w = m_windows.at(*it);
    if (!w.visible || w.minimized || !w.bounds.Contains(screen)) continue;
    const Point local{screen.x - w.bounds.left, screen.y - w.bounds.top};
    if (w.inputShape && !w.inputShape->Contains(local)) continue;
    if (w.shape && !w.shape->Contains(local)) continue;
    return *it;
  }
  return kNoNativeWindow;
}

NativeEvent HeadlessPlatform::PointerEvent(NativeEvent::Type type, NativeWindowId target,
                                           Point screen) const {
  NativeEvent e;
  e.type = type;
  e.screenPosition = screen;
  if (const WindowRecord* w = Window(target)) {
    e.position = {screen.x - w->bounds.left, screen.y - w->bounds.top};
  }
  unsigned mods = 0;
  auto down = [this](int vk) {
    auto it = m_keyDown.find(vk);
    return it != m_keyDown.end() && it->second;
  };
  if (down(VK_SHIFT)) mods |= kModShift;
  if (down(VK_CONTROL)) mods |= kModControl;
  if (down(VK_MENU)) mods |= kModAlt;
  e.modifiers = mods;
  return e;
}

void HeadlessPlatform::UserMove(Point screen) {
  m_pointer = screen;
  ++m_inputEvents;
  const NativeWindowId under = WindowAt(screen);
  if (under != m_hover) {
    if (m_hover != kNoNativeWindow && Find(m_hover)) {
      InjectEvent(m_hover, PointerEvent(NativeEvent::Type::PointerLeave, m_hover, screen));
    }
    if (under != kNoNativeWindow) {
      InjectEvent(under, PointerEvent(NativeEvent::Type::PointerEnter, under, screen));
    }
    m_hover = under;
  }
  const NativeWindowId target = m_grab != kNoNativeWindow ? m_grab : under;
  if (target != kNoNativeWindow) {
    InjectEvent(target, PointerEvent(NativeEvent::Type::PointerMove, target, screen));
  }
}

void HeadlessPlatform::SetButtonState(MouseButton button, bool down) { SetKeyState(ButtonKey(button), down); }

void HeadlessPlatform::UserButton(Point screen, MouseButton button, bool down) {
  if (m_pointer != screen) UserMove(screen);
  SetButtonState(button, down);
  const NativeWindowId under = WindowAt(screen);
  const NativeWindowId target = m_grab != kNoNativeWindow ? m_grab : under;
  if (down) {
    if (under == kNoNativeWindow) {
      // A press outside our windows activates another application.
      SetOutsideActive();
    } else if (!Window(under)->params.noActivate &&
               Window(under)->params.kind != NativeWindowKind::Popup) {
      MoveFocus(under);
    }
  }
  if (target == kNoNativeWindow) return;
  NativeEvent e = PointerEvent(down ? NativeEvent::Type::ButtonDown : NativeEvent::Type::ButtonUp,
                               target, screen);
  e.button = button;
  InjectEvent(target, e);
}

void HeadlessPlatform::UserClick(Point screen, MouseButton button) {
  UserButton(screen, button, true);
  UserButton(screen, button, false);
}

void HeadlessPlatform::UserKey(int virtualKey, bool down, const std::string& text) {
  SetKeyState(virtualKey, down);
  if (m_focus == kNoNativeWindow) return;
  NativeEvent e = PointerEvent(down ? NativeEvent::Type::KeyDown : NativeEvent::Type::KeyUp,
                               m_focus, m_pointer);
  e.virtualKey = virtualKey;
  InjectEvent(m_focus, e);
  if (down && !text.empty()) {
    NativeEvent t;
    t.type = NativeEvent::Type::Text;
    t.text = text;
    InjectEvent(m_focus, t);
  }
}

void HeadlessPlatform::SetKeyState(int virtualKey, bool down) {
  ++m_inputEvents;
  if (down) m_keyLatched[virtualKey] = true;
  m_keyDown[virtualKey] = down;
  // Either Alt key also reads as the generic VK_MENU; likewise Shift and Control.
  if (virtualKey == VK_LMENU || virtualKey == VK_RMENU) SetKeyState(VK_MENU, down);
  if (virtualKey == VK_LSHIFT || virtualKey == VK_RSHIFT) SetKeyState(VK_SHIFT, down);
  if (virtualKey == VK_LCONTROL || virtualKey == VK_RCONTROL) SetKeyState(VK_CONTROL, down);
}

void HeadlessPlatform::SetOutsideActive() { MoveFocus(kNoNativeWindow); }

void HeadlessPlatform::SetScreen(const Rect& screen, const Rect& workArea) {
  m_screen = screen;
  m_workArea = workArea;
}

void HeadlessPlatform::MoveFocus(NativeWindowId window) {
  if (window == m_focus) return;
  if (m_focus != kNoNativeWindow && Find(m_focus)) {
    NativeEvent out;
    out.type = NativeEvent::Type::FocusLost;
    InjectEvent(m_focus, out);
  }
  m_focus = window;
  if (window != kNoNativeWindow) {
    NativeEvent in;
    in.type = NativeEvent::Type::FocusGained;
    InjectEvent(window, in);
  }
}

// --- windows

NativeWindowId HeadlessPlatform::CreateNativeWindow(const NativeWindowParams& params,
                                                    NativeWindowListener* listener) {
  const NativeWindowId id = m_nextId++;
  WindowRecord& w = m_windows[id];
  w.params = params;
  w.listener = listener;
  w.bounds = params.bounds;
  w.topmost = params.topmost;
  w.title = params.title;
  Restack(id, m_zOrder.size());
  return id;
}

void HeadlessPlatform::DestroyNativeWindow(NativeWindowId window) {
  if (!Find(window)) return;
  m_windows.erase(window);
  std::erase(m_zOrder, window);
  std::erase_if(m_queue, [window](const Queued& q) { return q.window == window; });
  if (m_focus == window) m_focus = kNoNativeWindow;
  if (m_grab == window) m_grab = kNoNativeWindow;
  if (m_hover == window) m_hover = kNoNativeWindow;
}

void HeadlessPlatform::SetBounds(NativeWindowId window, const Rect& screenBounds) {
  if (WindowRecord* w = Find(window)) w->bounds = screenBounds;
}

void HeadlessPlatform::Show(NativeWindowId window, bool activate) {
  WindowRecord* w = Find(window);
  if (!w) return;
  w->visible = true;
  w->minimized = false;
  Raise(window);
  if (activate && !w->params.noActivate) MoveFocus(window);
}

void HeadlessPlatform::Hide(NativeWindowId window) {
  WindowRecord* w = Find(window);
  if (!w) return;
  w->visible = false;
  if (m_focus == window) MoveFocus(kNoNativeWindow);
}

void HeadlessPlatform::Minimize(NativeWindowId window) {
  if (WindowRecord* w = Find(window)) {
    w->minimized = true;
    if (m_focus == window) MoveFocus(kNoNativeWindow);
  }
}

void HeadlessPlatform::Restore(NativeWindowId window) {
  if (WindowRecord* w = Find(window)) w->minimized = false;
}

// Puts `window` at `position` of the z-order, then keeps topmost windows above the rest.
void HeadlessPlatform::Restack(NativeWindowId window, std::size_t position) {
  std::erase(m_zOrder, window);
  position = std::min(position, m_zOrder.size());
  m_zOrder.insert(m_zOrder.begin() + static_cast<std::ptrdiff_t>(position), window);
  std::stable_partition(m_zOrder.begin(), m_zOrder.end(),
                        [this](NativeWindowId id) { return !m_windows.at(id).topmost; });
}

void HeadlessPlatform::Raise(NativeWindowId window) {
  if (Find(window)) Restack(window, m_zOrder.size());
}

void HeadlessPlatform::SetTopmost(NativeWindowId window, bool topmost) {
  if (WindowRecord* w = Find(window)) {
    w->topmost = topmost;
    Restack(window, m_zOrder.size());
  }
}

void HeadlessPlatform::PlaceBelow(NativeWindowId window, NativeWindowId sibling) {
  if (!Find(window) || !Find(sibling) || window == sibling) return;
  std::erase(m_zOrder, window);
  const auto at = std::find(m_zOrder.begin(), m_zOrder.end(), sibling);
  Restack(window, static_cast<std::size_t>(at - m_zOrder.begin()));
}

void HeadlessPlatform::PlaceAbove(NativeWindowId window, NativeWindowId sibling) {
  if (!Find(window) || !Find(sibling) || window == sibling) return;
  std::erase(m_zOrder, window);
  const auto at = std::find(m_zOrder.begin(), m_zOrder.end(), sibling);
  Restack(window, static_cast<std::size_t>(at - m_zOrder.begin()) + 1);
}

void HeadlessPlatform::SetTitle(NativeWindowId window, const std::string& utf8) {
  if (WindowRecord* w = Find(window)) w->title = utf8;
}

void HeadlessPlatform::SetIcon(NativeWindowId window, const Bitmap32& icon) {
  if (WindowRecord* w = Find(window)) w->icon = icon;
}

void HeadlessPlatform::SetCursor(NativeWindowId window, PointerShape shape) {
  if (WindowRecord* w = Find(window)) w->cursor = shape;
}

void HeadlessPlatform::Present(NativeWindowId window, const Bitmap32& backBuffer,
                               const Region& dirty) {
  WindowRecord* w = Find(window);
  if (!w) return;
  if (w->pixels.GetSize() != backBuffer.GetSize()) {
    w->pixels = backBuffer;
  } else {
    const Region shown = dirty.Intersect(backBuffer.Bounds());  // kept alive for the loop
    for (const Rect& r : shown.Rects()) {
      for (int y = r.top; y < r.bottom; ++y) {
        std::copy(backBuffer.Row(y) + r.left, backBuffer.Row(y) + r.right, w->pixels.Row(y) + r.left);
      }
    }
  }
  ++w->presentCount;
}

void HeadlessPlatform::PresentLayered(NativeWindowId window, const Bitmap32& picture,
                                      std::uint8_t constantAlpha) {
  WindowRecord* w = Find(window);
  if (!w) return;
  w->pixels = picture;
  w->constantAlpha = constantAlpha;
  ++w->presentCount;
}

void HeadlessPlatform::SetOpacity(NativeWindowId window, std::uint8_t alpha) {
  if (WindowRecord* w = Find(window)) w->opacity = alpha;
}

void HeadlessPlatform::SetShape(NativeWindowId window, const std::optional<Region>& visible) {
  if (WindowRecord* w = Find(window)) w->shape = visible;
}

void HeadlessPlatform::SetInputShape(NativeWindowId window, const std::optional<Region>& input) {
  if (WindowRecord* w = Find(window)) w->inputShape = input;
}

void HeadlessPlatform::SetFocus(NativeWindowId window) {
  if (Find(window)) MoveFocus(window);
}

bool HeadlessPlatform::GrabPointer(NativeWindowId window) {
  if (!Find(window)) return false;
  m_grab = window;
  return true;
}

void HeadlessPlatform::ReleasePointer() { m_grab = kNoNativeWindow; }

// --- events and clock

Platform::Clock::time_point HeadlessPlatform::Now() {
  return m_mode == ClockMode::Driven ? m_drivenNow : Clock::now();
}

void HeadlessPlatform::WaitAndDispatch(std::optional<Clock::time_point> deadline) {
  if (std::exchange(m_terminationRequested, false) && m_onTermination) {
    m_onTermination();
    return;
  }
  // Input seen since the last call, or events to deliver: the activity handler runs once
  // this call has delivered them.
  const bool active =
      (m_seesAllInput && m_inputEvents != m_inputEventsReported) || !m_queue.empty();
  m_inputEventsReported = m_inputEvents;
  DeliverQueued(deadline);
  if (active && m_onActivity) m_onActivity();
}

void HeadlessPlatform::DeliverQueued(std::optional<Clock::time_point> deadline) {
  if (m_queue.empty()) {
    if (m_mode == ClockMode::Driven) {
      // Nothing can arrive while the test is not running: time jumps to the deadline.
      if (deadline && *deadline > m_drivenNow) m_drivenNow = *deadline;
      return;
    }
    std::unique_lock lock(m_wakeMutex);
    auto woken = [this] { return m_woken; };
    if (deadline) {
      m_wakeCondition.wait_until(lock, *deadline, woken);
    } else {
      m_wakeCondition.wait(lock, woken);
    }
    m_woken = false;
    return;
  }
  // Deliver what is queued now; events that listeners queue meanwhile wait for the next call.
  std::deque<Queued> batch;
  batch.swap(m_queue);
  for (const Queued& q : batch) {
    if (WindowRecord* w = Find(q.window); w && w->listener) w->listener->OnNativeEvent(q.window, q.event);
  }
}

void HeadlessPlatform::Wake() {
  {
    std::lock_guard lock(m_wakeMutex);
    m_woken = true;
  }
  m_wakeCondition.notify_all();
}

// --- global input

void HeadlessPlatform::SetPointerPosition(Point screen) {
  m_injected.push_back({InjectedInput::Kind::Move, screen, MouseButton::Left});
  UserMove(screen);
}

void HeadlessPlatform::InjectButton(MouseButton button, bool down) {
  m_injected.push_back({down ? InjectedInput::Kind::ButtonDown : InjectedInput::Kind::ButtonUp,
                        m_pointer, button});
  UserButton(m_pointer, button, down);
}

std::optional<std::uint64_t> HeadlessPlatform::InputEventCount() {
  if (!m_seesAllInput) return std::nullopt;
  return m_inputEvents;
}

std::uint16_t HeadlessPlatform::AsyncKeyState(int virtualKey) {
  std::uint16_t state = 0;
  if (m_keyDown[virtualKey]) state |= kKeyDownNow;
  if (m_keyLatched[virtualKey]) state |= kKeyPressedSinceLastQuery;
  m_keyLatched[virtualKey] = false;
  return state;
}

// --- services

bool HeadlessPlatform::OpenWithDesktop(const std::string& target) {
  m_launches.push_back({{}, {target}});
  return m_launchSucceeds;
}

bool HeadlessPlatform::OpenInTextEditor(const std::string& path) {
  m_launches.push_back({kTextEditorProgram, {path}});
  return m_launchSucceeds;
}

bool HeadlessPlatform::StartProgram(const std::string& program,
                                    const std::vector<std::string>& args) {
  m_launches.push_back({program, args});
  return m_launchSucceeds;
}

}  // namespace tappomat
