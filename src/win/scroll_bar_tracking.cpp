// The mouse on a window scroll bar:
//   arrow      SB_LINEUP / SB_LINEDOWN at once, again after 350 ms and then every 50 ms
//              while the button is held over the arrow (drawn pushed while it is)
//   page area  SB_PAGEUP / SB_PAGEDOWN likewise, while the pointer stays over that page
//              area, so the repeats stop when the thumb reaches the pointer
//   thumb      SB_THUMBTRACK with the new position (HIWORD(wParam) and nTrackPos) each
//              time it changes while dragging, SB_THUMBPOSITION on release
// and SB_ENDSCROLL after each of them. Messages go to the window with lParam 0; the
// position itself changes only when the window calls SetScrollInfo.
#include "win/mouse_loop.h"
#include "win/paint.h"
#include "win/scroll_bar.h"

namespace tappomat {
namespace {

constexpr std::uintptr_t kRepeatTimer = 0xFFFE;
constexpr UINT kFirstRepeatMs = 350;
constexpr UINT kRepeatMs = 50;

int RequestFor(ScrollBarPart part) {
  switch (part) {
    case ScrollBarPart::LineUp: return SB_LINEUP;
    case ScrollBarPart::LineDown: return SB_LINEDOWN;
    case ScrollBarPart::PageUp: return SB_PAGEUP;
    case ScrollBarPart::PageDown: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
  }
}

Point ToWindow(HWND h, Point screen) {
  const Rect window = GetWindowRect(h);
  return {screen.x - window.left, screen.y - window.top};
}

class ScrollTracker {
 public:
  ScrollTracker(HWND h, int bar) : m_h(h), m_bar(bar), m_message(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL) {}

  void Track(Point screen) {
    const std::optional<ScrollBarGeometry> g = GetScrollBarGeometry(m_h, m_bar);
    const ScrollBarState* s = FindScrollBarState(m_h, m_bar);
    if (!g || !s) return;
    m_pointer = ToWindow(m_h, screen);
    m_part = g->PartAt(m_pointer);
    if (m_part == ScrollBarPart::None || IsDisabled(*s)) return;
    if (m_part == ScrollBarPart::Thumb) {
      TrackThumb(*g, *s);
    } else {
      TrackRepeating();
    }
    SetPressed(ScrollBarPart::None);
    Send(SB_ENDSCROLL, 0);
  }

 private:
  bool IsDisabled(const ScrollBarState& s) const {
    if (s.disabledArrows == ESB_DISABLE_BOTH) return true;
    if (m_part == ScrollBarPart::LineUp) return (s.disabledArrows & ESB_DISABLE_LTUP) != 0;
    if (m_part == ScrollBarPart::LineDown) return (s.disabledArrows & ESB_DISABLE_RTDN) != 0;
    return false;
  }

  void Send(int request, int position) {
    if (IsWindow(m_h)) SendMessage(m_h, m_message, MAKEWPARAM(request, position), 0);
  }

  void SetPressed(ScrollBarPart part) {
    ScrollBarState* s = FindScrollBarState(m_h, m_bar);
    if (!s || s->pressedPart == static_cast<int>(part)) return;
    s->pressedPart = static_cast<int>(part);
    InvalidateNonClient(m_h);
  }

  // The pointer is over the held part; for page areas the thumb has moved meanwhile, so
  // the geometry is taken afresh.
  bool OverHeldPart() const {
    const std::optional<ScrollBarGeometry> g = GetScrollBarGeometry(m_h, m_bar);
    return g && g->PartAt(m_pointer) == m_part;
  }

  void TrackRepeating() {
    const int request = RequestFor(m_part);
    SetPressed(m_part);
    Send(request, 0);
    if (!IsWindow(m_h)) return;
    SetTimer(m_h, kRepeatTimer, kFirstRepeatMs);
    MouseLoopHandlers handlers;
    handlers.moved = [this](Point screen) {
      m_pointer = ToWindow(m_h, screen);
      SetPressed(OverHeldPart() ? m_part : ScrollBarPart::None);
    };
    handlers.timer = [this, request](std::uintptr_t id) {
      if (id != kRepeatTimer) return;
      SetTimer(m_h, kRepeatTimer, kRepeatMs);
      const bool over = OverHeldPart();
      SetPressed(over ? m_part : ScrollBarPart::None);
      if (over) Send(request, 0);
    };
    RunMouseLoop(m_h, handlers);
    if (IsWindow(m_h)) KillTimer(m_h, kRepeatTimer);
  }

  void TrackThumb(const ScrollBarGeometry& start, const ScrollBarState& state) {
    const int grip = start.Along(m_pointer) - start.thumbPos;
    int value = state.pos;
    if (ScrollBarState* s = FindScrollBarState(m_h, m_bar)) {
      s->thumbTracking = true;
      s->trackPos = value;
    }
    SetPressed(ScrollBarPart::Thumb);
    MouseLoopHandlers handlers;
    handlers.moved = [&](Point screen) {
      ScrollBarState* s = FindScrollBarState(m_h, m_bar);
      if (!s) return;
      const int now = ScrollValueAtThumb(start, *s, start.Along(ToWindow(m_h, screen)) - grip);
      if (now == value) return;
      value = now;
      s->trackPos = now;
      InvalidateNonClient(m_h);
      Send(SB_THUMBTRACK, now);
    };
    const LoopEnd end = RunMouseLoop(m_h, handlers);
    if (end == LoopEnd::Finished) Send(SB_THUMBPOSITION, value);
    if (ScrollBarState* s = FindScrollBarState(m_h, m_bar)) s->thumbTracking = false;
  }

  HWND m_h;
  int m_bar;
  UINT m_message;
  ScrollBarPart m_part = ScrollBarPart::None;
  Point m_pointer;  // window coordinates
};

}  // namespace

void TrackScrollBar(HWND h, int bar, Point screenPoint) { ScrollTracker(h, bar).Track(screenPoint); }

}  // namespace tappomat
