#include "support/process_wakeups.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace tappomat::test {

std::optional<std::uint64_t> ContextSwitches(pid_t pid) {
  std::error_code error;
  std::filesystem::directory_iterator tasks("/proc/" + std::to_string(pid) + "/task", error);
  if (error) return std::nullopt;
  std::uint64_t total = 0;
  for (const auto& task : tasks) {
    std::ifstream status(task.path() / "status");
    std::string line;
    while (std::getline(status, line)) {
      // "voluntary_ctxt_switches:" and "nonvoluntary_ctxt_switches:"
      const auto colon = line.find(':');
      if (line.find("ctxt_switches") < colon) total += std::stoull(line.substr(colon + 1));
    }
  }
  return total;
}

}  // namespace tappomat::test
