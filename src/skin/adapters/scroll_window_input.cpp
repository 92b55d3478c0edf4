// The pointer on the skinned scroll bars of TacScrollWnd: hovering (the hot part follows
// the pointer on a 20 ms timer), pressing an arrow or the track (one scroll at once, again
// after 300 ms, then every 55 ms while the pointer stays on the pressed part), dragging the
// thumb (the bar painted at the pointer, thumb-track positions sent), releasing, and the
// sending of each scroll message with the skin messages around it.
#include <algorithm>

#include "gdi/blit.h"
#include "skin/adapters/scroll_bar_paint.h"
#include "skin/adapters/scroll_tracking.h"
#include "skin/adapters/scroll_window.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_message.h"
#include "win/input.h"
#include "win/paint.h"
#include "win/scroll_bar.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

// Scroll codes the adapter sends besides the part codes.
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kEndScroll = 8;

}  // namespace

// --- hovering

void TacScrollWnd::HoverStart(int orientation) {
  ScrollTrackingState& tracking = ScrollTracking();
  const HWND previous = tracking.window;
  if (previous != Handle()) {
    // The pointer came straight from another window's bar: that one stops hovering and
    // loses its hot look, and this one starts afresh even on a bar of the same orientation.
    if (IsWindow(previous)) KillTimer(previous, kScrollHoverTimer);
    tracking.ResetHover();
    tracking.window = Handle();
    if (auto* other = dynamic_cast<TacScrollWnd*>(TacMainWnd::Of(previous));
        other != nullptr && other != this)
      other->PaintScrollBars(nullptr);
  }
  if (orientation == tracking.hoverOrientation) return;
  tracking.hoveredPart = tracking.previousHoveredPart = kPartNone;
  tracking.hoverRect = BarRect(orientation == kVerticalBar ? SB_VERT : SB_HORZ);
  tracking.hoverOrientation = orientation;
  tracking.hoverTimer = SetTimer(Handle(), kScrollHoverTimer, kScrollHoverPeriod);
  PaintScrollBars(nullptr);
}

void TacScrollWnd::HoverTick() {
  ScrollTrackingState& tracking = ScrollTracking();
  if (tracking.window != Handle() || tracking.hoverOrientation < 0) {
    KillTimer(Handle(), kScrollHoverTimer);
    return;
  }
  if (m_thumbDragging) return;
  const Point pointer = GetCursorPos();
  if (tracking.hoverRect.Contains(pointer)) {
    const int o = tracking.hoverOrientation;
    ReadValues(o);
    tracking.hoveredPart = PartAt(m_bars[static_cast<std::size_t>(o)]->values, tracking.hoverRect,
                                  o == kVerticalBar, GeometryButton(o), pointer);
    if (tracking.hoveredPart != tracking.previousHoveredPart) PaintBar(o);
    tracking.previousHoveredPart = tracking.hoveredPart;
    return;
  }
  KillTimer(Handle(), kScrollHoverTimer);
  tracking.ResetHover();
  PaintScrollBars(nullptr);
}

// --- pressing, repeating, dragging, releasing

void TacScrollWnd::Press(int hit, Point screen) {
  ScrollTrackingState& tracking = ScrollTracking();
  const int o = hit == HTVSCROLL ? kVerticalBar : kHorizontalBar;
  tracking.window = Handle();
  tracking.scrollMessage = o == kVerticalBar ? WM_VSCROLL : WM_HSCROLL;
  tracking.pressedOrientation = o;
  ReadValues(o);
  Bar& bar = *m_bars[static_cast<std::size_t>(o)];
  const Rect rect = BarRect(o == kVerticalBar ? SB_VERT : SB_HORZ);
  const int button = GeometryButton(o);
  tracking.pressedPart = PartAt(bar.values, rect, o == kVerticalBar, button, screen);
  if (!BarEnabled(o)) return;
  if (tracking.pressedPart >= kPartFirstArrow && tracking.pressedPart <= kPartTrackAfter) {
    tracking.shownPart = tracking.pressedPart;
    PaintBar(o);
    SendScroll(tracking.pressedPart, 0);
    tracking.shownPart = tracking.pressedPart;
    tracking.repeatTimer = SetTimer(Handle(), kScrollFirstRepeatTimer, kScrollFirstRepeatDelay);
  } else if (tracking.pressedPart == kPartThumb) {
    const ThumbPlace thumb = ThumbOf(bar.values, BarStartOf(o, rect), BarLengthOf(o, rect), button);
    tracking.drag = {thumb.length, thumb.start, rect, AlongBar(o, screen) - thumb.start,
                     bar.values.pos};
    bar.values.trackPos = bar.values.pos;
    m_thumbDragging = true;
  }
  if (tracking.pressedPart != kPartNone) SetCapture(Handle());
}

void TacScrollWnd::PressedPointerMove(Point screen) {
  ScrollTrackingState& tracking = ScrollTracking();
  const int o = tracking.pressedOrientation;
  if (o < 0) return;
  ReadValues(o);
  const int part = PartAt(m_bars[static_cast<std::size_t>(o)]->values,
                          BarRect(o == kVerticalBar ? SB_VERT : SB_HORZ), o == kVerticalBar,
                          GeometryButton(o), screen);
  const int shown = part == tracking.pressedPart ? part : kPartNone;
  if (shown == tracking.shownPart) return;
  tracking.shownPart = shown;
  PaintBar(o);
}

