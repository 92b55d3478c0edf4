#include "platform/posix/termination_signals.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdint>

namespace tappomat {
namespace {

volatile std::sig_atomic_t g_requested = 0;
std::atomic<int> g_wakeFd{-1};

void OnSignal(int) {
  g_requested = 1;
  const int fd = g_wakeFd.load();
  if (fd >= 0) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(fd, &one, sizeof one);
  }
}

}  // namespace

void TerminationSignals::Install(int wakeFd) {
  g_wakeFd = wakeFd;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool TerminationSignals::TakeRequest() {
  if (!g_requested) return false;
  g_requested = 0;
  return true;
}

}  // namespace tappomat
