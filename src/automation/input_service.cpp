#include "automation/input_service.h"

#include "platform/platform.h"

namespace tappomat {

Point PlatformInputService::GetCursorPos() { return m_platform.PointerPosition(); }

void PlatformInputService::SetCursorPos(int x, int y) { m_platform.SetPointerPosition({x, y}); }

void PlatformInputService::MouseEvent(unsigned flags) {
  // Presses before releases, left before right, as a combined flag word means them.
  if (flags & MOUSEEVENTF_LEFTDOWN) m_platform.InjectButton(MouseButton::Left, true);
  if (flags & MOUSEEVENTF_LEFTUP) m_platform.InjectButton(MouseButton::Left, false);
  if (flags & MOUSEEVENTF_RIGHTDOWN) m_platform.InjectButton(MouseButton::Right, true);
  if (flags & MOUSEEVENTF_RIGHTUP) m_platform.InjectButton(MouseButton::Right, false);
}

std::uint16_t PlatformInputService::GetAsyncKeyState(int virtualKey) {
  return m_platform.AsyncKeyState(virtualKey);
}

bool PlatformInputService::IsApplicationActive() { return m_platform.IsApplicationActive(); }

void PlatformInputService::BeginSnapshot() { m_platform.BeginInputSnapshot(); }

void PlatformInputService::EndSnapshot() { m_platform.EndInputSnapshot(); }

std::optional<std::uint64_t> PlatformInputService::InputEventCount() {
  return m_platform.InputEventCount();
}

}  // namespace tappomat
