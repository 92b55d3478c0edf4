// The skinned scroll bars on real scrolling windows: the adapter reserves the bar's room
// itself, paints the bar from the skin, and turns presses, holds and drags into the scroll
// messages a classic bar sends, with the same timing; detaching gives the classic bar back.
#include "skin/adapters/scroll_window.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "gdi/system_colors.h"
#include "gdi/system_metrics.h"
#include "skin/adapters/scroll_bar_paint.h"
#include "skin/data/skin_message.h"
#include "skin/skin_fixture.h"
#include "ui/string_grid.h"
#include "win/input.h"
#include "win/paint.h"
#include "win/scroll_bar.h"
#include "win/window_data.h"

namespace tappomat::test {
namespace {

// (message, scroll code, position) of every scroll message the test window got.
using Scroll = std::tuple<UINT, int, int>;
std::vector<Scroll>& Received() {
  static std::vector<Scroll> received;
  return received;
}

// A window that scrolls as an ordinary list does: one line per arrow, ten per page, the
// thumb's position while dragged.
LRESULT ScrollingWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_VSCROLL && msg != WM_HSCROLL) return DefWindowProc(h, msg, wParam, lParam);
  Received().emplace_back(msg, LOWORD(wParam), HIWORD(wParam));
  const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
  int pos = GetScrollPos(h, bar);
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      --pos;
      break;
    case SB_LINEDOWN:
      ++pos;
      break;
    case SB_PAGEUP:
      pos -= 10;
      break;
    case SB_PAGEDOWN:
      pos += 10;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      pos = HIWORD(wParam);
      break;
    default:
      return 0;
  }
  SetScrollPos(h, bar, pos, true);
  return 0;
}

class ScrollWindowTest : public SkinnedControlsTest {
 protected:
  ScrollWindowTest() {
    UseNeutral2();
    RegisterClass(WindowClass{"ScrollingTestWindow", ScrollingWindowProc});
    form->SetBounds(40, 40, 200, 160);
    form->Show();
    Pump();
    window = CreateWindowEx(0, "ScrollingTestWindow", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10,
                            10, 100, 120, form->Handle());
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 99;
    info.nPage = 10;
    SetScrollInfo(window, SB_VERT, info, true);
    Pump();
    Received().clear();
  }
  ~ScrollWindowTest() override { adapter.reset(); }

  void AttachAdapter() {
    adapter = std::make_unique<TacScrollWnd>(window, nullptr, "EDIT", manager);
    adapter->Attach(true);
    Pump();
  }
  int T() const { return ScrollBarThickness(manager); }
  Rect Bar() const { return adapter->BarRect(SB_VERT); }
  Point OnSecondArrow() const { return {Bar().left + T() / 2, Bar().bottom - T() / 2}; }
  Point InClient() const { return ClientToScreen(window, {20, 20}); }
  ScrollValues Values() const {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, SB_VERT, info);
    return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos, info.nTrackPos};
  }
  // The classic bar's place on the screen.
  Rect ClassicBar() const {
    const Rect w = GetWindowRect(window);
    return GetScrollBarGeometry(window, SB_VERT)->rect.Offset(w.left, w.top);
  }

  // What the screen shows in `area` (screen coordinates) once everything due is served.
  Bitmap32 OnScreen(const Rect& area) {
    Pump();
    const auto* top = WindowSystem::Current().Find(form->Handle());
    const Bitmap32& all = platform.Window(top->top.native)->pixels;
    const Rect formRect = GetWindowRect(form->Handle());
    Bitmap32 part(area.Width(), area.Height());
    for (int y = 0; y < part.Height(); ++y)
      for (int x = 0; x < part.Width(); ++x)
        part.At(x, y) = all.At(area.left - formRect.left + x, area.top - formRect.top + y);
    return part;
  }

  // The bar as the skin paints it in these states, over the window's colour.
  Bitmap32 SkinBar(int firstArrow, int secondArrow, int thumb, bool enabled = true) {
    ScrollBarLook look;
    look.vertical = true;
    look.thickness = T();
    look.length = Bar().Height();
    look.geometryButton = look.paintedButton = T();
    look.values = Values();
    look.enabled = enabled;
    look.firstArrowState = firstArrow;
    look.secondArrowState = secondArrow;
    look.thumbState = thumb;
    look.background.fill = GetSysColor(COLOR_WINDOW);
    return PaintScrollBar(Tables(), look);
  }

  int Count(int code) const {
    int n = 0;
    for (const Scroll& s : Received()) n += std::get<1>(s) == code;
    return n;
  }

  HWND window;
  std::unique_ptr<TacScrollWnd> adapter;
};

