#pragma once
// InputService: the only door through which the click automation reaches the system's
// global input — the pointer, synthetic button events, the asynchronous key state and
// whether one of our windows is active. The program uses PlatformInputService; the tests
// give the player and the poller a scripted fake.
#include <cstdint>
#include <optional>

#include "imaging/geometry.h"

namespace tappomat {

class Platform;

// The button events MouseEvent injects: a press or a release of the left or right button.
enum MouseEventFlags : unsigned {
  MOUSEEVENTF_LEFTDOWN = 0x0002,
  MOUSEEVENTF_LEFTUP = 0x0004,
  MOUSEEVENTF_RIGHTDOWN = 0x0008,
  MOUSEEVENTF_RIGHTUP = 0x0010,
};

class InputService {
 public:
  virtual ~InputService() = default;
  virtual Point GetCursorPos() = 0;
  virtual void SetCursorPos(int x, int y) = 0;
  // Injects one button event (MouseEventFlags) where the pointer is now.
  virtual void MouseEvent(unsigned flags) = 0;
  // Non-zero when the key is down now or was pressed since the previous query.
  virtual std::uint16_t GetAsyncKeyState(int virtualKey) = 0;
  // True while one of the program's windows is the active window.
  virtual bool IsApplicationActive() = 0;
  // The queries between these calls belong to one poll and may share one reading of the
  // system's state (see Platform::BeginInputSnapshot).
  virtual void BeginSnapshot() {}
  virtual void EndSnapshot() {}
  // How many key, button and pointer events were seen anywhere so far, where the system
  // tells of them all (see Platform::InputEventCount); nullopt where it does not.
  virtual std::optional<std::uint64_t> InputEventCount() { return std::nullopt; }
};

class PlatformInputService final : public InputService {
 public:
  explicit PlatformInputService(Platform& platform) : m_platform(platform) {}
  Point GetCursorPos() override;
  void SetCursorPos(int x, int y) override;
  void MouseEvent(unsigned flags) override;
  std::uint16_t GetAsyncKeyState(int virtualKey) override;
  bool IsApplicationActive() override;
  void BeginSnapshot() override;
  void EndSnapshot() override;
  std::optional<std::uint64_t> InputEventCount() override;

 private:
  Platform& m_platform;
};

}  // namespace tappomat
