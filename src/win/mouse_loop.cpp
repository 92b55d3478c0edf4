#include "win/mouse_loop.h"

#include "platform/virtual_keys.h"
#include "win/input.h"

namespace tappomat {
namespace {

bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

MouseLoopEnd RunMouseLoop(HWND h, const MouseLoopHandlers& handlers) {
  WindowSystem& ws = WindowSystem::Current();
  // Without a held button no release would ever come to end the loop.
  if (!ws.Find(h) || !(GetKeyState(VK_LBUTTON) & 0x8000)) return MouseLoopEnd::Cancelled;
  SetCapture(h);
  ++ws.m_modalDepth;
  MouseLoopEnd end = MouseLoopEnd::Cancelled;
  MSG msg;
  while (ws.Find(h) && GetCapture() == h) {
    if (!GetMessage(msg)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      break;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
      if (handlers.moved) handlers.moved(msg.pt);
      end = MouseLoopEnd::Released;
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      if (handlers.moved) handlers.moved(msg.pt);
      continue;
    }
    if (IsMouseMessage(msg.message)) continue;  // other buttons do nothing meanwhile
    if (msg.message == WM_TIMER && msg.hwnd == h && msg.wParam >= kFirstMouseLoopTimer) {
      if (handlers.timer) handlers.timer(msg.wParam);
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  --ws.m_modalDepth;
  if (ws.Find(h) && GetCapture() == h) ReleaseCapture();
  return end;
}

}  // namespace tappomat
