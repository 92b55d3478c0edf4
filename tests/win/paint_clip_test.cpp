// Device contexts over the back buffer: clipping to the visible part of a window, the
// pictures that result on the screen, repainting what a child leaves, and WM_PRINT.
#include <gtest/gtest.h>

#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "win/paint.h"
#include "win/scroll_bar.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

constexpr ColorRef kRed = RGB(200, 0, 0);
constexpr ColorRef kGreen = RGB(0, 160, 0);
constexpr ColorRef kBlue = RGB(0, 0, 220);
constexpr ColorRef kYellow = RGB(230, 230, 0);

class PaintClip : public WinTest {
 protected:
  // The window fills its client area with a colour, through WM_PAINT and WM_PRINTCLIENT
  // alike, and remembers the clip region of its last WM_PAINT.
  void PaintWith(HWND h, ColorRef color) {
    OnMessage(h, WM_PAINT, [this, color](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
      PAINTSTRUCT ps;
      DeviceContext& dc = BeginPaint(w, ps);
      clips[w.index] = dc.DeviceClip();
      FillRect(dc, GetClientRect(w), color);
      EndPaint(w, ps);
      return 0;
    });
    OnMessage(h, WM_PRINTCLIENT, [color](HWND w, UINT, WPARAM wParam, LPARAM) -> LRESULT {
      FillRect(*reinterpret_cast<DeviceContext*>(wParam), GetClientRect(w), color);
      return 0;
    });
  }
  Pixel ScreenAt(HWND top, int x, int y) {
    return PixelRGB(platform.Window(system.Find(top)->top.native)->pixels.At(x, y));
  }
  static Pixel Rgb(ColorRef c) { return PixelRGB(PixelFromColor(c)); }

  std::map<std::uint32_t, Region> clips;
};

TEST_F(PaintClip, ContextsExcludeVisibleChildrenAndSiblingsAbove) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  const HWND a = Create("a", WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, top);
  const HWND b = Create("b", WS_CHILD | WS_VISIBLE, {40, 40, 90, 90}, top);  // above a
  Create("c", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, a);
  Create("hidden", WS_CHILD, {20, 20, 30, 30}, a);
  PaintWith(a, kGreen);
  ProcessMessages();

  InvalidateRect(a, std::nullopt, false);
  ProcessMessages();
  const Region expected = Region(Rect{10, 10, 60, 60}).Subtract(Rect{40, 40, 90, 90}).Subtract(Rect{10, 10, 20, 20});
  EXPECT_TRUE(clips[a.index].SameArea(expected));

  // Only the update region within that.
  InvalidateRect(a, Rect{0, 0, 40, 5}, false);
  ProcessMessages();
  EXPECT_TRUE(clips[a.index].SameArea(Region(Rect{20, 10, 50, 15})));

  // GetDC and GetWindowDC clip the same way; the parent's excludes both children.
  EXPECT_TRUE(GetDC(top)->DeviceClip().SameArea(
      Region(Rect{0, 0, 100, 100}).Subtract(Rect{10, 10, 60, 60}).Subtract(Rect{40, 40, 90, 90})));
  EXPECT_TRUE(GetWindowDC(b)->DeviceClip().SameArea(Region(Rect{40, 40, 90, 90})));
  EXPECT_EQ(GetDC(b)->Origin(), (Point{40, 40}));
}

TEST_F(PaintClip, ChildrenClipToTheirParentsAndWindowRegions) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE | WS_BORDER, {0, 0, 100, 100});
  const HWND child = Create("child", WS_CHILD | WS_VISIBLE, {80, 80, 150, 150}, top);
  // The parent's client area starts at (1, 1) and ends at 99.
  EXPECT_TRUE(GetDC(child)->DeviceClip().SameArea(Region(Rect{81, 81, 99, 99})));
  SetWindowRgn(child, Region(Rect{0, 0, 5, 5}));
  EXPECT_TRUE(GetDC(child)->DeviceClip().SameArea(Region(Rect{81, 81, 86, 86})));
}