TEST_F(ScrollWindowTest, TheBarIsPaintedFromTheSkinInsteadOfTheClassicBar) {
  const Bitmap32 classic = OnScreen(ClassicBar());
  AttachAdapter();
  ASSERT_TRUE(adapter->BarVisible(SB_VERT));
  EXPECT_EQ(Bar(), ClassicBar()) << "the same room as the classic bar";
  const Bitmap32 shown = OnScreen(Bar());
  EXPECT_TRUE(SameColors(shown, SkinBar(0, 0, 0)));
  EXPECT_FALSE(SameColors(shown, classic));
  for (Pixel p : shown.Pixels()) ASSERT_FALSE(IsFuchsia(p)) << "no key colour shows";
}

TEST_F(ScrollWindowTest, HoldingAnArrowRepeatsAfter300And55MillisecondsWhileThePointerStaysOnIt) {
  AttachAdapter();
  platform.UserMove(OnSecondArrow());
  platform.UserButton(OnSecondArrow(), MouseButton::Left, true);
  Pump();
  EXPECT_EQ(Count(SB_LINEDOWN), 1) << "one line at the press";
  EXPECT_TRUE(SameColors(OnScreen(Bar()), SkinBar(0, 2, 0))) << "the arrow shows pressed";
  // The driven clock jumps: step onto each firing so that every timer starts on time.
  Wait(299);
  EXPECT_EQ(Count(SB_LINEDOWN), 1);
  Wait(1);
  EXPECT_EQ(Count(SB_LINEDOWN), 1) << "the first delay sends nothing by itself";
  Wait(54);
  EXPECT_EQ(Count(SB_LINEDOWN), 1);
  Wait(1);
  EXPECT_EQ(Count(SB_LINEDOWN), 2) << "the next one 355 ms after the press";
  Wait(55);
  EXPECT_EQ(Count(SB_LINEDOWN), 3);
  Wait(55);
  EXPECT_EQ(Count(SB_LINEDOWN), 4);

  platform.UserMove(InClient());
  Pump();
  EXPECT_FALSE(SameColors(OnScreen(Bar()), SkinBar(0, 2, 0))) << "off the arrow it shows unpressed";
  Wait(165);
  EXPECT_EQ(Count(SB_LINEDOWN), 4) << "paused while the pointer is off the arrow";
  EXPECT_TRUE(SameColors(OnScreen(Bar()), SkinBar(0, 0, 0))) << "neither pressed nor hot";
  platform.UserMove(OnSecondArrow());
  Pump();
  Wait(55);
  EXPECT_EQ(Count(SB_LINEDOWN), 5) << "resumed";

  platform.UserButton(OnSecondArrow(), MouseButton::Left, false);
  Pump();
  ASSERT_FALSE(Received().empty());
  EXPECT_EQ(Received().back(), (Scroll{WM_VSCROLL, SB_ENDSCROLL, 0}));
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 5);
  Wait(200);
  EXPECT_EQ(Count(SB_LINEDOWN), 5) << "nothing after the release";
  EXPECT_EQ(GetCapture(), kNullWindow);
}

TEST_F(ScrollWindowTest, LosingTheMouseEndsAnArrowPress) {
  AttachAdapter();
  platform.UserMove(OnSecondArrow());
  platform.UserButton(OnSecondArrow(), MouseButton::Left, true);
  Pump();
  ASSERT_EQ(Count(SB_LINEDOWN), 1);
  SetCapture(form->Handle());
  Pump();
  EXPECT_EQ(Received().back(), (Scroll{WM_VSCROLL, SB_ENDSCROLL, 0}));
  Wait(300);
  Wait(55);
  Wait(55);
  EXPECT_EQ(Count(SB_LINEDOWN), 1) << "no repetition without the mouse";
  EXPECT_EQ(GetCapture(), form->Handle()) << "the new owner keeps the mouse";
  ReleaseCapture();
}

