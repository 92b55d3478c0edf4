// Scroll-bar state: clamping, the rule for hiding and disabling, showing a bar and
// its geometry as GetScrollBarInfo reports it.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

#include "win/scroll_bar.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

SCROLLINFO Info(UINT mask, int min, int max, UINT page, int pos) {
  SCROLLINFO info;
  info.fMask = mask;
  info.nMin = min;
  info.nMax = max;
  info.nPage = page;
  info.nPos = pos;
  return info;
}

struct SetCase {
  const char* name;
  bool barShown;  // WS_VSCROLL before the call
  SCROLLINFO set;
  // Expected afterwards.
  int returned;
  int min, max, page, pos;
  bool shown;
  UINT disabled;  // ESB_* arrows
};

const SetCase kSetCases[] = {
    {"position kept below max minus page", true, Info(SIF_ALL, 0, 100, 10, 95), 91, 0, 100, 10, 91, true, 0},
    {"position kept above min", true, Info(SIF_ALL, 5, 100, 10, -5), 5, 5, 100, 10, 5, true, 0},
    {"no page: up to max", true, Info(SIF_ALL, 0, 100, 0, 150), 100, 0, 100, 0, 100, true, 0},
    {"page larger than the range", true, Info(SIF_ALL, 0, 99, 200, 0), 0, 0, 99, 100, 0, false, 0},
    {"page just fits: hidden", true, Info(SIF_RANGE | SIF_PAGE, 0, 9, 10, 0), 0, 0, 9, 10, 0, false, 0},
    {"one step to scroll", true, Info(SIF_RANGE | SIF_PAGE, 0, 10, 10, 0), 0, 0, 10, 10, 0, true, 0},
    {"empty range hides", true, Info(SIF_RANGE, 0, 0, 0, 0), 0, 0, 0, 0, 0, false, 0},
    {"inverted range becomes 0..0", true, Info(SIF_RANGE, 10, 5, 0, 0), 0, 0, 0, 0, 0, false, 0},
    {"disable instead of hiding", true, Info(SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 9, 10, 3), 0, 0, 9, 10,
     0, true, ESB_DISABLE_BOTH},
    {"a range shows a hidden bar", false, Info(SIF_RANGE, 0, 50, 0, 0), 0, 0, 50, 0, 0, true, 0},
    {"a page alone does not show it", false, Info(SIF_PAGE, 0, 0, 20, 0), 0, 0, 100, 20, 0, false, 0},
    {"a position alone does not hide", true, Info(SIF_POS, 0, 0, 0, 7), 7, 0, 100, 0, 7, true, 0},
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }

class ScrollBarSet : public WinTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(ScrollBarSet, ClampsHidesAndDisablesByTheRange) {
  const SetCase& c = GetParam();
  const HWND h = Create("h", WS_POPUP | WS_VISIBLE | (c.barShown ? WS_VSCROLL : 0u), {0, 0, 100, 200});
  EXPECT_EQ(SetScrollInfo(h, SB_VERT, c.set, true), c.returned);
  SCROLLINFO got;
  got.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(h, SB_VERT, got));
  EXPECT_EQ(got.nMin, c.min);
  EXPECT_EQ(got.nMax, c.max);
  EXPECT_EQ(got.nPage, static_cast<UINT>(c.page));
  EXPECT_EQ(got.nPos, c.pos);
  EXPECT_EQ(got.nTrackPos, c.pos);
  EXPECT_EQ((GetWindowStyle(h) & WS_VSCROLL) != 0, c.shown);
  EXPECT_EQ(GetClientRect(h).Width(), c.shown ? 83 : 100);  // the frame was recalculated
  EXPECT_EQ(system.Find(h)->vScroll.disabledArrows, c.disabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollBarSet, ::testing::ValuesIn(kSetCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
});

class ScrollBar : public WinTest {};

