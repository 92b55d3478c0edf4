#include "support/xvfb_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace tappomat::test {
namespace {

using namespace std::chrono_literals;

constexpr auto kServerStartTimeout = 15s;
constexpr auto kManagerStartTimeout = 10s;
constexpr auto kStopTimeout = 3s;

std::vector<char*> PointersTo(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Runs in the child after fork: async-signal-safe calls only.
[[noreturn]] void Exec(const char* path, char* const argv[], char* const envp[], bool quiet,
                       pid_t parent) {
  // A test killed by a timeout must not leave its server behind.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) _exit(1);
  const int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) {
    dup2(devNull, STDIN_FILENO);
    if (quiet) {
      dup2(devNull, STDOUT_FILENO);
      dup2(devNull, STDERR_FILENO);
    }
  }
  execvpe(path, argv, envp);
  _exit(127);
}

}  // namespace

XvfbSession::XvfbSession(XvfbWindowManager manager) {
  StartServer();
  if (Ok() && manager == XvfbWindowManager::Openbox) StartOpenbox();
}

XvfbSession::~XvfbSession() {
  Stop(m_openbox);
  if (m_keeper != nullptr) XCloseDisplay(m_keeper);
  Stop(m_server);
}

void XvfbSession::StartServer() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    m_error = "pipe failed";
    return;
  }
  std::vector<std::string> args{"Xvfb",   "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                "1280x1024x24", "-nolisten", "tcp"};
  std::vector<char*> argv = PointersTo(args);
  const pid_t parent = getpid();
  m_server = fork();
  if (m_server == 0) {
    // The server writes its display number to this descriptor once it accepts clients.
    fcntl(fds[1], F_SETFD, 0);
    Exec("Xvfb", argv.data(), environ, false, parent);
  }
  close(fds[1]);
  if (m_server < 0) {
    close(fds[0]);
    m_error = "fork failed";
    return;
  }
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + kServerStartTimeout;
  while (number.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd fd{fds[0], POLLIN, 0};
    if (left <= 0ms || poll(&fd, 1, static_cast<int>(left.count())) <= 0) break;
    char buffer[16];
    const ssize_t got = read(fds[0], buffer, sizeof buffer);
    if (got <= 0) break;  // the server exited (or could not be executed)
    number.append(buffer, static_cast<std::size_t>(got));
  }
  close(fds[0]);
  if (number.empty() || number.find('\n') == std::string::npos) {
    m_error = "Xvfb did not start (is the xvfb package installed?)";
    return;
  }
  m_displayName = ":" + number.substr(0, number.find('\n'));
  m_keeper = XOpenDisplay(m_displayName.c_str());
  if (m_keeper == nullptr) m_error = "cannot connect to Xvfb on " + m_displayName;
}

void XvfbSession::StartOpenbox() {
  std::vector<std::string> environment;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "DISPLAY=", 8) != 0) environment.emplace_back(*e);
  }
  environment.push_back("DISPLAY=" + m_displayName);
  std::vector<std::string> args{"openbox", "--sm-disable"};
  std::vector<char*> argv = PointersTo(args);
  std::vector<char*> envp = PointersTo(environment);
  const pid_t parent = getpid();
  m_openbox = fork();
  if (m_openbox == 0) Exec("openbox", argv.data(), envp.data(), true, parent);
  if (m_openbox < 0) {
    m_error = "fork failed";
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + kManagerStartTimeout;
  while (!WindowManagerAnnounced()) {
    int status = 0;
    if (waitpid(m_openbox, &status, WNOHANG) == m_openbox) {
      m_openbox = -1;
      m_error = "openbox exited (is the openbox package installed?)";
      return;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      m_error = "openbox did not announce itself (_NET_SUPPORTING_WM_CHECK)";
      return;
    }
    std::this_thread::sleep_for(10ms);
  }
  // Openbox announces itself before it is ready to manage windows, and drops the map
  // requests it gets meanwhile. Ready is when it has managed (mapped) a probe window.
  const Window probe = XCreateSimpleWindow(m_keeper, DefaultRootWindow(m_keeper), 0, 0, 10, 10, 0, 0, 0);
  bool managed = false;
  while (!managed && std::chrono::steady_clock::now() < deadline) {
    XUnmapWindow(m_keeper, probe);
    XMapWindow(m_keeper, probe);
    const auto retry = std::chrono::steady_clock::now() + 200ms;
    while (!managed && std::chrono::steady_clock::now() < retry) {
      XWindowAttributes attributes{};
      managed = XGetWindowAttributes(m_keeper, probe, &attributes) &&
                attributes.map_state == IsViewable;
      if (!managed) std::this_thread::sleep_for(5ms);
    }
  }
  XDestroyWindow(m_keeper, probe);
  XSync(m_keeper, False);
  if (!managed) m_error = "openbox does not manage windows";
}

bool XvfbSession::WindowManagerAnnounced() {
  const Atom check = XInternAtom(m_keeper, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool present = XGetWindowProperty(m_keeper, DefaultRootWindow(m_keeper), check, 0, 1,
                                          False, XA_WINDOW, &type, &format, &count, &after,
                                          &data) == Success &&
                       type == XA_WINDOW && count == 1;
  if (data != nullptr) XFree(data);
  return present;
}

void XvfbSession::Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(5ms);
  }
  pid = -1;
}

}  // namespace tappomat::test
