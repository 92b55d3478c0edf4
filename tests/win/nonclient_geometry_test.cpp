// WM_NCCALCSIZE and WM_NCHITTEST of DefWindowProc, as tables over the window styles.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

#include "win/nonclient.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

struct CalcSizeCase {
  const char* name;
  std::uint32_t style;
  std::uint32_t exStyle;
  Size size;
  Rect client;  // expected, for a window rectangle at (10, 20)
};

// Frame widths: WS_CAPTION 3 + caption 19, WS_THICKFRAME with a caption 4, WS_THICKFRAME
// alone 3, WS_BORDER 1, client edge 2, static edge 1, scroll bars 17.
const CalcSizeCase kCalcSizeCases[] = {
    {"popup", WS_POPUP, 0, {200, 150}, {10, 20, 210, 170}},
    {"border", WS_POPUP | WS_BORDER, 0, {200, 150}, {11, 21, 209, 169}},
    {"caption", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, {200, 150}, {13, 42, 207, 167}},
    {"dialog frame", WS_POPUP | WS_DLGFRAME, 0, {200, 150}, {13, 23, 207, 167}},
    {"modal frame", WS_POPUP, WS_EX_DLGMODALFRAME, {200, 150}, {13, 23, 207, 167}},
    {"overlapped window", WS_OVERLAPPEDWINDOW, 0, {200, 150}, {14, 43, 206, 166}},
    {"thick frame alone", WS_POPUP | WS_THICKFRAME, 0, {200, 150}, {13, 23, 207, 167}},
    {"tool window", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, {200, 150}, {13, 38, 207, 167}},
    {"client edge", WS_POPUP, WS_EX_CLIENTEDGE, {200, 150}, {12, 22, 208, 168}},
    {"static edge", WS_POPUP, WS_EX_STATICEDGE, {200, 150}, {11, 21, 209, 169}},
    {"vertical scroll bar", WS_POPUP | WS_VSCROLL, 0, {200, 150}, {10, 20, 193, 170}},
    {"horizontal scroll bar", WS_POPUP | WS_HSCROLL, 0, {200, 150}, {10, 20, 210, 153}},
    {"both scroll bars", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {200, 150}, {10, 20, 193, 153}},
    {"left scroll bar", WS_POPUP | WS_VSCROLL, WS_EX_LEFTSCROLLBAR, {200, 150}, {27, 20, 210, 170}},
    {"list box", WS_CHILD | WS_VSCROLL, WS_EX_CLIENTEDGE, {120, 80}, {12, 22, 111, 98}},
    {"caption, edge and bars", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, {200, 150},
     {16, 45, 187, 147}},
    // Scroll bars only where they fit; a frame larger than the window leaves an empty client.
    {"no room for the bar", WS_POPUP | WS_VSCROLL, 0, {16, 50}, {10, 20, 26, 70}},
    {"no room for the bar below", WS_POPUP | WS_HSCROLL, 0, {50, 17}, {10, 20, 60, 37}},
    {"tiny captioned window", WS_OVERLAPPEDWINDOW, 0, {20, 12}, {14, 28, 26, 28}},
};

void PrintTo(const CalcSizeCase& c, std::ostream* os) { *os << c.name; }

class NonClientCalcSize : public WinTest, public ::testing::WithParamInterface<CalcSizeCase> {};

TEST_P(NonClientCalcSize, GivesTheClientRectangleForTheStyles) {
  const CalcSizeCase& c = GetParam();
  const HWND parent = Create("parent", WS_POPUP, {0, 0, 300, 300});
  const HWND h = Create("h", c.style, Rect::FromSize(10, 20, c.size.width, c.size.height),
                        (c.style & WS_CHILD) ? parent : kNullWindow, c.exStyle);
  ASSERT_TRUE(h);

  // wParam 0: a rectangle in the parent's coordinates becomes the client rectangle.
  Rect rect = Rect::FromSize(10, 20, c.size.width, c.size.height);
  EXPECT_EQ(SendMessage(h, WM_NCCALCSIZE, 0, PtrToLParam(&rect)), 0);
  EXPECT_EQ(rect, c.client);

  // wParam 1: the same in rgrc[0].
  NCCALCSIZE_PARAMS params;
  params.rgrc[0] = Rect::FromSize(10, 20, c.size.width, c.size.height);
  SendMessage(h, WM_NCCALCSIZE, 1, PtrToLParam(&params));
  EXPECT_EQ(params.rgrc[0], c.client);

  // And the window took it when it was created.
  EXPECT_EQ(GetClientRectInWindow(h), c.client.Offset(-10, -20));
}

