#include "win_fixture.h"

#include <ostream>

#include "win/messages.h"

namespace tappomat::test {

std::string MessageName(UINT message) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"}, {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_ENABLE, "WM_ENABLE"}, {WM_SETTEXT, "WM_SETTEXT"},
      {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
      {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_NCCREATE, "WM_NCCREATE"},
      {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
      {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCPAINT, "WM_NCPAINT"},
      {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"},
      {WM_CHAR, "WM_CHAR"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_TIMER, "WM_TIMER"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
      {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
      {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
      {WM_STYLECHANGING, "WM_STYLECHANGING"}, {WM_STYLECHANGED, "WM_STYLECHANGED"},
      {WM_USER, "WM_USER"}, {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
  };
  auto it = names.find(message);
  if (it != names.end()) return it->second;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%04X", message);
  return buffer;
}

void PrintTo(const LoggedMessage& m, std::ostream* os) {
  *os << m.window << ":" << MessageName(m.message);
}

WinTest::WinTest() {
  WindowClass cls;
  cls.name = "TestWindow";
  cls.style = CS_DBLCLKS;
  cls.proc = [this](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    auto name = m_names.find(h.index);
    m_log.push_back({name == m_names.end() ? "?" : name->second, msg, wParam});
    auto handler = m_handlers.find({h.index, msg});
    if (handler != m_handlers.end()) return handler->second(h, msg, wParam, lParam);
    return DefWindowProc(h, msg, wParam, lParam);
  };
  RegisterClass(cls);
}

WinTest::~WinTest() {
  // Windows still alive log their destruction into this fixture, so they go first.
  while (!system.TopLevelWindows().empty()) DestroyWindow(system.TopLevelWindows().back());
}

HWND WinTest::Create(const std::string& name, std::uint32_t style, const Rect& rect, HWND parent,
                     std::uint32_t exStyle) {
  // The slot the next window will take is not known before creation, so the name is set
  // by a hook that sees the handle first.
  const HHOOK hook = SetWindowsHookEx(WH_CBT, [this, name](int code, WPARAM wParam, LPARAM) -> LRESULT {
    if (code == HCBT_CREATEWND) m_names[WParamToHandle(wParam).index] = name;
    return 0;
  });
  const HWND h = CreateWindowEx(exStyle, "TestWindow", name, style, rect.left, rect.top,
                                rect.Width(), rect.Height(), parent);
  UnhookWindowsHookEx(hook);
  return h;
}

std::vector<LoggedMessage> WinTest::TakeLog(const std::vector<UINT>& filter) {
  std::vector<LoggedMessage> out;
  for (const LoggedMessage& m : m_log) {
    if (filter.empty() || std::find(filter.begin(), filter.end(), m.message) != filter.end()) {
      out.push_back(m);
    }
  }
  m_log.clear();
  return out;
}

void WinTest::OnMessage(HWND h, UINT message,
                        std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> handler) {
  m_handlers[{h.index, message}] = std::move(handler);
}

}  // namespace tappomat::test
