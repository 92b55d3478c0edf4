#include "win/mouse_loop.h"

#include "platform/virtual_keys.h"
#include "win/input.h"

namespace tappomat {

bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

namespace {

// The capture and the activation can change while the loop waits for a message (a window
// is hidden, another application becomes active) with no message for the loop to read;
// for as long as the loop runs, each change posts an empty thread message that wakes it to
// look again.
class WakeOnChange {
 public:
  WakeOnChange()
      : m_hook(SetWindowsHookEx(WH_CALLWNDPROC, [](int, WPARAM, LPARAM lParam) -> LRESULT {
          const UINT message = LParamToPtr<const CWPSTRUCT>(lParam)->message;
          if (message == WM_CAPTURECHANGED || message == WM_ACTIVATE) {
            PostMessage(kNullWindow, WM_NULL);
          }
          return 0;
        })) {}
  ~WakeOnChange() { UnhookWindowsHookEx(m_hook); }
  WakeOnChange(const WakeOnChange&) = delete;
  WakeOnChange& operator=(const WakeOnChange&) = delete;

 private:
  HHOOK m_hook;
};

}  // namespace

LoopEnd RunCaptureLoop(HWND h, const std::function<LoopStep(const MSG&)>& handle,
                       const std::function<bool()>& keepGoing) {
  WindowSystem& ws = WindowSystem::Current();
  if (!ws.Find(h)) return LoopEnd::Cancelled;
  SetCapture(h);
  ++ws.m_modalDepth;
  LoopEnd end = LoopEnd::Cancelled;
  {
    const WakeOnChange wake;
    MSG msg;
    while (ws.Find(h) && GetCapture() == h && (!keepGoing || keepGoing())) {
      if (!GetMessage(msg)) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
        break;
      }
      const LoopStep step = handle(msg);
      if (step == LoopStep::Finish) end = LoopEnd::Finished;
      if (step == LoopStep::Finish || step == LoopStep::Cancel) break;
      if (step == LoopStep::Dispatch) {
        TranslateMessage(msg);
        DispatchMessage(msg);
      }
    }
  }
  --ws.m_modalDepth;
  if (ws.Find(h) && GetCapture() == h) ReleaseCapture();
  return end;
}

LoopEnd RunMouseLoop(HWND h, const MouseLoopHandlers& handlers) {
  // Without a held button no release would ever come to end the loop.
  if (!(GetKeyState(VK_LBUTTON) & 0x8000)) return LoopEnd::Cancelled;
  return RunCaptureLoop(h, [h, &handlers](const MSG& msg) {
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
      if (handlers.moved) handlers.moved(msg.pt);
      return LoopStep::Finish;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      if (handlers.moved) handlers.moved(msg.pt);
      return LoopStep::Eat;
    }
    if (IsMouseMessage(msg.message)) return LoopStep::Eat;  // other buttons do nothing meanwhile
    if (msg.message == WM_TIMER && msg.hwnd == h && msg.wParam >= kFirstMouseLoopTimer) {
      if (handlers.timer) handlers.timer(msg.wParam);
      return LoopStep::Eat;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return LoopStep::Cancel;
    return LoopStep::Dispatch;
  });
}

}  // namespace tappomat
