#pragma once
// The click target's log as the timing harness reads it, and the timing figures drawn
// from it. The target (tests/e2e/click_target.cpp) writes one line per button event:
//   press|release <button> <root x> <root y> <server time ms> <monotonic us>
// The harness notes the log's size before a run and reads only what the run added.
#include <cstdint>
#include <string>
#include <vector>

namespace tappomat {

struct TargetEvent {
  bool press = false;
  unsigned button = 0;
  std::int64_t receivedUs = 0;  // CLOCK_MONOTONIC when the target read the event
};

// The button events from byte `offset` on; lines that are not button events with all six
// fields (the "ready" line, a line still being written) are passed over.
std::vector<TargetEvent> ReadTargetEvents(const std::string& path, std::uintmax_t offset);
// The log's size now (0 when it cannot be read).
std::uintmax_t LogSize(const std::string& path);

// What a user feels of a run of clicks asked to come `delayMs` apart: the error of each
// interval between consecutive presses, how far the whole run is off its ideal length,
// and the rate.
struct TimingStats {
  int presses = 0;
  double medianErrorMs = 0;  // of |interval − delay|
  double p99ErrorMs = 0;
  double driftMs = 0;        // (last − first) − (presses − 1) · delay
  double clicksPerSecond = 0;
};

// Figures over the presses of `button` in `events`; zeros when fewer than two.
TimingStats Summarize(const std::vector<TargetEvent>& events, unsigned button, double delayMs);

}  // namespace tappomat
