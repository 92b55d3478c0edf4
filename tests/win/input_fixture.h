#pragma once
// Fixture for the input routing tests: WinTest plus a WH_CALLWNDPROC hook that records
// every sent or dispatched message with its parameters, for the checks that the message
// sequence tables of WinTest::TakeLog do not make (coordinates, key data, activation
// states).
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "win/input.h"
#include "win_fixture.h"

namespace tappomat::test {

struct SentMessage {
  std::string window;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class InputTest : public WinTest {
 protected:
  using Log = std::vector<LoggedMessage>;

  InputTest() {
    m_hook = SetWindowsHookEx(WH_CALLWNDPROC, [this](int, WPARAM, LPARAM l) -> LRESULT {
      const CWPSTRUCT& c = *LParamToPtr<CWPSTRUCT>(l);
      const auto name = m_names.find(c.hwnd.index);
      m_sent.push_back({name == m_names.end() ? "?" : name->second, c.message, c.wParam, c.lParam});
      return 0;
    });
  }
  ~InputTest() override { UnhookWindowsHookEx(m_hook); }

  HWND Make(const std::string& name, std::uint32_t style, const Rect& rect,
            HWND parent = kNullWindow, std::uint32_t exStyle = 0) {
    const HWND h = Create(name, style, rect, parent, exStyle);
    m_names[h.index] = name;
    return h;
  }

  // Names a window made without Make (another class), for TakeSent.
  void Name(HWND h, const std::string& name) { m_names[h.index] = name; }

  // Messages (with parameters) of the given kinds since the last call.
  std::vector<SentMessage> TakeSent(const std::vector<UINT>& filter) {
    std::vector<SentMessage> out;
    for (const SentMessage& m : m_sent) {
      if (std::find(filter.begin(), filter.end(), m.message) != filter.end()) out.push_back(m);
    }
    m_sent.clear();
    return out;
  }

  // The screen point of a client point of `h`.
  Point At(HWND h, Point client) { return ClientToScreen(h, client); }

  // Drops what earlier steps left in the logs.
  void Settle() {
    ProcessMessages();
    TakeLog();
    m_sent.clear();
  }

 private:
  HHOOK m_hook = 0;
  std::map<std::uint32_t, std::string> m_names;
  std::vector<SentMessage> m_sent;
};

}  // namespace tappomat::test
