#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tappomat::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& display, const std::string& stdoutPath,
                           const std::string& stderrPath) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    if (std::string(*e).rfind("DISPLAY=", 0) != 0) env.emplace_back(*e);
  }
  env.push_back("DISPLAY=" + display);
  std::vector<char*> envp;
  for (std::string& s : env) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> argvStrings{program};
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : argvStrings) argv.push_back(s.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!stdoutPath.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  if (!stderrPath.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
    m_pid = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
  if (m_pid <= 0) return;
  // A program that ends cleanly on SIGTERM may still wait for a user (a message box):
  // after five seconds it is killed.
  kill(m_pid, SIGTERM);
  for (int i = 0; i < 500; ++i) {
    if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) return;
    usleep(10000);
  }
  kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
}

int ChildProcess::TryExitStatus() {
  int status = 0;
  if (m_pid <= 0 || waitpid(m_pid, &status, WNOHANG) != m_pid) return -1;
  m_pid = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

}  // namespace tappomat::test
