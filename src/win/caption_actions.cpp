#include "win/caption_actions.h"

#include "win/input.h"
#include "win/mouse_loop.h"
#include "win/nonclient.h"
#include "win/paint.h"

namespace tappomat {
namespace {

WPARAM CommandFor(HWND h, LRESULT button) {
  switch (button) {
    case HTCLOSE: return SC_CLOSE;
    case HTMINBUTTON: return SC_MINIMIZE;
    case HTMAXBUTTON: {
      const WindowData* w = WindowSystem::Current().Find(h);
      return w && w->top.maximized ? SC_RESTORE : SC_MAXIMIZE;
    }
  }
  return 0;
}

bool ButtonEnabled(HWND h, LRESULT button) {
  const std::uint32_t style = GetWindowStyle(h);
  if (button == HTMINBUTTON) return (style & WS_MINIMIZEBOX) != 0;
  if (button == HTMAXBUTTON) return (style & WS_MAXIMIZEBOX) != 0;
  return button == HTCLOSE;
}

void SetPushed(HWND h, LRESULT button) {
  WindowData* w = WindowSystem::Current().Find(h);
  if (!w || w->nonClient.pushedButton == button) return;
  w->nonClient.pushedButton = button;
  InvalidateNonClient(h);
}

}  // namespace

void RunMoveSession(HWND h, const std::function<LoopEnd(const Rect& start)>& loop) {
  WindowSystem& ws = WindowSystem::Current();
  const WindowData* w = ws.Find(h);
  if (!w || (!w->IsChild() && (w->top.maximized || w->top.minimized))) return;
  const Rect start = w->windowRect;
  Rect proposed = start;
  if (ws.CallHooks(WH_CBT, HCBT_MOVESIZE, HandleToWParam(h), PtrToLParam(&proposed)) != 0) return;
  SendMessage(h, WM_ENTERSIZEMOVE);
  if (loop(start) == LoopEnd::Cancelled && IsWindow(h)) {
    SetWindowPos(h, kNullWindow, start.left, start.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (IsWindow(h)) SendMessage(h, WM_EXITSIZEMOVE);
}

void MoveWithPointer(HWND h, const Rect& start, Point from, Point to) {
  // The travel is the same in any coordinates, so `start` keeps its own.
  Rect target = start.Offset(to.x - from.x, to.y - from.y);
  // WM_MOVING may change where the window goes (docking, keeping it on screen).
  SendMessage(h, WM_MOVING, 0, PtrToLParam(&target));
  SetWindowPos(h, kNullWindow, target.left, target.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunMoveLoop(HWND h, Point screenPoint) {
  RunMoveSession(h, [h, screenPoint](const Rect& start) {
    MouseLoopHandlers handlers;
    handlers.moved = [h, &start, screenPoint](Point screen) {
      MoveWithPointer(h, start, screenPoint, screen);
    };
    return RunMouseLoop(h, handlers);
  });
}

void TrackCaptionButton(HWND h, LRESULT button) {
  if (!ButtonEnabled(h, button)) return;
  bool over = true;
  Point last = GetCursorPos();
  SetPushed(h, button);
  MouseLoopHandlers handlers;
  handlers.moved = [h, button, &over, &last](Point screen) {
    last = screen;
    over = SendMessage(h, WM_NCHITTEST, 0, LParamFromPoint(screen)) == button;
    SetPushed(h, over ? button : 0);
  };
  const LoopEnd end = RunMouseLoop(h, handlers);
  SetPushed(h, 0);
  if (end == LoopEnd::Finished && over && IsWindow(h)) {
    SendMessage(h, WM_SYSCOMMAND, CommandFor(h, button), LParamFromPoint(last));
  }
}

bool MaximizeWindow(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  if (!w || w->IsChild()) return false;
  if (w->top.maximized) return true;
  if (ws.CallHooks(WH_CBT, HCBT_MINMAX, HandleToWParam(h), SW_SHOWMAXIMIZED) != 0) return true;
  w->nonClient.restoreRect = w->windowRect;
  w->top.maximized = true;
  w->style |= WS_MAXIMIZE;
  const Rect work = ws.GetPlatform().WorkArea();
  SetWindowPos(h, kNullWindow, work.left, work.top, work.Width(), work.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

bool RestoreMaximizedWindow(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  if (!w || w->IsChild() || !w->top.maximized || w->top.minimized) return false;
  if (ws.CallHooks(WH_CBT, HCBT_MINMAX, HandleToWParam(h), SW_RESTORE) != 0) return true;
  w->top.maximized = false;
  w->style &= ~WS_MAXIMIZE;
  const Rect r = w->nonClient.restoreRect;
  SetWindowPos(h, kNullWindow, r.left, r.top, r.Width(), r.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

}  // namespace tappomat
