#pragma once
// XvfbSession: a private X server for end-to-end tests — Xvfb on a display number it picks
// itself (-displayfd), optionally with the openbox window manager on it. Started by the
// constructor, which waits until the server (and the manager) are ready; stopped by the
// destructor, each process by its pid (SIGTERM, then wait). Tests hold one per suite and
// FAIL when it is not Ok(): CI installs Xvfb, so a missing server is an error, not a skip.
// Every connection to the display must be closed before the session ends.
#include <sys/types.h>

#include <string>

struct _XDisplay;

namespace tappomat::test {

enum class XvfbWindowManager { NoManager, Openbox };

class XvfbSession {
 public:
  explicit XvfbSession(XvfbWindowManager manager = XvfbWindowManager::NoManager);
  ~XvfbSession();
  XvfbSession(const XvfbSession&) = delete;
  XvfbSession& operator=(const XvfbSession&) = delete;

  bool Ok() const { return m_error.empty(); }
  // Why the session could not be started.
  const std::string& Error() const { return m_error; }
  // ":N", to pass to XOpenDisplay.
  const std::string& DisplayName() const { return m_displayName; }

 private:
  void StartServer();
  void StartOpenbox();
  bool WindowManagerAnnounced();
  void Stop(pid_t& pid);

  pid_t m_server = -1;
  pid_t m_openbox = -1;
  // Held open for the whole session: the server resets when its last client leaves.
  _XDisplay* m_keeper = nullptr;
  std::string m_displayName;
  std::string m_error;
};

}  // namespace tappomat::test
