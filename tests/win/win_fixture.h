#pragma once
// Test fixture for the window system: a headless platform with a driven clock, a window
// system over it, and a window class whose windows log the messages they receive, so that
// tests compare message sequences as tables.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "win/window_system.h"

namespace tappomat::test {

struct LoggedMessage {
  std::string window;  // the name the test gave the window
  UINT message = 0;
  WPARAM wParam = 0;
  friend bool operator==(const LoggedMessage& a, const LoggedMessage& b) {
    return a.window == b.window && a.message == b.message;  // wParam is informational
  }
};

std::string MessageName(UINT message);
void PrintTo(const LoggedMessage& m, std::ostream* os);

class WinTest : public ::testing::Test {
 protected:
  WinTest();
  ~WinTest() override;

  // Creates a logging window; `name` labels its messages in the log.
  HWND Create(const std::string& name, std::uint32_t style, const Rect& rect,
              HWND parent = kNullWindow, std::uint32_t exStyle = 0);
  // Messages received since the last call, only those in `filter` (all when empty).
  std::vector<LoggedMessage> TakeLog(const std::vector<UINT>& filter = {});
  // Replaces the handling of one message for one window (default: DefWindowProc).
  void OnMessage(HWND h, UINT message, std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> handler);

  HeadlessPlatform platform;
  WindowSystem system{platform};

 private:
  std::map<std::pair<std::uint32_t, UINT>, std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>> m_handlers;
  std::map<std::uint32_t, std::string> m_names;
  std::vector<LoggedMessage> m_log;
};

}  // namespace tappomat::test
