#pragma once
// TerminationSignals: SIGTERM, SIGINT and SIGHUP (kill, Ctrl+C in a terminal, the end of
// the session) as a request to end the program that the event loop serves, so that the
// program closes its main window as its close button does and writes its settings,
// instead of dying on the spot. The handler only sets a flag and writes to the loop's
// wake-up descriptor, which is all a signal handler may safely do. Used by X11Platform.

namespace tappomat {

class TerminationSignals {
 public:
  // Installs the handlers; a signal then also writes to `wakeFd` (an eventfd, or -1).
  static void Install(int wakeFd);
  // True once after each signal that arrived since the last call.
  static bool TakeRequest();
};

}  // namespace tappomat
