// The non-client part of DefWindowProc: a thin switch over the WM_NC* messages and the
// system commands it owns; the geometry is in nonclient_layout.cpp, the look in
// frame_painter.cpp and scroll_bar_painter.cpp, the mouse loops in caption_actions.cpp
// and scroll_bar_tracking.cpp.
#include "win/nonclient.h"

#include "gdi/system_metrics.h"
#include "imaging/stretch.h"
#include "win/caption_actions.h"
#include "win/frame_painter.h"
#include "win/window_frame.h"
#include "win/paint.h"
#include "win/scroll_bar.h"
#include "win/scroll_bar_painter.h"

namespace tappomat {
namespace {

WindowData* Data(HWND h) { return WindowSystem::Current().Find(h); }

// The frame of every window that has no other: the classic look.
class ClassicWindowFrame final : public WindowFrame {
 public:
  Rect ClientRect(HWND h, Size window) override {
    const WindowData* w = Data(h);
    return ComputeNonClientLayout(w->style, w->exStyle, window, false).client;
  }
  LRESULT HitTest(HWND h, Point windowPoint) override {
    return HitTestNonClient(GetNonClientLayout(h), Data(h)->style, windowPoint);
  }
  void Paint(HWND h, DeviceContext& dc) override {
    const WindowData* w = Data(h);
    const NonClientLayout layout = GetNonClientLayout(h);
    FrameLook look;
    look.style = w->style;
    look.exStyle = w->exStyle;
    look.active = w->nonClient.active;
    look.text = w->text;
    look.icon = &w->nonClient.icon;
    look.pushedButton = w->nonClient.pushedButton;
    look.maximized = !w->IsChild() && w->top.maximized;
    PaintClassicFrame(dc, layout, look);
    for (int bar : {SB_VERT, SB_HORZ}) {
      if (const std::optional<ScrollBarGeometry> g = GetScrollBarGeometry(h, bar)) {
        PaintClassicScrollBar(dc, *g, *FindScrollBarState(h, bar));
      }
    }
  }
};

LRESULT CalcSize(HWND h, LPARAM lParam) {
  Rect* rect = LParamToPtr<Rect>(lParam);  // rgrc[0] of NCCALCSIZE_PARAMS with wParam 1
  if (!rect) return 0;
  *rect = FrameOf(h).ClientRect(h, rect->GetSize()).Offset(rect->left, rect->top);
  return 0;
}

LRESULT HitTest(HWND h, LPARAM lParam) {
  const WindowData* w = Data(h);
  const Rect window = GetWindowRect(h);
  const Point screen = PointFromLParam(lParam);
  const Point local{screen.x - window.left, screen.y - window.top};
  if (!window.Contains(screen) || (w->region && !w->region->Contains(local))) return HTNOWHERE;
  return FrameOf(h).HitTest(h, local);
}

LRESULT NcPaint(HWND h, WPARAM wParam) {
  // 0 and 1 mean the whole frame; larger values point at a Region.
  const Region* area = wParam > 1 ? reinterpret_cast<const Region*>(wParam) : nullptr;
  if (std::optional<DeviceContext> dc = GetNonClientDC(h, area)) PaintDefaultNonClient(h, *dc);
  return 0;
}

LRESULT NcActivate(HWND h, WPARAM wParam, LPARAM lParam) {
  WindowData* w = Data(h);
  const bool active = wParam != 0;
  if (w->nonClient.active != active) {
    w->nonClient.active = active;
    if (lParam != -1) InvalidateNonClient(h);
  }
  return 1;
}

LRESULT NcLButtonDown(HWND h, WPARAM hit, LPARAM lParam) {
  switch (hit) {
    case HTCAPTION:
      SendMessage(h, WM_SYSCOMMAND, SC_MOVE | WPARAM{HTCAPTION}, lParam);
      break;
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON:
      TrackCaptionButton(h, static_cast<LRESULT>(hit));
      break;
    case HTVSCROLL:
      SendMessage(h, WM_SYSCOMMAND, SC_VSCROLL | WPARAM{HTVSCROLL}, lParam);
      break;
    case HTHSCROLL:
      SendMessage(h, WM_SYSCOMMAND, SC_HSCROLL | WPARAM{HTHSCROLL}, lParam);
      break;
  }
  return 0;
}

LRESULT NcLButtonDoubleClick(HWND h, WPARAM hit, LPARAM lParam) {
  const WindowData* w = Data(h);
  switch (hit) {
    case HTCAPTION:
      if (w->style & WS_MAXIMIZEBOX) {
        SendMessage(h, WM_SYSCOMMAND, w->top.maximized ? SC_RESTORE : SC_MAXIMIZE, lParam);
      }
      break;
    case HTSYSMENU:
      SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, lParam);
      break;
    case HTVSCROLL:
    case HTHSCROLL:
      return NcLButtonDown(h, hit, lParam);
  }
  return 0;
}

std::optional<LRESULT> SysCommand(HWND h, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_MOVE:
      // HTCAPTION in the low bits: from a press, lParam its point; else from the keyboard.
      if ((wParam & 0x000F) == HTCAPTION) {
        RunMoveLoop(h, PointFromLParam(lParam));
      } else {
        RunKeyboardMoveLoop(h);
      }
      return 0;
    case SC_MAXIMIZE:
      if (MaximizeWindow(h)) return 0;
      break;
    case SC_RESTORE:
      if (RestoreMaximizedWindow(h)) return 0;
      break;
    case SC_VSCROLL:
      TrackScrollBar(h, SB_VERT, PointFromLParam(lParam));
      return 0;
    case SC_HSCROLL:
      TrackScrollBar(h, SB_HORZ, PointFromLParam(lParam));
      return 0;
  }
  return std::nullopt;
}

}  // namespace