TEST_F(ScrollWindowTest, DraggingTheThumbSendsTrackPositionsAndTheReleaseEndsWithTheLastOne) {
  AttachAdapter();
  const Rect bar = Bar();
  const ScrollValues values = Values();
  const ThumbPlace thumb = ThumbOf(values, bar.top, bar.Height(), T());
  const int track = bar.Height() - 2 * T();
  const Point grab{bar.left + T() / 2, thumb.start + 5};
  platform.UserMove(grab);
  platform.UserButton(grab, MouseButton::Left, true);
  Pump();
  EXPECT_TRUE(Received().empty()) << "a press on the thumb sends nothing yet";
  EXPECT_TRUE(adapter->ThumbDragging());

  platform.UserMove({grab.x, grab.y + 10});
  Pump();
  const int firstPos =
      DragPosition(values, true, thumb.start + 10 - bar.top - T(), track, thumb.length);
  ASSERT_EQ(Received().size(), 1u);
  EXPECT_EQ(Received().back(), (Scroll{WM_VSCROLL, SB_THUMBTRACK, firstPos}));
  EXPECT_EQ(firstPos, ScrollMulDiv(10, 99 - 10 + 2, track - thumb.length));

  platform.UserMove({grab.x, grab.y + 500});
  Pump();
  EXPECT_EQ(Received().back(), (Scroll{WM_VSCROLL, SB_THUMBTRACK, 99 - 10 + 2}))
      << "one past the last position";
  const Bitmap32 dragged = OnScreen(bar);

  platform.UserButton({grab.x, grab.y + 500}, MouseButton::Left, false);
  Pump();
  const std::vector<Scroll> expected = {{WM_VSCROLL, SB_THUMBTRACK, firstPos},
                                        {WM_VSCROLL, SB_THUMBTRACK, 91},
                                        {WM_VSCROLL, SB_THUMBPOSITION, 91},
                                        {WM_VSCROLL, SB_ENDSCROLL, 91}};
  EXPECT_EQ(Received(), expected);
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 90) << "the window's scroll state clamps it";
  EXPECT_FALSE(adapter->ThumbDragging());

  // While dragged the thumb showed pressed at the track's end.
  ScrollBarLook look;
  look.vertical = true;
  look.thickness = T();
  look.length = bar.Height();
  look.geometryButton = look.paintedButton = T();
  look.background.fill = GetSysColor(COLOR_WINDOW);
  EXPECT_TRUE(SameColors(
      dragged,
      PaintDraggedScrollBar(Tables(), look, bar.Height() - T() - thumb.length, thumb.length)));
}

TEST_F(ScrollWindowTest, HoveringAnArrowShowsItHotUntilThePointerLeavesTheBar) {
  AttachAdapter();
  const Bitmap32 normal = SkinBar(0, 0, 0);
  platform.UserMove(OnSecondArrow());
  Pump();
  Wait(20);
  const Bitmap32 hot = OnScreen(Bar());
  EXPECT_TRUE(SameColors(hot, SkinBar(0, 1, 0)));
  EXPECT_FALSE(SameColors(hot, normal)) << "the skin's hot arrow differs";
  platform.UserMove(InClient());
  Wait(20);
  EXPECT_TRUE(SameColors(OnScreen(Bar()), normal));
}

