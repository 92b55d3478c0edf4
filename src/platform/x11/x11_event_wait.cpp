#include "platform/x11/x11_event_wait.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace tappomat {

X11EventWait::X11EventWait() : m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

X11EventWait::~X11EventWait() {
  if (m_wakeFd >= 0) close(m_wakeFd);
}

bool X11EventWait::Wait(int connection, std::optional<Clock::time_point> deadline) {
  pollfd fds[2] = {{connection, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
  const nfds_t count = m_wakeFd >= 0 ? 2 : 1;
  for (;;) {
    timespec timeout{};
    timespec* timeoutPointer = nullptr;
    if (deadline) {
      const auto remaining = *deadline - Clock::now();
      if (remaining <= Clock::duration::zero()) return false;
      // Rounded up, so that the wait is never shorter than asked.
      const auto total = std::chrono::ceil<std::chrono::nanoseconds>(remaining).count();
      timeout.tv_sec = static_cast<time_t>(total / 1'000'000'000);
      timeout.tv_nsec = static_cast<long>(total % 1'000'000'000);
      timeoutPointer = &timeout;
    }
    const int ready = ppoll(fds, count, timeoutPointer, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return true;  // let the reader find out what is wrong with the connection
    }
    if (ready == 0) continue;  // re-checks the deadline against the clock
    if (count == 2 && (fds[1].revents & POLLIN)) {
      std::uint64_t value = 0;
      [[maybe_unused]] const ssize_t ignored = read(m_wakeFd, &value, sizeof value);
    }
    return fds[0].revents != 0;
  }
}

void X11EventWait::Wake() {
  if (m_wakeFd < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t ignored = write(m_wakeFd, &one, sizeof one);
}

}  // namespace tappomat
