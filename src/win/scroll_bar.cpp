// Scroll-bar state, its rules and geometry. Painting is in scroll_bar_painter.cpp, the
// mouse loop in scroll_bar_tracking.cpp.
#include "win/scroll_bar.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "gdi/system_metrics.h"
#include "win/nonclient.h"
#include "win/paint.h"

namespace tappomat {
namespace {

constexpr int kMinThumb = 8;

// a * b / c rounded to nearest, halves away from zero.
int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  const std::int64_t product = std::int64_t{a} * b;
  const std::int64_t half = std::abs(std::int64_t{c}) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t q = (std::abs(product) + half) / std::abs(std::int64_t{c});
  return static_cast<int>(negative ? -q : q);
}

std::uint32_t StyleBit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

// The highest position: nMax - max(nPage - 1, 0).
int MaxPosition(const ScrollBarState& s) {
  return static_cast<int>(std::int64_t{s.max} - std::max(s.page - 1, 0));
}

bool HasNothingToScroll(const ScrollBarState& s) { return s.min >= MaxPosition(s); }

// The bars an SB_* value names.
template <typename F>
void ForEachBar(int bar, F&& f) {
  if (bar == SB_HORZ || bar == SB_BOTH) f(SB_HORZ);
  if (bar == SB_VERT || bar == SB_BOTH) f(SB_VERT);
}

}  // namespace

ScrollBarState* FindScrollBarState(HWND h, int bar) {
  WindowData* w = WindowSystem::Current().Find(h);
  if (!w) return nullptr;
  if (bar == SB_HORZ) return &w->hScroll;
  if (bar == SB_VERT) return &w->vScroll;
  return nullptr;
}

int SetScrollInfo(HWND h, int bar, const SCROLLINFO& info, bool redraw) {
  ScrollBarState* s = FindScrollBarState(h, bar);
  if (!s) return 0;
  const UINT mask = info.fMask;
  bool changed = false;
  if (mask & SIF_PAGE) {
    const int page = static_cast<int>(std::min<UINT>(info.nPage, std::numeric_limits<int>::max()));
    changed |= s->page != page;
    s->page = page;
  }
  if (mask & SIF_POS) {
    changed |= s->pos != info.nPos;
    s->pos = info.nPos;
  }
  if (mask & SIF_RANGE) {
    // An inverted range, or one wider than a signed 32-bit span, becomes 0..0.
    const bool valid = info.nMin <= info.nMax && std::int64_t{info.nMax} - info.nMin < 0x80000000LL;
    const int min = valid ? info.nMin : 0;
    const int max = valid ? info.nMax : 0;
    changed |= !valid || s->min != min || s->max != max;
    s->min = min;
    s->max = max;
  }
  s->page = static_cast<int>(std::clamp<std::int64_t>(s->page, 0, std::int64_t{s->max} - s->min + 1));
  s->pos = std::max(s->min, std::min(s->pos, MaxPosition(*s)));

  bool hide = false;
  bool show = false;
  bool arrowsChanged = false;
  if ((mask & SIF_ALL) && (mask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL))) {
    unsigned arrows = s->disabledArrows;
    if (HasNothingToScroll(*s)) {
      if (mask & SIF_DISABLENOSCROLL) {
        arrows = ESB_DISABLE_BOTH;
      } else if (changed) {
        hide = true;
      }
    } else if (mask != SIF_PAGE) {
      // A page change alone neither shows nor enables the bar.
      arrows = ESB_ENABLE_BOTH;
      show = changed;
    }
    arrowsChanged = arrows != s->disabledArrows;
    s->disabledArrows = arrows;
  }

  const int pos = s->pos;
  const bool visible = (GetWindowStyle(h) & StyleBit(bar)) != 0;
  if (hide) {
    if (visible) ShowScrollBar(h, bar, false);
  } else if (show && !visible) {
    ShowScrollBar(h, bar, true);  // recalculating the frame repaints it
  } else if (redraw || arrowsChanged) {
    InvalidateNonClient(h);
  }
  return pos;
}