void SetWindowIcon(HWND h, const Bitmap32& icon) {
  WindowData* w = Data(h);
  if (!w) return;
  const int cx = GetSystemMetrics(SM_CXSMICON);
  const int cy = GetSystemMetrics(SM_CYSMICON);
  if (icon.IsEmpty() || icon.GetSize() == Size{cx, cy}) {
    w->nonClient.icon = icon;
  } else {
    Bitmap32 small(cx, cy);
    StretchCopy(small, small.Bounds(), small.Bounds(), icon, icon.Bounds(), StretchMode::Nearest);
    w->nonClient.icon = std::move(small);
  }
  if (!w->IsChild()) WindowSystem::Current().GetPlatform().SetIcon(w->top.native, icon);
  InvalidateNonClient(h);
}

Bitmap32 GetWindowIcon(HWND h) {
  const WindowData* w = Data(h);
  return w ? w->nonClient.icon : Bitmap32{};
}

NonClientLayout GetNonClientLayout(HWND h) {
  const WindowData* w = Data(h);
  if (!w) return {};
  NonClientLayout layout =
      ComputeNonClientLayout(w->style, w->exStyle, w->windowRect.GetSize(), !w->nonClient.icon.IsEmpty());
  if (layout.client != w->clientRect) AnchorScrollBars(layout, w->style, w->exStyle, w->clientRect);
  return layout;
}

void PaintDefaultNonClient(HWND h, DeviceContext& dc) {
  if (Data(h)) FrameOf(h).Paint(h, dc);
}

WindowFrame& ClassicFrame() {
  static ClassicWindowFrame frame;
  return frame;
}

WindowFrame& FrameOf(HWND h) {
  const WindowData* w = Data(h);
  return w && w->nonClient.frame ? *w->nonClient.frame : ClassicFrame();
}

void SetWindowFrame(HWND h, WindowFrame* frame) {
  WindowData* w = Data(h);
  if (!w || w->nonClient.frame == frame) return;
  w->nonClient.frame = frame;
  SetWindowPos(h, kNullWindow, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateNonClient(h);
}

std::optional<LRESULT> DefNonClientProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCALCSIZE:
      return CalcSize(h, lParam);
    case WM_NCHITTEST:
      return HitTest(h, lParam);
    case WM_NCPAINT:
      return NcPaint(h, wParam);
    case WM_NCACTIVATE:
      return NcActivate(h, wParam, lParam);
    case WM_NCLBUTTONDOWN:
      return NcLButtonDown(h, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
      return NcLButtonDoubleClick(h, wParam, lParam);
    case WM_SYSCOMMAND:
      return SysCommand(h, wParam, lParam);
  }
  return std::nullopt;
}

}  // namespace tappomat
