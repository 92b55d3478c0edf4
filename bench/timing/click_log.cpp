#include "click_log.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tappomat {

std::uintmax_t LogSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

std::vector<TargetEvent> ReadTargetEvents(const std::string& path, std::uintmax_t offset) {
  std::vector<TargetEvent> events;
  std::ifstream in(path);
  if (!in) return events;
  in.seekg(static_cast<std::streamoff>(offset));
  std::string line;
  while (std::getline(in, line)) {
    // A last line without its newline may still be being written.
    if (in.eof()) break;
    std::istringstream fields(line);
    std::string kind;
    TargetEvent event;
    int x = 0, y = 0;
    unsigned long serverTime = 0;
    if (!(fields >> kind >> event.button >> x >> y >> serverTime >> event.receivedUs)) continue;
    if (kind != "press" && kind != "release") continue;
    event.press = kind == "press";
    events.push_back(event);
  }
  return events;
}

namespace {

// Nearest rank: the smallest value with at least `fraction` of the values at or below it.
double Percentile(const std::vector<double>& sorted, double fraction) {
  const double count = static_cast<double>(sorted.size());
  const auto rank = static_cast<std::size_t>(std::ceil(fraction * count));
  return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace

TimingStats Summarize(const std::vector<TargetEvent>& events, unsigned button, double delayMs) {
  std::vector<std::int64_t> pressUs;
  for (const TargetEvent& e : events) {
    if (e.press && e.button == button) pressUs.push_back(e.receivedUs);
  }
  TimingStats stats;
  stats.presses = static_cast<int>(pressUs.size());
  if (pressUs.size() < 2) return stats;
  std::vector<double> errorsMs;
  for (std::size_t i = 1; i < pressUs.size(); ++i) {
    const double intervalMs = static_cast<double>(pressUs[i] - pressUs[i - 1]) / 1000.0;
    errorsMs.push_back(std::fabs(intervalMs - delayMs));
  }
  std::sort(errorsMs.begin(), errorsMs.end());
  stats.medianErrorMs = Percentile(errorsMs, 0.5);
  stats.p99ErrorMs = Percentile(errorsMs, 0.99);
  const double spanMs = static_cast<double>(pressUs.back() - pressUs.front()) / 1000.0;
  const double intervals = static_cast<double>(pressUs.size() - 1);
  stats.driftMs = spanMs - intervals * delayMs;
  stats.clicksPerSecond = spanMs > 0 ? intervals * 1000.0 / spanMs : 0;
  return stats;
}

}  // namespace tappomat
