#include "skin/adapters/scroll_window.h"

#include <algorithm>

#include "gdi/blit.h"
#include "gdi/system_colors.h"
#include "skin/adapters/scroll_bar_paint.h"
#include "skin/adapters/scroll_tracking.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "ui/win_control.h"
#include "win/input.h"
#include "win/paint.h"
#include "win/scroll_bar.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

constexpr UINT kScrollCommandMask = 0xFFF0;

}  // namespace

TacScrollWnd::TacScrollWnd(HWND window, TsCommonData* data, const std::string& section,
                           TsSkinManager* manager)
    : TacMainWnd(window, data, section, manager) {}

TacScrollWnd::~TacScrollWnd() { Detach(); }

bool TacScrollWnd::Active() const {
  return m_bars[0] != nullptr && SkinData().Skinned() && SkinManager() != nullptr &&
         SkinManager()->SkinActive();
}

int TacScrollWnd::Thickness() const { return ScrollBarThickness(SkinManager()); }

int TacScrollWnd::GeometryButton(int orientation) const {
  return ButtonLengthForGeometry(SkinManager()->Tables(), orientation == kVerticalBar, Thickness());
}

int TacScrollWnd::PaintedButton(int orientation) const {
  return ButtonLengthForPainting(SkinManager()->Tables(), orientation == kVerticalBar, Thickness());
}

void TacScrollWnd::ReadValues(int orientation) {
  Bar* bar = m_bars[static_cast<std::size_t>(orientation)].get();
  if (bar == nullptr) return;
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(Handle(), orientation == kVerticalBar ? SB_VERT : SB_HORZ, info)) return;
  bar->values = {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos, info.nTrackPos};
}

bool TacScrollWnd::BarEnabled(int orientation) const {
  if (OwnerControl() != nullptr && !OwnerControl()->Enabled()) return false;
  SCROLLBARINFO info;
  if (!GetScrollBarInfo(Handle(), orientation == kVerticalBar ? OBJID_VSCROLL : OBJID_HSCROLL,
                        info))
    return (GetWindowStyle(Handle()) & (orientation == kVerticalBar ? WS_VSCROLL : WS_HSCROLL)) !=
           0;
  return !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}

bool TacScrollWnd::BarVisible(int bar) const {
  const Bar* record = m_bars[bar == SB_VERT ? kVerticalBar : kHorizontalBar].get();
  return record != nullptr && record->visible;
}

Rect TacScrollWnd::BarRect(int bar) const {
  const Rect window = GetWindowRect(Handle());
  return bar == SB_VERT ? VerticalBarRect(window, m_frame) : HorizontalBarRect(window, m_frame);
}

// The size grip shows in the corner box when the box closes off the client area of a
// top-level parent at its bottom corner on the vertical bar's side.
bool TacScrollWnd::CornerHasGrip() const {
  const Rect box = CornerBoxRect(GetWindowRect(Handle()), m_frame);
  if (box.IsEmpty()) return false;
  const HWND parent = GetParent(Handle());
  if (parent == kNullWindow || !(GetWindowStyle(Handle()) & WS_CHILD)) return false;
  if (GetWindowStyle(parent) & WS_CHILD) return false;
  const Rect client = GetClientRect(parent);
  const Point corner =
      ClientToScreen(parent, {m_frame.leftScrollBar ? client.left : client.right, client.bottom});
  return box.bottom == corner.y &&
         (m_frame.leftScrollBar ? box.left == corner.x : box.right == corner.x);
}

// The window's own background behind a point of the window (window coordinates): what the
// window answers to the background query, else its colour.
ParentBackground TacScrollWnd::BackgroundAt(Point windowPoint, TacBGInfo& info) const {
  info = TacBGInfo{};
  info.offset = windowPoint;
  const LRESULT answered = SendMessage(Handle(), WM_SKIN, SkinWParam(SkinCode::QueryBackground),
                                       reinterpret_cast<LPARAM>(&info));
  if (answered != 0 && info.kind != BackgroundKind::NotNow) return ToParentBackground(info);
  ParentBackground background;
  background.fill =
      OwnerControl() != nullptr ? ColorToRGB(OwnerControl()->Color()) : GetSysColor(COLOR_WINDOW);
  return background;
}

// --- attaching

