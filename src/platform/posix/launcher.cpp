#include "platform/posix/launcher.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace tappomat::posix {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Runs in the grandchild after fork: only async-signal-safe calls from here on.
[[noreturn]] void ExecOrReport(const char* path, char* const argv[], int errorPipe) {
  // A fresh session: the program outlives us and is not hit by signals to our terminal's
  // process group.
  setsid();
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  sigaction(SIGPIPE, &defaultAction, nullptr);
  // Our descriptors (the X connection among them) are none of the program's business.
  close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
  execve(path, argv, environ);
  const int error = errno;
  [[maybe_unused]] const ssize_t ignored = write(errorPipe, &error, sizeof error);
  _exit(127);
}

}  // namespace

std::string FindProgram(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : std::string();
  const char* pathVariable = std::getenv("PATH");
  const std::string path = pathVariable != nullptr ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(':', start);
    if (end == std::string::npos) end = path.size();
    // An empty entry means the current directory.
    const std::string directory = end > start ? path.substr(start, end - start) : ".";
    const std::string candidate = directory + "/" + program;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

bool StartProgram(const std::string& program, const std::vector<std::string>& args) {
  // Everything the children need is prepared before fork, where allocating is still safe.
  const std::string path = FindProgram(program);
  if (path.empty()) return false;
  std::vector<char*> argv;
  argv.reserve(args.size() + 2);
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  int errorPipe[2];
  if (pipe2(errorPipe, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(errorPipe[0]);
    close(errorPipe[1]);
    return false;
  }
  if (child == 0) {
    close(errorPipe[0]);
    const pid_t grandchild = fork();
    if (grandchild == 0) ExecOrReport(path.c_str(), argv.data(), errorPipe[1]);
    _exit(grandchild < 0 ? 1 : 0);
  }
  close(errorPipe[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  const bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  // The write end closes when the program is executed (close-on-exec) or when the
  // grandchild exits after reporting the error: either way read returns.
  int error = 0;
  ssize_t got = 0;
  do {
    got = read(errorPipe[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(errorPipe[0]);
  return forked && got == 0;
}

bool OpenWithDesktop(const std::string& target) { return StartProgram("xdg-open", {target}); }

}  // namespace tappomat::posix