bool GetScrollInfo(HWND h, int bar, SCROLLINFO& info) {
  const ScrollBarState* s = FindScrollBarState(h, bar);
  if (!s || !(info.fMask & SIF_ALL)) return false;
  if (info.fMask & SIF_RANGE) {
    info.nMin = s->min;
    info.nMax = s->max;
  }
  if (info.fMask & SIF_PAGE) info.nPage = static_cast<UINT>(s->page);
  if (info.fMask & SIF_POS) info.nPos = s->pos;
  if (info.fMask & SIF_TRACKPOS) info.nTrackPos = s->thumbTracking ? s->trackPos : s->pos;
  return true;
}

int SetScrollPos(HWND h, int bar, int pos, bool redraw) {
  const ScrollBarState* s = FindScrollBarState(h, bar);
  if (!s) return 0;
  const int previous = s->pos;
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfo(h, bar, info, redraw);
  return previous;
}

int GetScrollPos(HWND h, int bar) {
  const ScrollBarState* s = FindScrollBarState(h, bar);
  return s ? s->pos : 0;
}

bool SetScrollRange(HWND h, int bar, int min, int max, bool redraw) {
  if (!FindScrollBarState(h, bar)) return false;
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = min;
  info.nMax = max;
  SetScrollInfo(h, bar, info, redraw);
  return true;
}

bool GetScrollRange(HWND h, int bar, int& min, int& max) {
  const ScrollBarState* s = FindScrollBarState(h, bar);
  if (!s) return false;
  min = s->min;
  max = s->max;
  return true;
}