TEST_F(ScrollWindowTest, MovingStraightToAnotherWindowsBarMovesTheHotLookWithThePointer) {
  AttachAdapter();
  const HWND other =
      CreateWindowEx(0, "ScrollingTestWindow", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 112, 10, 60,
                     120, form->Handle());
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMax = 99;
  info.nPage = 10;
  SetScrollInfo(other, SB_VERT, info, true);
  TacScrollWnd otherAdapter(other, nullptr, "EDIT", manager);
  otherAdapter.Attach(true);
  Pump();
  const Rect otherBar = otherAdapter.BarRect(SB_VERT);
  const Point otherArrow{otherBar.left + T() / 2, otherBar.bottom - T() / 2};

  platform.UserMove(OnSecondArrow());
  Pump();
  Wait(20);
  ASSERT_TRUE(SameColors(OnScreen(Bar()), SkinBar(0, 1, 0)));
  platform.UserMove(otherArrow);
  Pump();
  Wait(20);
  EXPECT_TRUE(SameColors(OnScreen(Bar()), SkinBar(0, 0, 0))) << "the first bar is no longer hot";
  const Bitmap32 otherShown = OnScreen(otherBar);
  // The second bar shows its second arrow hot: it differs from its look once the pointer left.
  platform.UserMove(InClient());
  Wait(20);
  EXPECT_FALSE(SameColors(otherShown, OnScreen(otherBar))) << "the second bar was hot";
}

TEST_F(ScrollWindowTest, TheLeftScrollBarStyleTakesTheBarToTheLeftWhenItChanges) {
  AttachAdapter();
  const Rect w = GetWindowRect(window);
  EXPECT_EQ(Bar().right, w.right);
  SetWindowExStyle(window, GetWindowExStyle(window) | WS_EX_LEFTSCROLLBAR);
  SetWindowPos(window, kNullWindow, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Pump();
  EXPECT_EQ(Bar(), (Rect{w.left, w.top, w.left + T(), w.bottom}));
  EXPECT_EQ(GetClientRectInWindow(window), (Rect{T(), 0, 100, 120}));
  EXPECT_TRUE(SameColors(OnScreen(Bar()), SkinBar(0, 0, 0)));
}

TEST_F(ScrollWindowTest, ADisabledBarAnswersNowhereAndIsBlendedIntoItsBackground) {
  const Point middle{ClassicBar().left + 5, ClassicBar().top + 60};
  EnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH);
  AttachAdapter();
  EXPECT_EQ(SendMessage(window, WM_NCHITTEST, 0, LParamFromPoint(middle)), HTNOWHERE);
  EXPECT_TRUE(SameColors(OnScreen(Bar()), SkinBar(0, 0, 0, false)));
  EnableScrollBar(window, SB_VERT, ESB_ENABLE_BOTH);
  EXPECT_EQ(SendMessage(window, WM_NCHITTEST, 0, LParamFromPoint(middle)), HTVSCROLL);
}

TEST_F(ScrollWindowTest, DetachingGivesTheWindowItsClassicBarBack) {
  const Rect classicRect = ClassicBar();
  const Bitmap32 classic = OnScreen(classicRect);
  const Rect classicClient = GetClientRect(window);
  manager->ScrollsOptions.ScrollSize = 24;
  AttachAdapter();
  EXPECT_EQ(GetClientRect(window).Width(), 100 - 24);
  adapter->Detach();
  Pump();
  EXPECT_EQ(GetClientRect(window), classicClient);
  EXPECT_TRUE(SameColors(OnScreen(classicRect), classic));
  const Point middle{classicRect.left + 5, classicRect.top + 60};
  EXPECT_EQ(SendMessage(window, WM_NCHITTEST, 0, LParamFromPoint(middle)), HTVSCROLL);
}

// Records the skin messages around the engine's scroll messages, and can take the
// thumb position itself (answering 1).
class FramingAdapter : public TacScrollWnd {
 public:
  using TacScrollWnd::TacScrollWnd;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKIN && (SkinCodeOf(m.WParam) == SkinCode::BeforeScroll ||
                             SkinCodeOf(m.WParam) == SkinCode::AfterScroll)) {
      seen.push_back({static_cast<int>(SkinCodeOf(m.WParam)), static_cast<int>(LOWORD(m.LParam)),
                      static_cast<int>(HIWORD(m.LParam))});
      m.Result = takesPosition && SkinCodeOf(m.WParam) == SkinCode::BeforeScroll ? 1 : 0;
      return;
    }
    if (m.Msg == WM_VSCROLL) {
      seen.push_back({static_cast<int>(m.Msg), LOWORD(m.WParam), static_cast<int>(m.LParam)});
      statePosition = GetScrollPos(Handle(), SB_VERT);
    }
    TacScrollWnd::WndProc(m);
  }
  bool takesPosition = false;
  std::vector<std::tuple<int, int, int>> seen;  // code or message, scroll code, message or lParam
  int statePosition = -1;
};

