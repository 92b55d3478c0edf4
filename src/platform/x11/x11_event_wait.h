#pragma once
// X11EventWait: the blocking part of the event loop — sleep until the X connection has
// data, Wake() is called from any thread, or a deadline on the monotonic clock passes.
// Owned by X11Platform; the wake-up is an eventfd.
#include <chrono>
#include <optional>

namespace tappomat {

class X11EventWait {
 public:
  using Clock = std::chrono::steady_clock;

  X11EventWait();
  ~X11EventWait();
  X11EventWait(const X11EventWait&) = delete;
  X11EventWait& operator=(const X11EventWait&) = delete;

  // Returns when `connection` is readable, Wake() was called or `deadline` has passed —
  // never before the deadline unless one of the other two happened. True when the
  // connection has something to read (data, or its end), so that a wake-up by the clock
  // or by Wake() need not read it.
  bool Wait(int connection, std::optional<Clock::time_point> deadline);
  // Thread-safe.
  void Wake();
  // The descriptor Wake writes to (-1 when there is none), for signal handlers.
  int WakeDescriptor() const { return m_wakeFd; }

 private:
  int m_wakeFd = -1;
};

}  // namespace tappomat