INSTANTIATE_TEST_SUITE_P(Styles, NonClientCalcSize, ::testing::ValuesIn(kCalcSizeCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

struct HitCase {
  Point point;  // window coordinates
  LRESULT hit;
};

class NonClientHitTest : public WinTest {
 protected:
  std::vector<LRESULT> HitsOf(HWND h, const std::vector<HitCase>& cases) {
    const Rect window = GetWindowRect(h);
    std::vector<LRESULT> hits;
    for (const HitCase& c : cases) {
      hits.push_back(SendMessage(h, WM_NCHITTEST, 0, LParamFromPoint({window.left + c.point.x, window.top + c.point.y})));
    }
    return hits;
  }
  static std::vector<LRESULT> Expected(const std::vector<HitCase>& cases) {
    std::vector<LRESULT> hits;
    for (const HitCase& c : cases) hits.push_back(c.hit);
    return hits;
  }
};

TEST_F(NonClientHitTest, SizableWindowWithIconAndScrollBars) {
  // 300x200: frame 4, caption 4..23, client 4..279 x 23..179, bars 17 wide.
  const HWND h = Create("h", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, Rect::FromSize(100, 100, 300, 200));
  SetWindowIcon(h, Bitmap32(16, 16, MakePixel(255, 0, 0)));
  const std::vector<HitCase> cases = {
      {{150, 100}, HTCLIENT},     {{4, 23}, HTCLIENT},          {{100, 10}, HTCAPTION},
      {{100, 22}, HTCAPTION},     {{8, 10}, HTSYSMENU},         {{285, 10}, HTCLOSE},
      {{295, 10}, HTCLOSE},       {{265, 10}, HTMAXBUTTON},     {{277, 10}, HTMAXBUTTON},
      {{250, 10}, HTMINBUTTON},   {{243, 10}, HTCAPTION},       {{1, 100}, HTLEFT},
      {{1, 5}, HTTOPLEFT},        {{20, 1}, HTTOPLEFT},         {{1, 195}, HTBOTTOMLEFT},
      {{150, 1}, HTTOP},          {{290, 1}, HTTOPRIGHT},       {{298, 100}, HTRIGHT},
      {{150, 198}, HTBOTTOM},     {{298, 198}, HTBOTTOMRIGHT},  {{285, 100}, HTVSCROLL},
      {{100, 185}, HTHSCROLL},    {{285, 185}, HTSIZE},         {{-1, 50}, HTNOWHERE},
      {{300, 50}, HTNOWHERE},     {{50, 200}, HTNOWHERE},
  };
  EXPECT_EQ(HitsOf(h, cases), Expected(cases));
}

TEST_F(NonClientHitTest, FixedFramesToolWindowsAndClientEdges) {
  // A dialog frame is a border, not a sizing border; without an icon the caption starts
  // at the left; a tool window has only a close button.
  const HWND dialog = Create("dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, Rect::FromSize(0, 0, 200, 100));
  const std::vector<HitCase> dialogCases = {
      {{1, 50}, HTBORDER}, {{100, 1}, HTBORDER}, {{8, 10}, HTCAPTION}, {{190, 10}, HTCLOSE}, {{170, 10}, HTCAPTION},
  };
  EXPECT_EQ(HitsOf(dialog, dialogCases), Expected(dialogCases));

  const HWND tool = Create("tool", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                           Rect::FromSize(0, 0, 200, 100), kNullWindow, WS_EX_TOOLWINDOW);
  const std::vector<HitCase> toolCases = {{{190, 8}, HTCLOSE}, {{170, 8}, HTCAPTION}, {{100, 20}, HTCLIENT}};
  EXPECT_EQ(HitsOf(tool, toolCases), Expected(toolCases));

  // A list box: the client edge answers HTNOWHERE, its scroll bar HTVSCROLL.
  const HWND parent = Create("parent", WS_POPUP, {0, 0, 300, 300});
  const HWND list = Create("list", WS_CHILD | WS_VISIBLE | WS_VSCROLL, {10, 10, 110, 90}, parent, WS_EX_CLIENTEDGE);
  const std::vector<HitCase> listCases = {
      {{0, 40}, HTNOWHERE}, {{1, 40}, HTNOWHERE}, {{2, 40}, HTCLIENT}, {{90, 40}, HTVSCROLL}, {{98, 40}, HTNOWHERE},
  };
  EXPECT_EQ(HitsOf(list, listCases), Expected(listCases));
}

TEST_F(NonClientHitTest, PointsOutsideTheWindowRegionHitNothing) {
  const HWND h = Create("h", WS_POPUP, Rect::FromSize(50, 50, 100, 100));
  SetWindowRgn(h, Region(Rect{0, 0, 50, 100}));
  const std::vector<HitCase> cases = {{{10, 10}, HTCLIENT}, {{60, 10}, HTNOWHERE}};
  EXPECT_EQ(HitsOf(h, cases), Expected(cases));
}

}  // namespace
}  // namespace tappomat::test
