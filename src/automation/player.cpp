#include "automation/player.h"

#include <algorithm>
#include <chrono>

#include "automation/input_service.h"
#include "automation/script_table.h"
#include "platform/platform.h"
#include "platform/virtual_keys.h"
#include "ui/convert.h"

namespace tappomat {

namespace {
constexpr std::int64_t kLongestWait = 0xFFFFFFFF;  // the step timer's unsigned 32 bits
constexpr std::int64_t kStartWait = 1;
constexpr std::int64_t kAltPollWait = 5;
// Lateness below this is made up by the next waits (at most this much of quicker clicks);
// beyond it, and beyond one whole wait, the machine stalled and timing starts afresh.
constexpr auto kStallGrace = std::chrono::milliseconds(20);
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
  m_firstStep = true;
  if (m_table.FindStartMarker() == 0) m_table.SetCell(kMarkerCol, 1, kStartMarker);
  m_timer.ArmAt(m_due);
}

void Player::Step() {
  m_timer.Disarm();
  try {
    PerformStep();
  } catch (...) {
    // A cell that does not convert ends playback: the run button comes up, the marker
    // stays on the failing row, and the caller reports the failure.
    m_controls.ReleaseRunButton();
    throw;
  }
}

void Player::PerformStep() {
  if (m_table.IsEmpty()) {
    m_controls.ReleaseRunButton();
    return;
  }
  // A start by Alt+F2 finds Alt still held, and desktops take a click with Alt held for
  // moving the window under it: the first row waits until Alt is up.
  if (m_firstStep && (m_input.GetAsyncKeyState(VK_MENU) & kKeyDownNow)) {
    ArmAfter(kAltPollWait, m_timer.Now());
    m_timer.ArmAt(m_due);
    return;
  }
  m_firstStep = false;
  const auto started = m_timer.Now();
  // A stalled step counts its next wait from its own end; otherwise the wait counts from
  // the moment the step was due, so that the rate does not drift.
  const bool stalled =
      started - m_due > std::max<StepScheduler::Clock::duration>(
                            std::chrono::milliseconds(m_wait), kStallGrace);

  int row = MarkedRow();
  if (row != 0) {
    ExecRow(row);
  } else {
    row = m_table.LastRow() + 1;
  }
  if (row <= m_table.LastRow()) m_table.SetCell(kMarkerCol, row, "");

  const auto base = [&] { return stalled ? m_timer.Now() : m_due; };
  if (row < m_table.LastRow()) {
    m_table.SetCell(kMarkerCol, row + 1, kStartMarker);
    m_marked = row + 1;
    ArmAfter(ReadDelay(row + 1), base());
  } else {
    m_controls.PassEnded();
    if (m_controls.RepeatCount() > 0 || m_controls.EndlessRepeat()) {
      if (!m_controls.EndlessRepeat()) m_controls.SetRepeatCount(m_controls.RepeatCount() - 1);
      m_table.SetCell(kMarkerCol, 1, kStartMarker);
      m_marked = 1;
      ArmAfter(ReadDelay(1), base());
    } else {
      m_controls.ReleaseRunButton();
      Apply();
    }
  }
  if (m_controls.RunButtonDown()) m_timer.ArmAt(m_due);
}

int Player::MarkedRow() const {
  // The row this player marked is the usual answer, without a search through a long
  // script on every step; only a marker that a command moved is searched for. (At most
  // one row carries the marker: whoever places one removes the others.)
  if (m_marked >= 1 && m_marked <= m_table.LastRow() &&
      m_table.Cell(kMarkerCol, m_marked) == kStartMarker) {
    return m_marked;
  }
  return m_table.FindStartMarker();
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
