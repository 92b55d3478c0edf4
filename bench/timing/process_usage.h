#pragma once
// What another process has used, read from /proc while it runs: the timing harness
// watches the real program idle with it. Values are nullopt when the process is gone or
// the file cannot be parsed.
#include <sys/types.h>

#include <optional>

namespace tappomat {

// User plus system CPU time so far, from /proc/<pid>/stat (clock-tick resolution).
std::optional<double> ProcessCpuSeconds(pid_t pid);
// A memory figure from /proc/<pid>/status in kilobytes: "VmHWM" (peak resident set) or
// "VmRSS" (resident set now).
std::optional<long> ProcessMemoryKb(pid_t pid, const char* field);

}  // namespace tappomat
