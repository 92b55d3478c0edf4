#include "process_usage.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace tappomat {

std::optional<double> ProcessCpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  // The command name (field 2) is in parentheses and may hold spaces or ')': the fields
  // after it start behind the last ')'.
  const auto close = line.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(line.substr(close + 1));
  // Fields 3 .. 13 come before utime (14) and stime (15).
  std::string skipped;
  for (int field = 3; field <= 13; ++field) {
    if (!(fields >> skipped)) return std::nullopt;
  }
  unsigned long long utime = 0, stime = 0;
  if (!(fields >> utime >> stime)) return std::nullopt;
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  if (ticksPerSecond <= 0) return std::nullopt;
  return static_cast<double>(utime + stime) / static_cast<double>(ticksPerSecond);
}

std::optional<long> ProcessMemoryKb(pid_t pid, const char* field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  const std::string prefix = std::string(field) + ":";
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    std::istringstream value(line.substr(prefix.size()));
    long kb = 0;
    if (value >> kb) return kb;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tappomat