TEST_F(ScrollBar, PositionAndRangeFunctions) {
  const HWND h = Create("h", WS_POPUP | WS_HSCROLL, {0, 0, 200, 100});
  int min = -1;
  int max = -1;
  ASSERT_TRUE(GetScrollRange(h, SB_HORZ, min, max));
  EXPECT_EQ(min, 0);  // the default range is 0-100
  EXPECT_EQ(max, 100);
  EXPECT_EQ(SetScrollPos(h, SB_HORZ, 30, false), 0);
  EXPECT_EQ(SetScrollPos(h, SB_HORZ, 300, false), 30);
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 100);
  EXPECT_TRUE(SetScrollRange(h, SB_HORZ, 10, 20, false));
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 20);
  EXPECT_TRUE(SetScrollRange(h, SB_HORZ, 5, 5, false));
  EXPECT_FALSE(GetWindowStyle(h) & WS_HSCROLL);  // min == max hides the bar
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  EXPECT_FALSE(GetScrollInfo(h, SB_CTL, info));
}

TEST_F(ScrollBar, ShowAndEnable) {
  const HWND h = Create("h", WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
  TakeLog();
  EXPECT_TRUE(ShowScrollBar(h, SB_BOTH, true));
  EXPECT_EQ(GetWindowStyle(h) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
  EXPECT_EQ(GetClientRect(h), (Rect{0, 0, 183, 83}));
  EXPECT_EQ(TakeLog({WM_STYLECHANGING, WM_NCCALCSIZE}), (std::vector<LoggedMessage>{{"h", WM_NCCALCSIZE}}));
  EXPECT_TRUE(ShowScrollBar(h, SB_HORZ, false));
  EXPECT_EQ(GetClientRect(h), (Rect{0, 0, 183, 100}));

  EXPECT_TRUE(EnableScrollBar(h, SB_VERT, ESB_DISABLE_UP));
  EXPECT_FALSE(EnableScrollBar(h, SB_VERT, ESB_DISABLE_UP));  // nothing changed
  SCROLLBARINFO sbi;
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, sbi));
  EXPECT_EQ(sbi.rgstate[1], STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(sbi.rgstate[5], 0u);
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_HSCROLL, sbi));
  EXPECT_EQ(sbi.rgstate[0], STATE_SYSTEM_INVISIBLE);
}

TEST_F(ScrollBar, GeometryFollowsRangePageAndPosition) {
  // Window at (10, 20), 100x200: the bar is 17 wide at the right, arrows 17 long, the
  // track 166; a page of 50 out of 100 gives an 83-pixel thumb.
  const HWND h = Create("h", WS_POPUP | WS_VISIBLE | WS_VSCROLL, Rect::FromSize(10, 20, 100, 200));
  SetScrollInfo(h, SB_VERT, Info(SIF_ALL, 0, 99, 50, 0), false);
  SCROLLBARINFO sbi;
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, sbi));
  EXPECT_EQ(sbi.rcScrollBar, (Rect{93, 20, 110, 220}));
  EXPECT_EQ(sbi.dxyLineButton, 17);
  EXPECT_EQ(sbi.xyThumbTop, 17);
  EXPECT_EQ(sbi.xyThumbBottom, 100);
  EXPECT_EQ(sbi.rgstate[0], 0u);

  SetScrollPos(h, SB_VERT, 50, false);  // the last position
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, sbi));
  EXPECT_EQ(sbi.xyThumbTop, 100);
  EXPECT_EQ(sbi.xyThumbBottom, 183);

  // Small pages keep an 8-pixel thumb; no page gives a square one.
  SetScrollInfo(h, SB_VERT, Info(SIF_ALL, 0, 9999, 1, 0), false);
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, sbi));
  EXPECT_EQ(sbi.xyThumbBottom - sbi.xyThumbTop, 8);
  SetScrollInfo(h, SB_VERT, Info(SIF_ALL, 0, 100, 0, 0), false);
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, sbi));
  EXPECT_EQ(sbi.xyThumbBottom - sbi.xyThumbTop, 17);

  // A disabled bar has no thumb; a bar too short for one shares its length between the
  // arrows.
  EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH);
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, sbi));
  EXPECT_EQ(sbi.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(sbi.rgstate[3], STATE_SYSTEM_INVISIBLE);
  EnableScrollBar(h, SB_VERT, ESB_ENABLE_BOTH);
  MoveWindow(h, 10, 20, 100, 30);
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, sbi));
  EXPECT_EQ(sbi.dxyLineButton, 15);
  EXPECT_EQ(sbi.rgstate[3], STATE_SYSTEM_INVISIBLE);
}

}  // namespace
}  // namespace tappomat::test
