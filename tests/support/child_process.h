#pragma once
// ChildProcess: a program started by an end-to-end test on a private display — spawned
// without a shell with DISPLAY replaced, and stopped by its pid (SIGTERM, then SIGKILL) when
// the object goes, so that no test leaves a process behind.
#include <sys/types.h>

#include <string>
#include <vector>

namespace tappomat::test {

class ChildProcess {
 public:
  // `stdoutPath` and `stderrPath`, when given, receive the program's standard output and
  // standard error.
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::string& display, const std::string& stdoutPath = {},
               const std::string& stderrPath = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return m_pid > 0; }
  pid_t Pid() const { return m_pid; }
  // The exit status once the process has ended by itself, or -1 while it runs.
  int TryExitStatus();

 private:
  pid_t m_pid = -1;
};

}  // namespace tappomat::test
