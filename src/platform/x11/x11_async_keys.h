#pragma once
// X11AsyncKeys: the asynchronous key state of the recorder — whether a key or mouse button
// is down now, and whether it was pressed since the previous query of it, wherever the
// keyboard focus is and whichever client grabs the keyboard or pointer.
//
// "Down now" asks the server (XQueryKeymap, XQueryPointer). "Pressed since" is a latch per
// virtual key, set by XInput2 raw press events selected on the root window. Raw events
// reach us while another client holds a grab only from XInput 2.2 on, so that version is
// negotiated. Owned by X11Platform, which hands it every GenericEvent it reads.
//
// Each reading of the server's state is a round trip. Inside a snapshot (BeginSnapshot ..
// EndSnapshot) the keyboard and the pointer are each read once, at their first query, and
// later queries answer from that reading: the recorder asks for the pointer and four keys
// every tick, and five round trips were most of its idle cost. Raw key, button and motion
// events tell when the state may have changed: a snapshot after none of them since the
// last reading answers from that reading and asks the server nothing, so an idle program
// costs next to nothing. Our own pointer moves (InvalidatePointer) count as changes too.
#include <X11/Xlib.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>

#include "imaging/geometry.h"

#include "platform/x11/x11_keymap.h"

namespace tappomat {

class X11AsyncKeys {
 public:
  X11AsyncKeys(Display* display, Window root, const X11Keymap& keymap);

  // False when the server has no XInput 2.2: presses between queries are then missed.
  bool HasRawEvents() const { return m_opcode >= 0; }

  // Takes an XInput raw event out of the stream; false for any other event.
  bool HandleEvent(XEvent& event);

  // GetAsyncKeyState for a virtual key, mouse buttons 1, 2 and 4 included. The query is a
  // round trip, so every raw event the server sent before it is read and counted.
  std::uint16_t Query(int virtualKey);

  struct PointerState {
    Point position;     // screen coordinates
    unsigned mask = 0;  // buttons and modifiers, as XQueryPointer gives them
  };
  PointerState ReadPointer();

  // ReadConnection: reads what the server has sent before answering; QueuedOnly, when
  // the connection was read a moment ago: takes only what was read then.
  enum class Reading { QueuedOnly, ReadConnection };
  void BeginSnapshot(Reading reading);
  void EndSnapshot();
  // The pointer was moved by us: its last reading is no longer true.
  void InvalidatePointer() { m_pointerChanged = true; }
  // How many times the server was asked (for tests).
  std::uint64_t ServerReadings() const { return m_readings; }
  // How many raw events were taken so far.
  std::uint64_t RawEventCount() const { return m_rawEvents; }

 private:
  using KeyBits = std::array<char, 32>;
  KeyBits ReadKeyboard();
  void Latch(int virtualKey);
  void DrainRawEvents();

  Display* m_display;
  const X11Keymap& m_keymap;
  int m_opcode = -1;
  std::bitset<256> m_pressed;  // per virtual key
  bool m_inSnapshot = false;
  std::optional<KeyBits> m_keyboard;        // the snapshot's readings, once taken
  std::optional<PointerState> m_pointer;
  // The latest readings, and whether a raw event said they may be out of date.
  std::optional<KeyBits> m_lastKeyboard;
  std::optional<PointerState> m_lastPointer;
  bool m_keyboardChanged = true;
  bool m_pointerChanged = true;
  std::uint64_t m_readings = 0;
  std::uint64_t m_rawEvents = 0;
};

}  // namespace tappomat
