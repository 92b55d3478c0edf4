#pragma once
// InputPoller: the program's only source of global input. Each tick (every 50 ms, from
// the main window's Timer1) it reads the pointer and the asynchronous state of F1, F2,
// Alt and the two mouse buttons, whichever application has the focus. Four release
// latches make everything act on release: Alt+F2 and Alt+F1 run the run and record
// commands, and a mouse button released while another application is active becomes a
// captured click — but only while the gate is open (recording, or a capture mode that
// waits for one click). The main window answers through PollerHost.
//
// Where every input event is seen (InputService::InputEventCount), nothing can change
// between two ticks without one: a tick that finds no new event since the previous tick
// tells its caller that no next tick is needed, and the caller resumes ticking at the
// next event (Platform::SetActivityHandler), so an idle program does not wake at all.
#include <cstdint>
#include <optional>
#include <string>

namespace tappomat {

class InputService;

class PollerHost {
 public:
  virtual ~PollerHost() = default;
  virtual void ShowPointer(const std::string& readout) = 0;
  virtual void RunCommand() = 0;     // as a click on the run button
  virtual void RecordCommand() = 0;  // as a click on the record button
  // Recording, or a capture mode that takes the next click.
  virtual bool CaptureGateOpen() = 0;
  virtual void AddToScript(int x, int y, int button) = 0;
};

class InputPoller {
 public:
  InputPoller(InputService& input, PollerHost& host) : m_input(input), m_host(host) {}

  // One poll; false when nothing happened since the previous tick and ticking may pause
  // until the next input event.
  bool Tick();
  // Recording switched off: a button still held then is not captured later.
  void ClearMouseLatches() { m_leftLatch = m_rightLatch = false; }

 private:
  // The tick's work, inside one input snapshot.
  void TickWithin();
  bool Pressed(int virtualKey);
  // True at the tick that sees the key released after it was seen pressed.
  bool Released(int virtualKey, bool& latch);

  InputService& m_input;
  PollerHost& m_host;
  std::optional<std::uint64_t> m_inputEvents;  // the count at the end of the last tick
  bool m_f2Latch = false;
  bool m_f1Latch = false;
  bool m_leftLatch = false;
  bool m_rightLatch = false;
};

}  // namespace tappomat