TEST_F(ScrollWindowTest,
       EachScrollMessageIsFramedBySkinMessagesAndATakenThumbPositionComesInLParam) {
  auto framing = std::make_unique<FramingAdapter>(window, nullptr, "EDIT", manager);
  framing->Attach(true);
  Pump();
  const Rect bar = framing->BarRect(SB_VERT);
  const Point arrow{bar.left + 5, bar.bottom - 5};
  platform.UserButton(arrow, MouseButton::Left, true);
  platform.UserButton(arrow, MouseButton::Left, false);
  Pump();
  using Seen = std::tuple<int, int, int>;
  const std::vector<Seen> arrowPress = {
      {51, SB_LINEDOWN, WM_VSCROLL}, {WM_VSCROLL, SB_LINEDOWN, 0},
      {52, SB_LINEDOWN, WM_VSCROLL}, {51, SB_ENDSCROLL, WM_VSCROLL},
      {WM_VSCROLL, SB_ENDSCROLL, 0}, {52, SB_ENDSCROLL, WM_VSCROLL}};
  EXPECT_EQ(framing->seen, arrowPress);

  // A window that takes the thumb position itself gets it in lParam, and its scroll state
  // is left alone.
  framing->seen.clear();
  framing->takesPosition = true;
  const ScrollValues values = Values();
  const ThumbPlace thumb = ThumbOf(values, bar.top, bar.Height(), T());
  const Point grab{bar.left + 5, thumb.start + 3};
  platform.UserButton(grab, MouseButton::Left, true);
  platform.UserMove({grab.x, grab.y + 20});
  Pump();
  const int position = DragPosition(values, true, thumb.start + 20 - bar.top - T(),
                                    bar.Height() - 2 * T(), thumb.length);
  ASSERT_GE(framing->seen.size(), 2u);
  EXPECT_EQ(framing->seen[1], (Seen{WM_VSCROLL, SB_THUMBTRACK, position}));
  EXPECT_EQ(framing->statePosition, values.pos);
  platform.UserButton({grab.x, grab.y + 20}, MouseButton::Left, false);
  Pump();
  framing.reset();
}

TEST_F(ScrollWindowTest, AGridGetsItsBarOnlyWhenTheRowsDoNotFitAndLosesItsWidthToIt) {
  manager->ScrollsOptions.ScrollSize = 20;
  auto* grid = Create<TStringGrid>(form);
  grid->SetParent(form);
  grid->SetBounds(110, 10, 80, 120);
  grid->SetColCount(1);
  grid->SetFixedCols(0);
  grid->SetDefaultColWidth(40);
  grid->SetRowCount(2);
  Pump();
  auto gridAdapter = std::make_unique<TacScrollWnd>(grid->Handle(), nullptr, "EDIT", manager);
  gridAdapter->Attach(true);
  Pump();
  const int fullWidth = grid->ClientWidth();
  EXPECT_FALSE(gridAdapter->BarVisible(SB_VERT));
  grid->SetRowCount(50);
  Pump();
  ASSERT_TRUE(gridAdapter->BarVisible(SB_VERT));
  EXPECT_EQ(gridAdapter->BarRect(SB_VERT).Width(), 20);
  EXPECT_EQ(grid->ClientWidth(), fullWidth - 20);
  EXPECT_FALSE(gridAdapter->BarVisible(SB_HORZ));
  grid->SetRowCount(2);
  Pump();
  EXPECT_FALSE(gridAdapter->BarVisible(SB_VERT));
  EXPECT_EQ(grid->ClientWidth(), fullWidth);
}

}  // namespace
}  // namespace tappomat::test
