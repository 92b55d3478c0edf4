#include "win/nonclient_layout.h"

#include <algorithm>

#include "gdi/system_metrics.h"
#include "win/messages.h"
#include "win/styles.h"

namespace tappomat {
namespace {

bool HasCaption(std::uint32_t style) { return (style & WS_CAPTION) == WS_CAPTION; }

// The 2-pixel raised window edge of sizable and dialog frames; a static edge replaces it.
bool HasWindowEdge(std::uint32_t style, std::uint32_t exStyle) {
  if (exStyle & WS_EX_DLGMODALFRAME) return true;
  if (exStyle & WS_EX_STATICEDGE) return false;
  if (style & WS_THICKFRAME) return true;
  const std::uint32_t caption = style & WS_CAPTION;
  return caption == WS_DLGFRAME || caption == WS_CAPTION;
}

int FrameThickness(std::uint32_t style, std::uint32_t exStyle) {
  int frame = 0;
  if (HasWindowEdge(style, exStyle)) {
    frame += 2;
  } else if ((exStyle & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE) {
    frame += 1;
  }
  if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME)) frame += 1;
  if (style & WS_THICKFRAME) {
    frame += GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXDLGFRAME);
  }
  return frame;
}

// Shrinks a rectangle without letting it turn inside out: what is left of a window too
// small for its frame is an empty rectangle at the point where the frame ends.
Rect Deflate(const Rect& r, int left, int top, int right, int bottom) {
  Rect out{r.left + left, r.top + top, r.right - right, r.bottom - bottom};
  if (out.right < out.left) out.right = out.left = std::min(out.left, r.right);
  if (out.bottom < out.top) out.bottom = out.top = std::min(out.top, r.bottom);
  return out;
}

void PlaceCaptionButtons(NonClientLayout& layout, std::uint32_t style, std::uint32_t exStyle) {
  if (!(style & WS_SYSMENU)) return;
  const Rect& bar = layout.caption;
  if (exStyle & WS_EX_TOOLWINDOW) {
    const int width = GetSystemMetrics(SM_CXSMSIZE) - 2;
    const int height = GetSystemMetrics(SM_CYSMSIZE) - 4;
    layout.closeButton = Rect::FromSize(bar.right - 2 - width, bar.top + 2, width, height);
    return;
  }
  // Close at the right; minimise and maximise side by side left of it, 2 pixels apart.
  // Both of those show when either style asks for one (the other greyed).
  const int width = GetSystemMetrics(SM_CXSIZE) - 2;
  const int height = GetSystemMetrics(SM_CYSIZE) - 4;
  layout.closeButton = Rect::FromSize(bar.right - 2 - width, bar.top + 2, width, height);
  if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
    layout.maxButton = layout.closeButton.Offset(-(width + 2), 0);
    layout.minButton = layout.maxButton.Offset(-width, 0);
  }
}

}  // namespace

NonClientLayout ComputeNonClientLayout(std::uint32_t style, std::uint32_t exStyle, Size window,
                                       bool hasIcon) {
  NonClientLayout layout;
  layout.window = {0, 0, std::max(window.width, 0), std::max(window.height, 0)};
  layout.frame = FrameThickness(style, exStyle);
  Rect rest = Deflate(layout.window, layout.frame, layout.frame, layout.frame, layout.frame);
  layout.inside = rest;

  if (HasCaption(style)) {
    const int height = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    layout.caption = {rest.left, rest.top, rest.right, std::min(rest.top + height, rest.bottom)};
    rest = Deflate(rest, 0, layout.caption.Height(), 0, 0);
    PlaceCaptionButtons(layout, style, exStyle);

    const bool showIcon = hasIcon && (style & WS_SYSMENU) && !(exStyle & WS_EX_TOOLWINDOW);
    const int iconSize = GetSystemMetrics(SM_CXSMICON);
    if (showIcon) layout.icon = Rect::FromSize(layout.caption.left + 2, layout.caption.top + 1, iconSize, iconSize);
    Rect text = layout.caption;
    text.bottom -= 1;  // the caption's bottom line
    text.left += (showIcon ? iconSize + 2 : 0) + 2;
    const Rect& leftmost = !layout.minButton.IsEmpty() ? layout.minButton : layout.closeButton;
    if (!leftmost.IsEmpty()) text.right = leftmost.left - 2;
    layout.captionText = text.IsEmpty() ? Rect{} : text;
  }

  if (exStyle & WS_EX_CLIENTEDGE) {
    layout.clientEdge = rest;
    const int cx = GetSystemMetrics(SM_CXEDGE);
    const int cy = GetSystemMetrics(SM_CYEDGE);
    rest = Deflate(rest, cx, cy, cx, cy);
  }

  const int vWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int hHeight = GetSystemMetrics(SM_CYHSCROLL);
  if ((style & WS_VSCROLL) && rest.Width() >= vWidth) {
    if (exStyle & WS_EX_LEFTSCROLLBAR) {
      layout.vScroll = {rest.left, rest.top, rest.left + vWidth, rest.bottom};
      rest.left += vWidth;
    } else {
      layout.vScroll = {rest.right - vWidth, rest.top, rest.right, rest.bottom};
      rest.right -= vWidth;
    }
  }
  if ((style & WS_HSCROLL) && rest.Height() > hHeight) {
    layout.hScroll = {rest.left, rest.bottom - hHeight, rest.right, rest.bottom};
    rest.bottom -= hHeight;
    if (!layout.vScroll.IsEmpty()) {
      layout.vScroll.bottom = rest.bottom;
      layout.sizeBox = {layout.vScroll.left, rest.bottom, layout.vScroll.right, layout.hScroll.bottom};
    }
  }
  if (layout.vScroll.IsEmpty()) layout.vScroll = {};
  layout.client = rest;
  return layout;
}

