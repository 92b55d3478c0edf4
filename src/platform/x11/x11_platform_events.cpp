// X11Platform: the event loop — waiting, reading X events and turning them into the
// native events of our windows.
#include "platform/x11/x11_platform.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/posix/termination_signals.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_text_encoding.h"

namespace tappomat {
namespace {

unsigned ModifiersOf(unsigned state) {
  unsigned modifiers = 0;
  if (state & ShiftMask) modifiers |= kModShift;
  if (state & ControlMask) modifiers |= kModControl;
  if (state & Mod1Mask) modifiers |= kModAlt;
  return modifiers;
}

std::optional<MouseButton> MouseButtonOf(unsigned button) {
  switch (button) {
    case Button1: return MouseButton::Left;
    case Button2: return MouseButton::Middle;
    case Button3: return MouseButton::Right;
    default: return std::nullopt;
  }
}

constexpr int kWheelStep = 120;
// WM_STATE values (ICCCM 4.1.3.1).
constexpr unsigned long kWmStateNormal = 1;
constexpr unsigned long kWmStateIconic = 3;

}  // namespace

void X11Platform::WaitAndDispatch(std::optional<Clock::time_point> deadline) {
  // The connection is read once per wake-up. The window system looks for events without
  // waiting many times while it serves one wake-up (each PeekMessage): those looks take
  // what was read already, and read the connection again only once it was last read a
  // while ago, so that a loop kept busy by timers still sees new input.
  const auto now = Clock::now();
  if (deadline && *deadline <= now) {
    DispatchWaiting(now - m_lastRead >= kReadAgainAfter ? Reading::ReadConnection
                                                        : Reading::QueuedOnly);
    return;
  }
  // Before sleeping: a connection used since it was last read (a request sent, a reply
  // read) may hold events that the library took in along the way, where the wait below
  // cannot see them; they are collected first.
  Display* display = m_x->Get();
  const bool used = NextRequest(display) != m_nextRequestAtRead ||
                    LastKnownRequestProcessed(display) != m_processedAtRead;
  if (DispatchWaiting(used ? Reading::ReadConnection : Reading::QueuedOnly)) return;
  XFlush(display);
  const bool readable = m_wait.Wait(ConnectionNumber(display), deadline);
  // Woken by the clock or by Wake(): the connection had nothing, which is as good as a read.
  if (!readable) m_lastRead = Clock::now();
  DispatchWaiting(readable ? Reading::ReadConnection : Reading::QueuedOnly);
}

void X11Platform::SetTerminationHandler(std::function<void()> handler) {
  m_onTermination = std::move(handler);
  TerminationSignals::Install(m_wait.WakeDescriptor());
}

namespace {
std::function<void()> g_onConnectionLost;

// Xlib ends the process when this returns.
int OnConnectionLost(Display*) {
  if (g_onConnectionLost) g_onConnectionLost();
  return 0;
}
}  // namespace

void X11Platform::SetConnectionLostHandler(std::function<void()> handler) {
  g_onConnectionLost = std::move(handler);
  XSetIOErrorHandler(OnConnectionLost);
}

bool X11Platform::DispatchWaiting(Reading reading) {
  bool any = false;
  if (TerminationSignals::TakeRequest() && m_onTermination) {
    m_onTermination();
    any = true;
  }
  // Only what is waiting now: a stream of new events must not keep us here for ever.
  for (std::size_t count = m_posted.size(); count > 0 && !m_posted.empty(); --count) {
    auto [window, event] = std::move(m_posted.front());
    m_posted.pop_front();
    Deliver(window, event);
    any = true;
  }
  // Handlers may take later events out of the queue (coalescing), so the count is only an
  // upper bound: reading past the queue would block.
  Display* display = m_x->Get();
  int waiting = 0;
  if (reading == Reading::ReadConnection) {
    waiting = XPending(display);  // flushes our requests, then reads what the server sent
    m_lastRead = Clock::now();
    m_nextRequestAtRead = NextRequest(display);
    m_processedAtRead = LastKnownRequestProcessed(display);
  } else {
    waiting = XEventsQueued(display, QueuedAlready);
  }
  for (int count = waiting; count > 0 && XEventsQueued(display, QueuedAlready) > 0; --count) {
    XEvent event;
    XNextEvent(display, &event);
    ++m_dispatchDepth;
    HandleEvent(event);
    --m_dispatchDepth;
    if (m_dispatchDepth == 0) m_destroyed.clear();
    any = true;
  }
  if (m_stackingCheckDue) {
    m_stackingCheckDue = false;
    KeepTopmostOnTop();
  }
  if (any && m_onActivity) m_onActivity();
  return any;
}

void X11Platform::Deliver(NativeWindowId window, const NativeEvent& event) {
  X11Window* w = Find(window);
  if (w == nullptr || w->Listener() == nullptr) return;
  ++m_dispatchDepth;
  w->Listener()->OnNativeEvent(window, event);
  --m_dispatchDepth;
  if (m_dispatchDepth == 0) m_destroyed.clear();
}

void X11Platform::HandleEvent(XEvent& event) {
  if (m_asyncKeys.HandleEvent(event)) return;
  if (event.type == GenericEvent) return;
  // The input method sees every event first; it keeps the keys of compose sequences.
  if (XFilterEvent(&event, None)) return;

  if (event.type == MappingNotify) {
    XRefreshKeyboardMapping(&event.xmapping);
    if (event.xmapping.request != MappingPointer) m_keymap.Rebuild();
    return;
  }
  if (event.xany.window == m_x->Root()) {
    if (event.type == PropertyNotify &&
        event.xproperty.atom == m_x->Atoms().NET_SUPPORTING_WM_CHECK) {
      m_windowManager.reset();
    }
    // Without a window manager nobody else keeps stay-on-top windows above the others.
    // Our windows' visibility events alone miss a window that already counted as covered
    // (a marker mapped before its first picture) when another window goes over it.
    if (event.type == MapNotify || event.type == ConfigureNotify) {
      const Window changed = event.type == MapNotify ? event.xmap.window : event.xconfigure.window;
      if (!IsOurs(changed) && !HasWindowManager()) m_stackingCheckDue = true;
    }
    return;
  }
  if (m_clipboard.HandleEvent(event)) return;
  const auto id = static_cast<NativeWindowId>(event.xany.window);
  if (Find(id) != nullptr) HandleWindowEvent(id, event);
}

void X11Platform::HandleWindowEvent(NativeWindowId id, XEvent& event) {
  X11Window& window = *Find(id);
  NativeEvent out;
  switch (event.type) {
    case MotionNotify:
      out.type = NativeEvent::Type::PointerMove;
      out.position = {event.xmotion.x, event.xmotion.y};
      out.screenPosition = {event.xmotion.x_root, event.xmotion.y_root};
      out.modifiers = ModifiersOf(event.xmotion.state);
      Deliver(id, out);
      return;
    case ButtonPress:
    case ButtonRelease:
      OnButton(id, event.xbutton);
      return;
    case KeyPress:
    case KeyRelease:
      OnKey(id, event.xkey);
      return;
    case EnterNotify:
    case LeaveNotify:
      // Crossings caused by grabs, and into or out of child windows, are no real
      // entering or leaving.
      if (event.xcrossing.mode != NotifyNormal || event.xcrossing.detail == NotifyInferior) return;
      out.type = event.type == EnterNotify ? NativeEvent::Type::PointerEnter
                                           : NativeEvent::Type::PointerLeave;
      out.position = {event.xcrossing.x, event.xcrossing.y};
      out.screenPosition = {event.xcrossing.x_root, event.xcrossing.y_root};
      out.modifiers = ModifiersOf(event.xcrossing.state);
      Deliver(id, out);
      return;
    case FocusIn:
    case FocusOut:
      if (event.xfocus.mode == NotifyGrab || event.xfocus.mode == NotifyUngrab ||
          event.xfocus.detail == NotifyPointer || event.xfocus.detail == NotifyInferior) {
        return;
      }
      window.InputContext().SetFocus(event.type == FocusIn);
      // Keys released while another window had the focus never came to us.
      if (event.type == FocusOut) window.ForgetKeys();
      out.type = event.type == FocusIn ? NativeEvent::Type::FocusGained : NativeEvent::Type::FocusLost;
      Deliver(id, out);
      return;
    case Expose:
      if (const std::optional<Rect> damaged = window.AddExpose(event.xexpose)) {
        out.type = NativeEvent::Type::Damaged;
        out.rect = *damaged;
        Deliver(id, out);
      }
      return;
    case ConfigureNotify:
      OnConfigure(id, event);
      return;
    case MapNotify:
      window.SetViewable(true);
      if (window.TakeFocusWhenMapped()) Focus(window);
      // Mapped again while minimized: the window manager restored it (a quick restore may
      // come before its WM_STATE said Iconic, so the state alone would miss it).
      if (window.Minimized()) SetMinimizedState(id, window, false);
      return;
    case UnmapNotify:
      window.SetViewable(false);
      if (window.IconifyAsked()) SetMinimizedState(id, window, true);
      return;
    case DestroyNotify:
      if (event.xdestroywindow.window == window.Id()) OnDestroyedByOthers(id);
      return;
    case ReparentNotify:
      window.SetParent(event.xreparent.parent);
      return;
    case PropertyNotify:
      if (event.xproperty.atom == m_x->Atoms().WM_STATE) OnWmState(id);
      return;
    case VisibilityNotify:
      if (event.xvisibility.state != VisibilityUnobscured && window.IsTopmost() &&
          !HasWindowManager()) {
        KeepTopmostOnTop();
      }
      return;
    case ClientMessage:
      if (event.xclient.message_type == m_x->Atoms().WM_PROTOCOLS && event.xclient.format == 32 &&
          static_cast<Atom>(event.xclient.data.l[0]) == m_x->Atoms().WM_DELETE_WINDOW) {
        out.type = NativeEvent::Type::CloseRequest;
        Deliver(id, out);
      }
      return;
    default:
      return;
  }
}

// Our own DestroyNativeWindow forgets a window before its DestroyNotify arrives, so a
// window still known here was destroyed by another client (xdotool, a window manager).
void X11Platform::OnDestroyedByOthers(NativeWindowId id) {
  const auto it = m_windows.find(id);
  if (it == m_windows.end()) return;
  std::unique_ptr<X11Window> gone = std::move(it->second);
  m_windows.erase(it);
  gone->ForgetDestroyedWindow();
  NativeWindowListener* listener = gone->Listener();
  m_destroyed.push_back(std::move(gone));  // freed once the dispatch is over
  NativeEvent out;
  out.type = NativeEvent::Type::Destroyed;
  if (listener != nullptr) listener->OnNativeEvent(id, out);
}

void X11Platform::OnButton(NativeWindowId id, const XButtonEvent& event) {
  m_lastUserTime = event.time;
  NativeEvent out;
  out.position = {event.x, event.y};
  out.screenPosition = {event.x_root, event.y_root};
  out.modifiers = ModifiersOf(event.state);
  if (event.type == ButtonPress) {
    X11Window& window = *Find(id);
    // Without a window manager nobody else activates a window that is clicked.
    if (window.TakesFocus() && !HasWindowManager()) {
      XSetInputFocus(m_x->Get(), window.Id(), RevertToParent, event.time);
      XRaiseWindow(m_x->Get(), window.Id());
      KeepTopmostOnTop();
    }
    if (event.button == Button4 || event.button == Button5) {
      out.type = NativeEvent::Type::Wheel;
      out.wheelDelta = event.button == Button4 ? kWheelStep : -kWheelStep;
      Deliver(id, out);
      return;
    }
  }
  // Buttons 6 and 7 (horizontal wheel) and beyond are not passed on.
  const std::optional<MouseButton> button = MouseButtonOf(event.button);
  if (!button) return;
  out.type = event.type == ButtonPress ? NativeEvent::Type::ButtonDown : NativeEvent::Type::ButtonUp;
  out.button = *button;
  Deliver(id, out);
}

void X11Platform::OnKey(NativeWindowId id, XKeyEvent& event) {
  m_lastUserTime = event.time;
  X11Window& window = *Find(id);
  NativeEvent out;
  out.virtualKey = m_keymap.VirtualKeyOfEvent(event);
  out.modifiers = ModifiersOf(event.state);
  if (event.type == KeyRelease) {
    window.KeyReleased(event.keycode);
    out.type = NativeEvent::Type::KeyUp;
    if (out.virtualKey != 0) Deliver(id, out);
    return;
  }
  out.type = NativeEvent::Type::KeyDown;
  out.autoRepeat = window.KeyPressed(event.keycode);
  // The text is looked up before the key is delivered: the listener may destroy the
  // window, and its input context with it.
  std::string text = m_inputMethod.LookupText(window.InputContext(), event);
  if (out.virtualKey != 0) Deliver(id, out);
  if (IsPrintableText(text)) {
    NativeEvent typed;
    typed.type = NativeEvent::Type::Text;
    typed.text = std::move(text);
    typed.modifiers = out.modifiers;
    Deliver(id, typed);
  }
}

void X11Platform::OnConfigure(NativeWindowId id, XEvent& latest) {
  // Only the latest of a burst of configures matters.
  while (XCheckTypedWindowEvent(m_x->Get(), latest.xany.window, ConfigureNotify, &latest)) {
  }
  const XConfigureEvent& event = latest.xconfigure;
  X11Window* window = Find(id);
  if (window == nullptr) return;
  Point origin{event.x, event.y};
  if (!event.send_event && window->Parent() != m_x->Root()) {
    // Real configures under a reparenting manager are relative to its frame; synthetic
    // ones from the manager and those of children of the root are in root coordinates
    // already (ICCCM 4.1.5). The frame's position is asked for now.
    Window child = None;
    if (!XTranslateCoordinates(m_x->Get(), event.window, m_x->Root(), 0, 0, &origin.x,
                               &origin.y, &child)) {
      return;
    }
  }
  const Rect actual = Rect::FromSize(origin.x, origin.y, event.width, event.height);
  if (const std::optional<Rect> moved = window->OnConfigured(actual)) {
    NativeEvent out;
    out.type = NativeEvent::Type::Configured;
    out.rect = *moved;
    Deliver(id, out);
  }
}

void X11Platform::OnWmState(NativeWindowId id) {
  X11Window* window = Find(id);
  if (window == nullptr) return;
  const Atom wmState = m_x->Atoms().WM_STATE;
  const auto state = ReadProperty32(m_x->Get(), window->Id(), wmState, wmState, 2);
  bool minimized = window->Minimized();
  if (!state.empty() && state[0] == kWmStateIconic) minimized = true;
  if (!state.empty() && state[0] == kWmStateNormal) minimized = false;
  if (minimized == window->Minimized()) return;
  SetMinimizedState(id, *window, minimized);
}

void X11Platform::SetMinimizedState(NativeWindowId id, X11Window& window, bool minimized) {
  window.SetMinimized(minimized);
  NativeEvent out;
  out.type = minimized ? NativeEvent::Type::Minimized : NativeEvent::Type::Restored;
  Deliver(id, out);
}

}  // namespace tappomat
