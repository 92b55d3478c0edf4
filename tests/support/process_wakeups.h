#pragma once
// How often another process has been woken: the kernel's count of context switches of
// all its threads (voluntary and not), read from /proc/<pid>/task/*/status. A process that
// sleeps without waking keeps the count; reading it does not wake the process. The idle
// end-to-end test and the timing harness count with it.
#include <sys/types.h>

#include <cstdint>
#include <optional>

namespace tappomat::test {

// nullopt when the process is gone.
std::optional<std::uint64_t> ContextSwitches(pid_t pid);

}  // namespace tappomat::test