void AnchorScrollBars(NonClientLayout& layout, std::uint32_t style, std::uint32_t exStyle,
                      const Rect& client) {
  layout.client = client;
  layout.vScroll = layout.hScroll = layout.sizeBox = {};
  const int vWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int hHeight = GetSystemMetrics(SM_CYHSCROLL);
  auto inWindow = [&layout](const Rect& r) { return layout.window.Contains(r) ? r : Rect{}; };
  if (style & WS_VSCROLL) {
    layout.vScroll = inWindow((exStyle & WS_EX_LEFTSCROLLBAR)
                                  ? Rect{client.left - vWidth, client.top, client.left, client.bottom}
                                  : Rect{client.right, client.top, client.right + vWidth, client.bottom});
  }
  if (style & WS_HSCROLL) {
    layout.hScroll = inWindow({client.left, client.bottom, client.right, client.bottom + hHeight});
  }
  if (!layout.vScroll.IsEmpty() && !layout.hScroll.IsEmpty()) {
    layout.sizeBox = {layout.vScroll.left, client.bottom, layout.vScroll.right, client.bottom + hHeight};
  }
}

LRESULT HitTestNonClient(const NonClientLayout& layout, std::uint32_t style, Point p) {
  if (!layout.window.Contains(p)) return HTNOWHERE;
  if (layout.client.Contains(p)) return HTCLIENT;

  const Rect& in = layout.inside;
  if (!in.Contains(p)) {
    if (!(style & WS_THICKFRAME)) return layout.frame > 0 ? HTBORDER : HTNOWHERE;
    // Sizing borders; the corners reach SM_CXSIZE / SM_CYSIZE along each edge.
    const int cx = GetSystemMetrics(SM_CXSIZE);
    const int cy = GetSystemMetrics(SM_CYSIZE);
    const bool nearLeft = p.x < in.left + cx;
    const bool nearRight = p.x >= in.right - cx;
    const bool nearTop = p.y < in.top + cy;
    const bool nearBottom = p.y >= in.bottom - cy;
    if (p.y < in.top) return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
    if (p.y >= in.bottom) return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
    if (p.x < in.left) return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
    return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
  }

  if (layout.caption.Contains(p)) {
    // The buttons' columns reach over the caption's whole height.
    if (!layout.icon.IsEmpty() && p.x < layout.caption.left + GetSystemMetrics(SM_CYCAPTION) - 1) {
      return HTSYSMENU;
    }
    if (!layout.closeButton.IsEmpty() && p.x >= layout.closeButton.left) return HTCLOSE;
    if (!layout.maxButton.IsEmpty() && p.x >= layout.maxButton.left) return HTMAXBUTTON;
    if (!layout.minButton.IsEmpty() && p.x >= layout.minButton.left) return HTMINBUTTON;
    return HTCAPTION;
  }
  if (layout.vScroll.Contains(p)) return HTVSCROLL;
  if (layout.hScroll.Contains(p)) return HTHSCROLL;
  // The size box answers HTSIZE whether or not the window can be sized.
  if (layout.sizeBox.Contains(p)) return HTSIZE;
  return HTNOWHERE;
}

}  // namespace tappomat
