// Sending and posting messages, the loop (posted messages, then input, then paint, then
// timers), timers and hooks.
#include <algorithm>
#include <utility>
#include <vector>

#include "win/input.h"
#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {

// --- hooks

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc) {
  WindowSystem& ws = WindowSystem::Current();
  if (!proc || (kind != WH_CBT && kind != WH_CALLWNDPROC && kind != WH_GETMESSAGE)) return 0;
  const HHOOK id = ws.m_nextHook++;
  // The newest hook is called first, so it can act before those installed earlier.
  ws.m_hooks.insert(ws.m_hooks.begin(), {id, kind, std::move(proc)});
  return id;
}

bool UnhookWindowsHookEx(HHOOK hook) {
  auto& hooks = WindowSystem::Current().m_hooks;
  return std::erase_if(hooks, [hook](const WindowSystem::Hook& h) { return h.id == hook; }) > 0;
}

LRESULT WindowSystem::CallHooks(int kind, int code, WPARAM wParam, LPARAM lParam) {
  // A copy, so that a hook may remove itself or others while it runs.
  const std::vector<Hook> hooks = m_hooks;
  for (const Hook& hook : hooks) {
    if (hook.kind != kind) continue;
    const LRESULT result = hook.proc(code, wParam, lParam);
    if (kind == WH_CBT && result != 0) return result;  // the action is refused
  }
  return 0;
}

// --- sending and posting

LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!WindowSystem::HasCurrent()) return 0;
  WindowSystem& ws = WindowSystem::Current();
  if (!ws.Find(h)) return 0;
  if (!ws.m_hooks.empty()) {
    CWPSTRUCT cwp{lParam, wParam, msg, h};
    ws.CallHooks(WH_CALLWNDPROC, 0, 0, PtrToLParam(&cwp));
    if (!ws.Find(h)) return 0;
  }
  // A copy: the procedure may replace itself (subclassing) while it runs.
  const WNDPROC proc = ws.Find(h)->proc;
  return proc ? proc(h, msg, wParam, lParam) : DefWindowProc(h, msg, wParam, lParam);
}

bool PostMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowSystem& ws = WindowSystem::Current();
  if (h && !ws.Find(h)) return false;  // a null handle posts to the thread
  ws.m_posted.push_back({h, msg, wParam, lParam, ws.TickCount(), ws.m_pointer});
  ws.m_platform.Wake();
  return true;
}

void PostQuitMessage(int exitCode) {
  WindowSystem& ws = WindowSystem::Current();
  ws.m_quit = true;
  ws.m_quitCode = exitCode;
}

bool WindowSystem::TakePosted(MSG& msg, HWND filter, bool remove) {
  auto it = std::find_if(m_posted.begin(), m_posted.end(), [filter](const MSG& m) {
    return !filter || m.hwnd == filter || IsChild(filter, m.hwnd);
  });
  if (it == m_posted.end()) return false;
  msg = *it;
  if (remove) m_posted.erase(it);
  return true;
}

// --- timers

std::uintptr_t SetTimerAt(HWND h, std::uintptr_t id, Platform::Clock::time_point due,
                          UINT intervalMs) {
  WindowSystem& ws = WindowSystem::Current();
  if (!ws.Find(h)) return 0;
  const std::chrono::milliseconds interval(std::max<UINT>(intervalMs, 1));
  for (WindowSystem::Timer& t : ws.m_timers) {
    if (t.hwnd == h && t.id == id) {
      t.interval = interval;  // setting an existing timer again restarts it
      t.due = due;
      return id;
    }
  }
  ws.m_timers.push_back({h, id, interval, due});
  return id;
}

std::uintptr_t SetTimer(HWND h, std::uintptr_t id, UINT elapseMs) {
  const auto interval = std::chrono::milliseconds(std::max<UINT>(elapseMs, 1));
  return SetTimerAt(h, id, WindowSystem::Current().GetPlatform().Now() + interval, elapseMs);
}

bool KillTimer(HWND h, std::uintptr_t id) {
  auto& timers = WindowSystem::Current().m_timers;
  return std::erase_if(timers, [&](const WindowSystem::Timer& t) { return t.hwnd == h && t.id == id; }) > 0;
}

void WindowSystem::DestroyTimersOf(HWND h) {
  std::erase_if(m_timers, [h](const Timer& t) { return t.hwnd == h; });
}

