// X11Platform: global input — the pointer, injected buttons, the asynchronous key state
// and whether our application is the active one.
#include "platform/x11/x11_platform.h"

#include <algorithm>

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "platform/x11/x11_properties.h"

namespace tappomat {
namespace {

unsigned XButtonOf(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return Button1;
    case MouseButton::Middle: return Button2;
    case MouseButton::Right: return Button3;
  }
  return Button1;
}

// Dialogs of other programs that we own through WM_TRANSIENT_FOR chains are never deep.
constexpr int kMaxTransientDepth = 8;

}  // namespace

Point X11Platform::PointerPosition() { return m_asyncKeys.ReadPointer().position; }

void X11Platform::BeginInputSnapshot() {
  // A poll right after its wake-up read the connection takes what that read brought.
  const auto now = Clock::now();
  if (now - m_lastRead < kReadAgainAfter) {
    m_asyncKeys.BeginSnapshot(X11AsyncKeys::Reading::QueuedOnly);
    return;
  }
  m_asyncKeys.BeginSnapshot(X11AsyncKeys::Reading::ReadConnection);
  m_lastRead = now;
}

void X11Platform::EndInputSnapshot() { m_asyncKeys.EndSnapshot(); }

void X11Platform::SetPointerPosition(Point screen) {
  // The protocol carries coordinates in 16 signed bits; a larger value would wrap around
  // to a point on the screen instead of stopping at its edge.
  screen.x = std::clamp(screen.x, -32768, 32767);
  screen.y = std::clamp(screen.y, -32768, 32767);
  m_asyncKeys.InvalidatePointer();
  if (m_x->HasXTest()) {
    // Screen -1: the screen the pointer is on, so this works on any screen.
    XTestFakeMotionEvent(m_x->Get(), -1, screen.x, screen.y, CurrentTime);
  } else {
    XWarpPointer(m_x->Get(), None, m_x->Root(), 0, 0, 0, 0, screen.x, screen.y);
  }
  XFlush(m_x->Get());
}

void X11Platform::InjectButton(MouseButton button, bool down) {
  if (!m_x->HasXTest()) return;
  // The server delivers a fake button like a real one: to the window under the pointer,
  // whoever owns it.
  XTestFakeButtonEvent(m_x->Get(), XButtonOf(button), down ? True : False, CurrentTime);
  XFlush(m_x->Get());
}

std::uint16_t X11Platform::AsyncKeyState(int virtualKey) { return m_asyncKeys.Query(virtualKey); }

std::optional<std::uint64_t> X11Platform::InputEventCount() {
  if (!m_asyncKeys.HasRawEvents()) return std::nullopt;
  return m_asyncKeys.RawEventCount();
}

bool X11Platform::IsApplicationActive() {
  Display* display = m_x->Get();
  if (HasWindowManager()) {
    std::optional<Window> window =
        ReadWindowProperty(display, m_x->Root(), m_x->Atoms().NET_ACTIVE_WINDOW);
    // A dialog of ours may belong to a window of ours further up the transient chain.
    for (int depth = 0; window && depth < kMaxTransientDepth; ++depth) {
      if (IsOurs(*window)) return true;
      Window owner = None;
      X11ErrorTrap trap(display);
      if (!XGetTransientForHint(display, *window, &owner) || trap.Failed() || owner == None) break;
      window = owner;
    }
    return false;
  }
  Window focused = None;
  int revert = 0;
  XGetInputFocus(display, &focused, &revert);
  return focused != None && focused != PointerRoot && IsOurs(focused);
}

}  // namespace tappomat