TEST_F(PaintClip, OverlappingWindowsComposeInZOrder) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  const HWND a = Create("a", WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, top);
  const HWND b = Create("b", WS_CHILD | WS_VISIBLE, {40, 40, 90, 90}, top);
  const HWND c = Create("c", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, a);
  PaintWith(top, kRed);
  PaintWith(a, kGreen);
  PaintWith(b, kBlue);
  PaintWith(c, kYellow);
  ProcessMessages();
  EXPECT_EQ(ScreenAt(top, 5, 5), Rgb(kRed));
  EXPECT_EQ(ScreenAt(top, 15, 15), Rgb(kYellow));
  EXPECT_EQ(ScreenAt(top, 30, 30), Rgb(kGreen));
  EXPECT_EQ(ScreenAt(top, 50, 50), Rgb(kBlue));
  EXPECT_EQ(ScreenAt(top, 95, 95), Rgb(kRed));

  // Repainting the lower window does not reach into the one above it.
  InvalidateRect(a, std::nullopt, true);
  ProcessMessages();
  EXPECT_EQ(ScreenAt(top, 50, 50), Rgb(kBlue));
  // Bringing it to the top shows it there.
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ProcessMessages();
  EXPECT_EQ(ScreenAt(top, 50, 50), Rgb(kGreen));
  EXPECT_EQ(ScreenAt(top, 70, 70), Rgb(kBlue));
  (void)c;
}

TEST_F(PaintClip, MovingSizingAndHidingAChildRepaintsWhatItLeft) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  const HWND child = Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 30, 30}, top);
  PaintWith(top, kRed);
  PaintWith(child, kGreen);
  ProcessMessages();
  ASSERT_EQ(ScreenAt(top, 15, 15), Rgb(kGreen));

  MoveWindow(child, 50, 50, 20, 20);
  ProcessMessages();
  EXPECT_EQ(ScreenAt(top, 15, 15), Rgb(kRed));
  EXPECT_EQ(ScreenAt(top, 55, 55), Rgb(kGreen));

  MoveWindow(child, 50, 50, 10, 10);
  ProcessMessages();
  EXPECT_EQ(ScreenAt(top, 65, 65), Rgb(kRed));
  EXPECT_EQ(ScreenAt(top, 55, 55), Rgb(kGreen));

  ShowWindow(child, SW_HIDE);
  ProcessMessages();
  EXPECT_EQ(ScreenAt(top, 55, 55), Rgb(kRed));
}

TEST_F(PaintClip, PrintGivesTheSamePixelsAsTheScreen) {
  WindowClass face;
  face.name = "PrintFace";
  face.proc = DefWindowProc;
  face.background = COLOR_BTNFACE + 1;
  RegisterClass(face);
  const HWND top = CreateWindowEx(0, "PrintFace", "Print me", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 20, 20, 220,
                                  150, kNullWindow);
  const HWND list = Create("list", WS_CHILD | WS_VISIBLE | WS_VSCROLL, {10, 10, 110, 90}, top, WS_EX_CLIENTEDGE);
  const HWND inner = Create("inner", WS_CHILD | WS_VISIBLE, {5, 5, 25, 25}, list);
  const HWND sibling = Create("sibling", WS_CHILD | WS_VISIBLE, {90, 20, 150, 60}, top);
  PaintWith(list, kGreen);
  PaintWith(inner, kYellow);
  PaintWith(sibling, kBlue);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  info.nMax = 50;
  info.nPage = 10;
  info.nPos = 20;
  SetScrollInfo(list, SB_VERT, info, false);
  ShowWindow(top, SW_SHOW);
  SendMessage(top, WM_NCACTIVATE, 1);
  ProcessMessages();

  Bitmap32 printed(220, 150, MakePixel(1, 2, 3));
  DeviceContext dc(printed);
  SendMessage(top, WM_PRINT, reinterpret_cast<WPARAM>(&dc),
              PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT | PRF_CHILDREN | PRF_CHECKVISIBLE);
  EXPECT_EQ(printed, platform.Window(system.Find(top)->top.native)->pixels);
}

}  // namespace
}  // namespace tappomat::test