std::optional<Platform::Clock::time_point> WindowSystem::NextTimerDue() const {
  std::optional<Platform::Clock::time_point> next;
  for (const Timer& t : m_timers) {
    if (!next || t.due < *next) next = t.due;
  }
  return next;
}

bool WindowSystem::TakeTimer(MSG& msg, HWND filter, bool remove) {
  const auto now = m_platform.Now();
  Timer* due = nullptr;
  for (Timer& t : m_timers) {
    if (t.due > now || (filter && t.hwnd != filter && !IsChild(filter, t.hwnd))) continue;
    if (!due || t.due < due->due) due = &t;
  }
  if (!due) return false;
  msg = {due->hwnd, WM_TIMER, due->id, 0, TickCount(), m_pointer};
  // The next firing counts from now: a timer that was late fires once, never twice to
  // catch up.
  if (remove) due->due = now + due->interval;
  return true;
}

// --- the loop

namespace {

bool PeekOnce(WindowSystem& ws, MSG& msg, HWND filter, bool remove) {
  // Collect native events without blocking, so that input is seen in order.
  ws.m_platform.WaitAndDispatch(ws.m_platform.Now());
  if (ws.TakePosted(msg, filter, remove)) return true;
  if (ws.TakeInput(msg, remove)) return true;
  if (ws.TakePaint(msg, filter)) return true;
  return ws.TakeTimer(msg, filter, remove);
}

void CallGetMessageHook(WindowSystem& ws, MSG& msg) {
  if (!ws.m_hooks.empty()) ws.CallHooks(WH_GETMESSAGE, 0, PM_REMOVE, PtrToLParam(&msg));
}

}  // namespace

bool PeekMessage(MSG& msg, HWND filter, UINT flags) {
  WindowSystem& ws = WindowSystem::Current();
  const bool remove = (flags & PM_REMOVE) != 0;
  if (ws.m_quit && ws.m_posted.empty()) {
    msg = {kNullWindow, WM_QUIT, static_cast<WPARAM>(ws.m_quitCode), 0, ws.TickCount(), ws.m_pointer};
    if (remove) ws.m_quit = false;
    return true;
  }
  if (!PeekOnce(ws, msg, filter, remove)) return false;
  if (remove) CallGetMessageHook(ws, msg);
  return true;
}

namespace {
constexpr auto kPresentInterval = std::chrono::milliseconds(16);
}  // namespace

bool GetMessage(MSG& msg, HWND filter) {
  WindowSystem& ws = WindowSystem::Current();
  for (;;) {
    if (PeekMessage(msg, filter, PM_REMOVE)) {
      // A loop kept busy by timers still shows what it paints, about once a frame.
      if (msg.message == WM_TIMER && ws.m_platform.Now() - ws.m_lastPresent > kPresentInterval) {
        ws.PresentDirty();
      }
      return msg.message != WM_QUIT;
    }
    // Idle: show what was painted, then sleep until input or the next timer.
    ws.PresentDirty();
    ws.m_platform.WaitAndDispatch(ws.NextTimerDue());
  }
}

LRESULT DispatchMessage(const MSG& msg) {
  if (!msg.hwnd) return 0;
  return SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void ProcessMessages() {
  WindowSystem& ws = WindowSystem::Current();
  MSG msg;
  // Each timer fires at most once here: a timer that is due again at once (a run of zero
  // waits) would otherwise keep this call from ever returning. Taking it a second time
  // has set it again one interval on, so it fires later, not never.
  std::vector<std::pair<HWND, std::uintptr_t>> fired;
  while (PeekMessage(msg)) {
    if (msg.message == WM_TIMER) {
      const std::pair timer{msg.hwnd, msg.wParam};
      if (std::find(fired.begin(), fired.end(), timer) != fired.end()) break;
      fired.push_back(timer);
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // left for the main loop
      break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  ws.PresentDirty();
}

bool RunMessageLoopUntil(const std::function<bool()>& done) {
  WindowSystem& ws = WindowSystem::Current();
  ++ws.m_modalDepth;
  MSG msg;
  bool quit = false;
  while (!done()) {
    if (!GetMessage(msg)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      quit = true;
      break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  --ws.m_modalDepth;
  return !quit;
}

}  // namespace tappomat