void TacScrollWnd::RepeatTick() {
  ScrollTrackingState& tracking = ScrollTracking();
  PressedPointerMove(GetCursorPos());
  if (tracking.shownPart == kPartNone) return;
  m_scrollSuppressed = true;
  SendScroll(tracking.shownPart, 0);
  m_scrollSuppressed = false;
}

void TacScrollWnd::DragTo(Point screen) {
  ScrollTrackingState& tracking = ScrollTracking();
  const int o = tracking.pressedOrientation;
  const ScrollDrag& drag = tracking.drag;
  const int button = GeometryButton(o);
  const int barStart = BarStartOf(o, drag.bar);
  const int trackStart = barStart + button;
  const int trackLength = BarLengthOf(o, drag.bar) - 2 * button;
  const int thumbStart = std::max(
      trackStart,
      std::min(AlongBar(o, screen) - drag.grabOffset, trackStart + trackLength - drag.thumbLength));

  // The dragging flag keeps every other painting off this bar meanwhile.
  if (std::optional<DeviceContext> dc = GetWindowDC(Handle())) {
    const Rect window = GetWindowRect(Handle());
    ScrollBarLook look;
    look.vertical = o == kVerticalBar;
    look.thickness = m_frame.thickness;
    look.length = BarLengthOf(o, drag.bar);
    look.paintedButton = PaintedButton(o);
    look.geometryButton = button;
    TacBGInfo info;
    const Point place{drag.bar.left - window.left, drag.bar.top - window.top};
    look.background = BackgroundAt(place, info);
    m_dragPicture = PaintDraggedScrollBar(SkinManager()->Tables(), look, thumbStart - barStart,
                                          drag.thumbLength);
    m_dragPlace = place;
    if (!m_dragPicture.IsEmpty())
      BitBlt(*dc, place.x, place.y, m_dragPicture.Width(), m_dragPicture.Height(), m_dragPicture, 0,
             0, SRCCOPY);
  }

  Bar& bar = *m_bars[static_cast<std::size_t>(o)];
  const int position = DragPosition(bar.values, o == kVerticalBar, thumbStart - trackStart,
                                    trackLength, drag.thumbLength);
  if (position != drag.lastTrackPos) {
    bar.values.trackPos = position;
    m_scrollSuppressed = true;
    SendScroll(kThumbTrack, position);
    m_scrollSuppressed = false;
  }
  tracking.drag.lastTrackPos = position;
}

bool TacScrollWnd::ScrollPressUnderway() const {
  const ScrollTrackingState& tracking = ScrollTracking();
  return tracking.window == Handle() && tracking.pressedPart != kPartNone;
}

bool TacScrollWnd::TakeScrollRelease(TMessage& message) {
  if (message.Msg != WM_LBUTTONUP || !ScrollPressUnderway()) return false;
  EndScrollPress();
  message.Result = 0;
  return true;
}

bool TacScrollWnd::EndScrollPress() {
  if (!ScrollPressUnderway() || m_endingPress) return false;
  m_endingPress = true;  // giving the capture back reports the change to this window
  ScrollTrackingState& tracking = ScrollTracking();
  if (GetCapture() == Handle()) ReleaseCapture();
  int endPosition = 0;
  if (tracking.pressedPart == kPartThumb) {
    if (m_thumbDragging) {
      SendScroll(kThumbPosition, tracking.drag.lastTrackPos);
      m_thumbDragging = false;
      m_dragPicture = {};
    }
    endPosition = tracking.drag.lastTrackPos;
  } else {
    KillTimer(Handle(), kScrollFirstRepeatTimer);
    KillTimer(Handle(), kScrollRepeatTimer);
  }
  m_scrollSuppressed = true;
  SendScroll(kEndScroll, endPosition);
  m_scrollSuppressed = false;
  const int o = tracking.pressedOrientation;
  tracking.shownPart = kPartNone;
  if (o >= 0 && m_bars[0] != nullptr) PaintBar(o);
  tracking.ResetPress();
  m_endingPress = false;
  return true;
}

// Tells the window (through the skin message) that the engine scrolls it, sends the scroll
// message as the window's classic bar would, and tells it that the scrolling is done. A
// window that takes the thumb position itself answers 1 and gets the position in lParam;
// for any other the position goes into the window's scroll state first, so that a window
// reading the track position sees positions beyond the 16 bits of the message too.
void TacScrollWnd::SendScroll(int code, int position) {
  const HWND h = Handle();
  const UINT msg = ScrollTracking().scrollMessage;
  const LPARAM notice = MAKELPARAM(code, static_cast<int>(msg));
  LPARAM lParam = position;
  if (SendMessage(h, WM_SKIN, SkinWParam(SkinCode::BeforeScroll), notice) != 1) {
    const int bar = msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(h, bar, info);
    if (code == kThumbTrack) {
      SCROLLINFO setPos;
      setPos.fMask = SIF_POS;
      setPos.nPos = position;
      SetScrollInfo(h, bar, setPos, false);
    }
    lParam = 0;
  }
  SendMessage(h, msg, MAKEWPARAM(code, std::min(position, 65535)), lParam);
  SendMessage(h, WM_SKIN, SkinWParam(SkinCode::AfterScroll), notice);
}

}  // namespace tappomat
