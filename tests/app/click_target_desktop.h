#pragma once
// The desktop of the clicker's end-to-end tests: a private X server, our user's
// connection to it and the target application that logs the button events it receives
// (tests/e2e/click_target.cpp), with the reader of that log.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/x11_test_client.h"
#include "support/xvfb_session.h"

namespace tappomat::test {

struct TargetEvent {
  std::string kind;  // "press" or "release"
  unsigned button = 0;
  Point position;
  unsigned long time = 0;  // server time, ms
};

inline std::vector<TargetEvent> ReadEvents(const std::filesystem::path& file) {
  std::vector<TargetEvent> events;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    TargetEvent e;
    if (fields >> e.kind >> e.button >> e.position.x >> e.position.y >> e.time) {
      events.push_back(e);
    }
  }
  return events;
}

inline bool FileHasLine(const std::filesystem::path& file, const std::string& wanted) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line == wanted) return true;
  }
  return false;
}

// A private X server (with or without a window manager), our user's connection to it and
// the target program covering the right of the screen, logging what it receives to
// `clicksFile`; stopped in the reverse order.
struct Desktop {
  Desktop(XvfbWindowManager manager, const std::filesystem::path& clicksFile)
      : session(manager),
        user(session.DisplayName()),
        target(TAPPOMAT_CLICK_TARGET, {"450", "0", "820", "1000", clicksFile.string()},
               session.DisplayName()),
        clicksFile(clicksFile) {}
  void WaitUntilReady() {
    ASSERT_TRUE(session.Ok()) << session.Error();
    ASSERT_TRUE(user.Ok());
    ASSERT_TRUE(target.Started());
    ASSERT_TRUE(WaitUntil([&] { return FileHasLine(clicksFile, "ready"); },
                          std::chrono::seconds(10)));
  }

  XvfbSession session;
  X11TestClient user;
  ChildProcess target;
  std::filesystem::path clicksFile;
};

}  // namespace tappomat::test
