#include "automation/input_poller.h"

#include "automation/input_service.h"
#include "platform/virtual_keys.h"

namespace tappomat {

bool InputPoller::Pressed(int virtualKey) { return m_input.GetAsyncKeyState(virtualKey) != 0; }

bool InputPoller::Released(int virtualKey, bool& latch) {
  if (Pressed(virtualKey)) {
    latch = true;
    return false;
  }
  const bool wasSet = latch;
  latch = false;  // cleared before its action runs, so one release never acts twice
  return wasSet;
}

namespace {

// The tick's queries share one reading of the pointer and one of the keyboard.
class SnapshotScope {
 public:
  explicit SnapshotScope(InputService& input) : m_input(input) { m_input.BeginSnapshot(); }
  ~SnapshotScope() { m_input.EndSnapshot(); }
  SnapshotScope(const SnapshotScope&) = delete;
  SnapshotScope& operator=(const SnapshotScope&) = delete;

 private:
  InputService& m_input;
};

}  // namespace

bool InputPoller::Tick() {
  {
    const SnapshotScope snapshot(m_input);
    TickWithin();
  }
  // Counted after the tick, which may itself have read events from the system: those
  // make the next tick needed.
  const std::optional<std::uint64_t> events = m_input.InputEventCount();
  const bool quiet = events && m_inputEvents == events;
  m_inputEvents = events;
  return !quiet;
}

void InputPoller::TickWithin() {
  const Point pointer = m_input.GetCursorPos();
  m_host.ShowPointer(std::to_string(pointer.x) + " : " + std::to_string(pointer.y));

  if (Released(VK_F2, m_f2Latch) && Pressed(VK_MENU)) m_host.RunCommand();
  if (Released(VK_F1, m_f1Latch) && Pressed(VK_MENU)) m_host.RecordCommand();

  if (!m_host.CaptureGateOpen()) {
    // Still ask for the buttons, so that "pressed since the previous query" never reaches
    // back past this tick: a click made long before recording starts must not turn up as
    // a captured click in its first tick. The release latches keep their values.
    Pressed(VK_LBUTTON);
    Pressed(VK_RBUTTON);
    return;
  }
  if (Released(VK_LBUTTON, m_leftLatch) && !m_input.IsApplicationActive()) {
    m_host.AddToScript(pointer.x, pointer.y, 0);
  }
  if (Released(VK_RBUTTON, m_rightLatch) && !m_input.IsApplicationActive()) {
    m_host.AddToScript(pointer.x, pointer.y, 1);
  }
}

}  // namespace tappomat