bool ShowScrollBar(HWND h, int bar, bool show) {
  WindowData* w = WindowSystem::Current().Find(h);
  if (!w || bar == SB_CTL) return false;
  std::uint32_t bits = 0;
  ForEachBar(bar, [&bits](int b) { bits |= StyleBit(b); });
  const std::uint32_t style = show ? (w->style | bits) : (w->style & ~bits);
  if (style == w->style) return true;
  // The style bits change directly, without WM_STYLECHANGING.
  w->style = style;
  SetWindowPos(h, kNullWindow, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

bool EnableScrollBar(HWND h, int bar, UINT arrows) {
  if (bar == SB_CTL || !WindowSystem::Current().Find(h)) return false;
  bool changed = false;
  ForEachBar(bar, [&](int b) {
    ScrollBarState* s = FindScrollBarState(h, b);
    if (s->disabledArrows != (arrows & ESB_DISABLE_BOTH)) {
      s->disabledArrows = arrows & ESB_DISABLE_BOTH;
      changed = true;
    }
  });
  if (changed) InvalidateNonClient(h);
  return changed;
}

Rect ScrollBarGeometry::PartRect(ScrollBarPart part) const {
  int from = 0;
  int to = 0;
  const int length = Length();
  switch (part) {
    case ScrollBarPart::None: return {};
    case ScrollBarPart::LineUp: from = 0; to = arrowSize; break;
    case ScrollBarPart::LineDown: from = length - arrowSize; to = length; break;
    case ScrollBarPart::Thumb:
      if (thumbSize == 0) return {};
      from = thumbPos;
      to = thumbPos + thumbSize;
      break;
    case ScrollBarPart::PageUp:
      from = arrowSize;
      to = thumbSize ? thumbPos : length - arrowSize;
      break;
    case ScrollBarPart::PageDown:
      if (thumbSize == 0) return {};
      from = thumbPos + thumbSize;
      to = length - arrowSize;
      break;
  }
  if (to <= from) return {};
  return vertical ? Rect{rect.left, rect.top + from, rect.right, rect.top + to}
                  : Rect{rect.left + from, rect.top, rect.left + to, rect.bottom};
}

ScrollBarPart ScrollBarGeometry::PartAt(Point p) const {
  if (!rect.Contains(p)) return ScrollBarPart::None;
  for (ScrollBarPart part : {ScrollBarPart::LineUp, ScrollBarPart::LineDown, ScrollBarPart::Thumb,
                             ScrollBarPart::PageUp, ScrollBarPart::PageDown}) {
    if (PartRect(part).Contains(p)) return part;
  }
  return ScrollBarPart::None;
}

std::optional<ScrollBarGeometry> GetScrollBarGeometry(HWND h, int bar) {
  const ScrollBarState* s = FindScrollBarState(h, bar);
  if (!s) return std::nullopt;
  const NonClientLayout layout = GetNonClientLayout(h);
  ScrollBarGeometry g;
  g.bar = bar;
  g.vertical = bar == SB_VERT;
  g.rect = g.vertical ? layout.vScroll : layout.hScroll;
  if (g.rect.IsEmpty()) return std::nullopt;

  const int length = g.Length();
  const int arrow = GetSystemMetrics(g.vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
  if (length < 2 * arrow + kMinThumb) {
    // Too short for a thumb: the arrows share the length.
    g.arrowSize = std::min(arrow, length / 2);
    return g;
  }
  g.arrowSize = arrow;
  if (s->disabledArrows == ESB_DISABLE_BOTH) return g;  // a disabled bar has no thumb
  const int track = length - 2 * arrow;
  int thumb = s->page ? MulDiv(track, s->page, s->max - s->min + 1) : arrow;
  thumb = std::max(thumb, kMinThumb);
  if (thumb > track) return g;
  const int value = s->thumbTracking ? s->trackPos : s->pos;
  const int maxPos = MaxPosition(*s);
  const int room = track - thumb;
  g.thumbSize = thumb;
  g.thumbPos = arrow + (s->min >= maxPos ? 0 : MulDiv(room, std::clamp(value, s->min, maxPos) - s->min, maxPos - s->min));
  return g;
}

int ScrollValueAtThumb(const ScrollBarGeometry& g, const ScrollBarState& s, int thumbPos) {
  const int room = g.Length() - 2 * g.arrowSize - g.thumbSize;
  const int maxPos = MaxPosition(s);
  if (room <= 0 || g.thumbSize == 0 || s.min >= maxPos) return s.min;
  const int offset = std::clamp(thumbPos - g.arrowSize, 0, room);
  return s.min + MulDiv(offset, maxPos - s.min, room);
}

bool GetScrollBarInfo(HWND h, std::int32_t idObject, SCROLLBARINFO& info) {
  const int bar = idObject == OBJID_VSCROLL ? SB_VERT : idObject == OBJID_HSCROLL ? SB_HORZ : -1;
  const ScrollBarState* s = FindScrollBarState(h, bar);
  if (!s) return false;
  info = SCROLLBARINFO{};
  const std::optional<ScrollBarGeometry> g = GetScrollBarGeometry(h, bar);
  if (!g || !(GetWindowStyle(h) & StyleBit(bar))) {
    info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
    return true;
  }
  const Rect window = GetWindowRect(h);
  info.rcScrollBar = g->rect.Offset(window.left, window.top);
  info.dxyLineButton = g->arrowSize;
  info.xyThumbTop = g->thumbPos;
  info.xyThumbBottom = g->thumbPos + g->thumbSize;
  if (!IsWindowVisible(h)) info.rgstate[0] |= STATE_SYSTEM_INVISIBLE;
  if (s->disabledArrows == ESB_DISABLE_BOTH) info.rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
  if (s->disabledArrows & ESB_DISABLE_LTUP) info.rgstate[1] |= STATE_SYSTEM_UNAVAILABLE;
  if (s->disabledArrows & ESB_DISABLE_RTDN) info.rgstate[5] |= STATE_SYSTEM_UNAVAILABLE;
  if (g->thumbSize == 0) info.rgstate[3] |= STATE_SYSTEM_INVISIBLE;
  static constexpr ScrollBarPart kParts[] = {ScrollBarPart::LineUp, ScrollBarPart::PageUp, ScrollBarPart::Thumb,
                                             ScrollBarPart::PageDown, ScrollBarPart::LineDown};
  for (int i = 0; i < 5; ++i) {
    if (s->pressedPart == static_cast<int>(kParts[i])) info.rgstate[i + 1] |= STATE_SYSTEM_PRESSED;
  }
  return true;
}

}  // namespace tappomat