void TacScrollWnd::Attached(bool repaint) {
  for (int o = 0; o < 2; ++o) {
    m_bars[static_cast<std::size_t>(o)] = std::make_unique<Bar>();
    m_bars[static_cast<std::size_t>(o)]->orientation = o;
    ReadValues(o);
  }
  const std::uint32_t style = GetWindowStyle(Handle());
  m_bars[kHorizontalBar]->styleFlag = (style & WS_HSCROLL) != 0;
  m_bars[kVerticalBar]->styleFlag = (style & WS_VSCROLL) != 0;
  m_frame.leftScrollBar = (GetWindowExStyle(Handle()) & WS_EX_LEFTSCROLLBAR) != 0;
  m_thumbDragging = false;
  if (repaint)
    SetWindowPos(Handle(), kNullWindow, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TacScrollWnd::Detaching() {
  ScrollTrackingState& tracking = ScrollTracking();
  if (tracking.window == Handle()) {
    KillOwnTimers();
    if (tracking.pressedPart != kPartNone && GetCapture() == Handle()) ReleaseCapture();
    tracking = ScrollTrackingState{};
  }
  m_bars = {};
  m_thumbDragging = false;
  // The window system lays out and paints its own bars again.
  if (IsWindowVisible(Handle()))
    SetWindowPos(Handle(), kNullWindow, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TacScrollWnd::KillOwnTimers() {
  KillTimer(Handle(), kScrollHoverTimer);
  KillTimer(Handle(), kScrollFirstRepeatTimer);
  KillTimer(Handle(), kScrollRepeatTimer);
}

// --- non-client calculation and hit-testing

void TacScrollWnd::CalcSize(TMessage& message) {
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
  if (params == nullptr) {
    CallPrevious(message);
    return;
  }
  const Rect before = params->rgrc[0];
  const std::uint32_t style = GetWindowStyle(Handle());
  // The window system must not reserve room for its own bars: this adapter does.
  if (style & (WS_HSCROLL | WS_VSCROLL)) {
    const QuietStyleWithout withoutBars(Handle(), WS_HSCROLL | WS_VSCROLL);
    m_inCalculation = true;
    CallPrevious(message);
    m_inCalculation = false;
  } else {
    CallPrevious(message);
  }
  Rect& client = params->rgrc[0];
  m_frame.left = client.left - before.left;
  m_frame.top = client.top - before.top;
  m_frame.right = before.right - client.right;
  m_frame.bottom = before.bottom - client.bottom;
  m_frame.thickness = Thickness();
  const int t = m_frame.thickness;
  Bar& v = *m_bars[kVerticalBar];
  v.styleFlag = (style & WS_VSCROLL) != 0;
  v.visible = v.styleFlag && client.Width() >= t;
  if (v.visible) (m_frame.leftScrollBar ? client.left += t : client.right -= t);
  Bar& h = *m_bars[kHorizontalBar];
  h.styleFlag = (style & WS_HSCROLL) != 0;
  h.visible = h.styleFlag && client.Height() >= t;
  if (h.visible) client.bottom -= t;
  m_frame.vVisible = v.visible;
  m_frame.hVisible = h.visible;
}

LRESULT TacScrollWnd::HitTest(Point screen) {
  const Rect window = GetWindowRect(Handle());
  if (m_frame.hVisible && HorizontalBarRect(window, m_frame).Contains(screen))
    return BarEnabled(kHorizontalBar) ? HTHSCROLL : HTNOWHERE;
  if (m_frame.vVisible && VerticalBarRect(window, m_frame).Contains(screen))
    return BarEnabled(kVerticalBar) ? HTVSCROLL : HTNOWHERE;
  if (CornerBoxRect(window, m_frame).Contains(screen) && CornerHasGrip()) return HTBOTTOMRIGHT;
  return CallPrevious(WM_NCHITTEST, 0, LParamFromPoint(screen));
}

// --- painting

void TacScrollWnd::RefreshScrollBars() {
  if (!Active() || !IsWindowVisible(Handle()) || SkinData().Updating()) return;
  ReadValues(kHorizontalBar);
  ReadValues(kVerticalBar);
  PaintScrollBars(nullptr);
}

void TacScrollWnd::PaintScrollBars(DeviceContext* windowDc) {
  if (!Active()) return;
  std::optional<DeviceContext> own;
  if (windowDc == nullptr) {
    own = GetWindowDC(Handle());
    if (!own) return;
    windowDc = &*own;
  }
  PaintBar(*windowDc, kHorizontalBar);
  PaintBar(*windowDc, kVerticalBar);
  if (m_frame.hVisible && m_frame.vVisible) PaintCorner(*windowDc);
}

void TacScrollWnd::PaintBar(int orientation) {
  if (std::optional<DeviceContext> dc = GetWindowDC(Handle())) PaintBar(*dc, orientation);
}

void TacScrollWnd::PaintBar(DeviceContext& dc, int orientation) {
  const Bar& bar = *m_bars[static_cast<std::size_t>(orientation)];
  if (m_thumbDragging && orientation == ScrollTracking().pressedOrientation &&
      !m_dragPicture.IsEmpty()) {
    // The drag paints this bar; a frame repaint meanwhile shows the dragged look again.
    BitBlt(dc, m_dragPlace.x, m_dragPlace.y, m_dragPicture.Width(), m_dragPicture.Height(),
           m_dragPicture, 0, 0, SRCCOPY);
    return;
  }
  if (!bar.visible) return;
  const Rect window = GetWindowRect(Handle());
  const Rect place = (orientation == kVerticalBar ? VerticalBarRect(window, m_frame)
                                                  : HorizontalBarRect(window, m_frame))
                         .Offset(-window.left, -window.top);
  if (BarLengthOf(orientation, place) <= 1) return;
  ReadValues(orientation);
  ScrollBarLook look;
  look.vertical = orientation == kVerticalBar;
  look.thickness = m_frame.thickness;
  look.length = BarLengthOf(orientation, place);
  look.geometryButton = GeometryButton(orientation);
  look.paintedButton = PaintedButton(orientation);
  look.values = bar.values;
  look.enabled = BarEnabled(orientation);
  const ScrollTrackingState& tracking = ScrollTracking();
  if (tracking.window == Handle()) {
    const int shown = tracking.pressedOrientation == orientation ? tracking.shownPart : kPartNone;
    const int hovered = tracking.hoverOrientation == orientation ? tracking.hoveredPart : kPartNone;
    const auto arrowState = [&](int part) {
      return shown == part ? 2 : (hovered == part && look.enabled) ? 1 : 0;
    };
    look.firstArrowState = arrowState(kPartFirstArrow);
    look.secondArrowState = arrowState(kPartSecondArrow);
    look.thumbState = hovered == kPartThumb && look.enabled ? 1 : 0;
    look.shownPart = shown;
  }
  TacBGInfo info;
  look.background = BackgroundAt(place.TopLeft(), info);
  const Bitmap32 picture = PaintScrollBar(SkinManager()->Tables(), look);
  if (!picture.IsEmpty())
    BitBlt(dc, place.left, place.top, picture.Width(), picture.Height(), picture, 0, 0, SRCCOPY);
}

void TacScrollWnd::PaintCorner(DeviceContext& dc) {
  const Rect window = GetWindowRect(Handle());
  const Rect box = CornerBoxRect(window, m_frame).Offset(-window.left, -window.top);
  if (box.IsEmpty()) return;
  TacBGInfo info;
  const ParentBackground background = BackgroundAt(box.TopLeft(), info);
  const Bitmap32 picture =
      PaintCornerBox(SkinManager()->Tables(), m_frame.thickness, background, CornerHasGrip());
  if (!picture.IsEmpty())
    BitBlt(dc, box.left, box.top, picture.Width(), picture.Height(), picture, 0, 0, SRCCOPY);
}

// --- messages

void TacScrollWnd::WndProc(TMessage& m) {
  if (m_bars[0] == nullptr || !SkinData().Skinned()) {
    TacMainWnd::WndProc(m);
    return;
  }
  ScrollTrackingState& tracking = ScrollTracking();
  const auto afterwards = [&](bool unlessSuppressed) {
    TacMainWnd::WndProc(m);
    if (!(unlessSuppressed && m_scrollSuppressed)) RefreshScrollBars();
  };
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      CalcSize(m);
      return;
    case WM_NCHITTEST:
      m.Result = HitTest(PointFromLParam(m.LParam));
      return;
    case WM_NCPAINT:
      TacMainWnd::WndProc(m);
      if (IsWindowVisible(Handle()) && !m_inCalculation && !SkinData().Updating())
        PaintScrollBars(nullptr);
      return;
    case WM_NCMOUSEMOVE:
      if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL)
        HoverStart(m.WParam == HTVSCROLL ? kVerticalBar : kHorizontalBar);
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
        Press(static_cast<int>(m.WParam), PointFromLParam(m.LParam));
        m.Result = 0;
        return;
      }
      break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
        m.Result = 0;
        return;
      }
      break;
    case WM_SYSCOMMAND:
      // The window system's own scroll loop must never start on a skinned bar.
      if ((m.WParam & kScrollCommandMask) == SC_VSCROLL ||
          (m.WParam & kScrollCommandMask) == SC_HSCROLL) {
        m.Result = 0;
        return;
      }
      break;
    case WM_MOUSEMOVE:
      if (m_thumbDragging && tracking.window == Handle()) {
        DragTo(ClientToScreen(Handle(), PointFromLParam(m.LParam)));
        m.Result = 0;
        return;
      }
      if (tracking.window == Handle() && tracking.pressedPart >= kPartFirstArrow &&
          tracking.pressedPart <= kPartTrackAfter)
        PressedPointerMove(ClientToScreen(Handle(), PointFromLParam(m.LParam)));
      break;
    case WM_LBUTTONUP:
      EndScrollPress();
      break;
    case WM_CAPTURECHANGED:
      // Someone else took the mouse: the press ends as if the button went up, so the
      // repetition stops and the window hears the end of the scrolling.
      EndScrollPress();
      break;
    case WM_TIMER:
      switch (m.WParam) {
        case kScrollHoverTimer:
          HoverTick();
          return;
        case kScrollFirstRepeatTimer:
          KillTimer(Handle(), kScrollFirstRepeatTimer);
          tracking.repeatTimer = SetTimer(Handle(), kScrollRepeatTimer, kScrollRepeatPeriod);
          return;
        case kScrollRepeatTimer:
          RepeatTick();
          return;
        default:
          break;
      }
      break;
    case WM_STYLECHANGED:
      m_frame.leftScrollBar = (GetWindowExStyle(Handle()) & WS_EX_LEFTSCROLLBAR) != 0;
      break;
    case WM_UPDATEUISTATE:
      m.Result = 0;
      return;
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      afterwards(true);
      return;
    case WM_MOUSEWHEEL:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      afterwards(false);
      return;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
}

}  // namespace tappomat
