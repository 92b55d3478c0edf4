#include "automation/player.h"

#include <algorithm>
#include <chrono>

#include "automation/input_service.h"
#include "automation/script_table.h"
#include "ui/convert.h"

namespace tappomat {

namespace {
constexpr std::int64_t kLongestWait = 0xFFFFFFFF;  // the step timer's unsigned 32 bits
constexpr std::int64_t kStartWait = 1;
}  // namespace

std::int64_t Player::ReadDelay(int row) const {
  return std::clamp<std::int64_t>(StrToInt64(m_table.Cell(kDelayCol, row)), 0, kLongestWait);
}

void Player::ArmAfter(std::int64_t delayMs, StepScheduler::Clock::time_point base) {
  m_wait = delayMs;
  m_due = base + std::chrono::milliseconds(delayMs);
}

void Player::Apply() {
  if (!m_controls.RunButtonDown()) {
    m_timer.Disarm();
    return;
  }
  if (m_table.IsEmpty()) {
    m_controls.ReleaseRunButton();
    return;
  }
  ArmAfter(kStartWait, m_timer.Now());
  if (m_table.FindStartMarker() == 0) m_table.SetCell(kMarkerCol, 1, kStartMarker);
  m_timer.ArmAt(m_due);
}

void Player::Step() {
  m_timer.Disarm();
  if (m_table.IsEmpty()) {
    m_controls.ReleaseRunButton();
    return;
  }
  const auto started = m_timer.Now();
  // A step that comes more than one whole wait late counts its next wait from its own
  // end; otherwise from the moment it was due, so that the rate does not drift.
  const bool stalled = started - m_due > std::chrono::milliseconds(m_wait);

  int row = m_table.FindStartMarker();
  if (row != 0) {
    ExecRow(row);
  } else {
    row = m_table.LastRow() + 1;
  }
  if (row <= m_table.LastRow()) m_table.SetCell(kMarkerCol, row, "");

  const auto base = [&] { return stalled ? m_timer.Now() : m_due; };
  if (row < m_table.LastRow()) {
    m_table.SetCell(kMarkerCol, row + 1, kStartMarker);
    ArmAfter(ReadDelay(row + 1), base());
  } else if (m_controls.RepeatCount() > 0 || m_controls.EndlessRepeat()) {
    if (!m_controls.EndlessRepeat()) m_controls.SetRepeatCount(m_controls.RepeatCount() - 1);
    m_table.SetCell(kMarkerCol, 1, kStartMarker);
    ArmAfter(ReadDelay(1), base());
  } else {
    m_controls.ReleaseRunButton();
    Apply();
  }
  if (m_controls.RunButtonDown()) m_timer.ArmAt(m_due);
}

void Player::ExecRow(int row) {
  if (m_table.Cell(kXCol, row).empty()) return;
  // Y is converted first, as the failure message then names the Y cell.
  const int y = StrToInt(m_table.Cell(kYCol, row));
  const int x = StrToInt(m_table.Cell(kXCol, row));
  m_input.SetCursorPos(x, y);
  const std::string& button = m_table.Cell(kButtonCol, row);
  if (button == "0") {
    m_input.MouseEvent(MOUSEEVENTF_LEFTDOWN);
    m_input.MouseEvent(MOUSEEVENTF_LEFTUP);
  } else if (button == "1") {
    m_input.MouseEvent(MOUSEEVENTF_RIGHTDOWN);
    m_input.MouseEvent(MOUSEEVENTF_RIGHTUP);
  }
}

}  // namespace tappomat
