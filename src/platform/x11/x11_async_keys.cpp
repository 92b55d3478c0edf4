#include "platform/x11/x11_async_keys.h"

#include <X11/extensions/XInput2.h>

#include "platform/platform.h"
#include "platform/virtual_keys.h"

namespace tappomat {
namespace {

int VirtualKeyOfButton(int button) {
  switch (button) {
    case 1: return VK_LBUTTON;
    case 2: return VK_MBUTTON;
    case 3: return VK_RBUTTON;
    default: return 0;
  }
}

unsigned ButtonMaskOf(int virtualKey) {
  switch (virtualKey) {
    case VK_LBUTTON: return Button1Mask;
    case VK_MBUTTON: return Button2Mask;
    case VK_RBUTTON: return Button3Mask;
    default: return 0;
  }
}

}  // namespace

X11AsyncKeys::X11AsyncKeys(Display* display, Window root, const X11Keymap& keymap)
    : m_display(display), m_keymap(keymap) {
  int opcode = 0, eventBase = 0, errorBase = 0;
  if (!XQueryExtension(display, "XInputExtension", &opcode, &eventBase, &errorBase)) return;
  int major = 2, minor = 2;
  if (XIQueryVersion(display, &major, &minor) != Success) return;
  if (major < 2 || (major == 2 && minor < 2)) return;

  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XISetMask(bits, XI_RawButtonPress);
  XISetMask(bits, XI_RawButtonRelease);
  XISetMask(bits, XI_RawMotion);
  XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
  XISelectEvents(display, root, &mask, 1);
  m_opcode = opcode;
}

bool X11AsyncKeys::HandleEvent(XEvent& event) {
  if (event.type != GenericEvent || event.xcookie.extension != m_opcode || m_opcode < 0) {
    return false;
  }
  ++m_rawEvents;
  if (!XGetEventData(m_display, &event.xcookie)) return true;
  const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
  switch (event.xcookie.evtype) {
    case XI_RawKeyPress: {
      const auto keycode = static_cast<unsigned>(raw->detail);
      Latch(m_keymap.VirtualKey(keycode));
      Latch(m_keymap.SidedVirtualKey(keycode));
      m_keyboardChanged = true;
      break;
    }
    case XI_RawKeyRelease:
      m_keyboardChanged = true;
      break;
    case XI_RawButtonPress:
      Latch(VirtualKeyOfButton(raw->detail));
      m_pointerChanged = true;
      break;
    default:  // button releases and motion
      m_pointerChanged = true;
      break;
  }
  XFreeEventData(m_display, &event.xcookie);
  return true;
}

void X11AsyncKeys::Latch(int virtualKey) {
  if (virtualKey > 0 && virtualKey < 256) m_pressed.set(static_cast<std::size_t>(virtualKey));
}

void X11AsyncKeys::DrainRawEvents() {
  // Only generic events are taken out of order; the rest stay queued for the dispatcher,
  // so no window listener runs inside a key-state query. The query's round trip has read
  // everything the server sent before it, so an empty queue means nothing to take: the
  // search (which would try the connection again) is skipped, which keeps polling cheap.
  XEvent event;
  while (XQLength(m_display) > 0 && XCheckTypedEvent(m_display, GenericEvent, &event)) {
    if (!HandleEvent(event) && XGetEventData(m_display, &event.xcookie)) {
      XFreeEventData(m_display, &event.xcookie);
    }
  }
}

void X11AsyncKeys::BeginSnapshot(Reading reading) {
  m_inSnapshot = true;
  if (!HasRawEvents()) return;
  // What the server has sent so far, read without waiting and without a round trip.
  if (reading == Reading::ReadConnection) XEventsQueued(m_display, QueuedAfterReading);
  DrainRawEvents();
  if (!m_keyboardChanged) m_keyboard = m_lastKeyboard;
  if (!m_pointerChanged) m_pointer = m_lastPointer;
}

void X11AsyncKeys::EndSnapshot() {
  m_inSnapshot = false;
  m_keyboard.reset();
  m_pointer.reset();
}

X11AsyncKeys::PointerState X11AsyncKeys::ReadPointer() {
  if (m_pointer) return *m_pointer;
  Window rootReturn = None, child = None;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int mask = 0;
  XQueryPointer(m_display, DefaultRootWindow(m_display), &rootReturn, &child, &rootX, &rootY,
                &x, &y, &mask);
  ++m_readings;
  DrainRawEvents();
  // The reading is newer than every raw event read with it.
  m_pointerChanged = false;
  const PointerState state{{rootX, rootY}, mask};
  m_lastPointer = state;
  if (m_inSnapshot) m_pointer = state;
  return state;
}

X11AsyncKeys::KeyBits X11AsyncKeys::ReadKeyboard() {
  if (m_keyboard) return *m_keyboard;
  KeyBits keys{};
  XQueryKeymap(m_display, keys.data());
  ++m_readings;
  DrainRawEvents();
  m_keyboardChanged = false;
  m_lastKeyboard = keys;
  if (m_inSnapshot) m_keyboard = keys;
  return keys;
}

std::uint16_t X11AsyncKeys::Query(int virtualKey) {
  if (virtualKey <= 0 || virtualKey >= 256) return 0;
  bool down = false;
  if (const unsigned buttonMask = ButtonMaskOf(virtualKey)) {
    down = (ReadPointer().mask & buttonMask) != 0;
  } else {
    const KeyBits keys = ReadKeyboard();
    for (const unsigned keycode : m_keymap.KeycodesOf(virtualKey)) {
      if (keys[keycode / 8] & (1 << (keycode % 8))) down = true;
    }
  }
  std::uint16_t state = down ? kKeyDownNow : 0;
  if (m_pressed.test(static_cast<std::size_t>(virtualKey))) {
    state |= kKeyPressedSinceLastQuery;
    m_pressed.reset(static_cast<std::size_t>(virtualKey));
  }
  return state;
}

}  // namespace tappomat
