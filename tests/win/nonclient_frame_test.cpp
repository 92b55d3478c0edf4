// The classic frame of DefWindowProc's WM_NCPAINT: the golden picture of a main window,
// the colours that depend on the active state, caption buttons, and what repaints the
// frame.
#include <gtest/gtest.h>

#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "support/golden.h"
#include "win/frame_painter.h"
#include "win/nonclient.h"
#include "win/paint.h"
#include "win/scroll_bar.h"
#include "win/window_frame.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

using Log = std::vector<LoggedMessage>;

Pixel Sys(int index) { return PixelFromColor(GetSysColor(index)); }

class NonClientFrame : public WinTest {
 protected:
  NonClientFrame() {
    WindowClass face;
    face.name = "FaceWindow";
    face.proc = DefWindowProc;
    face.background = COLOR_BTNFACE + 1;
    RegisterClass(face);
    WindowClass white;
    white.name = "WhiteWindow";
    white.proc = DefWindowProc;
    white.background = COLOR_WINDOW + 1;
    RegisterClass(white);
  }

  const Bitmap32& Screen(HWND top) { return platform.Window(system.Find(top)->top.native)->pixels; }

  // The main window of the program's classic look: sizable, with minimise and maximise
  // buttons, a vertical scroll bar, and a child with a client edge.
  HWND CreateMainWindow() {
    const HWND top = CreateWindowEx(0, "FaceWindow", "Tappomat", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 40, 30, 240,
                                    160, kNullWindow);
    CreateWindowEx(WS_EX_CLIENTEDGE, "WhiteWindow", "", WS_CHILD | WS_VISIBLE, 10, 10, 120, 60, top);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 25;
    info.nPos = 30;
    SetScrollInfo(top, SB_VERT, info, false);
    ShowWindow(top, SW_SHOW);
    SendMessage(top, WM_NCACTIVATE, 1);
    ProcessMessages();
    return top;
  }
};

TEST_F(NonClientFrame, ClassicMainWindowMatchesTheGolden) {
  const HWND top = CreateMainWindow();
  EXPECT_TRUE(MatchesGolden(Screen(top), "win_classic_frame"));
}

TEST_F(NonClientFrame, FrameAndCaptionColoursFollowTheActiveState) {
  const HWND top = CreateMainWindow();
  struct Probe {
    Point at;
    Pixel active;
    Pixel inactive;
  };
  // Raised window edge, sizing line, border line, then the caption: its first column has
  // exactly the gradient's start colour, its last line is button face.
  const Probe probes[] = {
      {{0, 0}, Sys(COLOR_3DLIGHT), Sys(COLOR_3DLIGHT)},
      {{1, 1}, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNHIGHLIGHT)},
      {{239, 159}, Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DDKSHADOW)},
      {{238, 158}, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW)},
      {{2, 80}, Sys(COLOR_ACTIVEBORDER), Sys(COLOR_INACTIVEBORDER)},
      {{3, 80}, Sys(COLOR_3DFACE), Sys(COLOR_3DFACE)},
      {{4, 12}, Sys(COLOR_ACTIVECAPTION), Sys(COLOR_INACTIVECAPTION)},
      {{120, 22}, Sys(COLOR_3DFACE), Sys(COLOR_3DFACE)},
  };
  for (const Probe& p : probes) {
    EXPECT_EQ(PixelRGB(Screen(top).At(p.at.x, p.at.y)), PixelRGB(p.active)) << p.at.x << "," << p.at.y;
  }
  SendMessage(top, WM_NCACTIVATE, 0);
  ProcessMessages();
  for (const Probe& p : probes) {
    EXPECT_EQ(PixelRGB(Screen(top).At(p.at.x, p.at.y)), PixelRGB(p.inactive)) << p.at.x << "," << p.at.y;
  }
}

TEST_F(NonClientFrame, ChildClientEdgeAndSizeBox) {
  const HWND top = CreateWindowEx(0, "FaceWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, kNullWindow);
  CreateWindowEx(WS_EX_CLIENTEDGE, "WhiteWindow", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 10, 10,
                 100, 80, top);
  ProcessMessages();
  const Bitmap32& s = Screen(top);
  EXPECT_EQ(PixelRGB(s.At(10, 40)), PixelRGB(Sys(COLOR_BTNSHADOW)));     // sunken outer
  EXPECT_EQ(PixelRGB(s.At(11, 40)), PixelRGB(Sys(COLOR_3DDKSHADOW)));    // sunken inner
  EXPECT_EQ(PixelRGB(s.At(109, 40)), PixelRGB(Sys(COLOR_BTNHIGHLIGHT))); // outer, right side
  EXPECT_EQ(PixelRGB(s.At(20, 30)), PixelRGB(Sys(COLOR_WINDOW)));        // the child's client
  // The size box where the bars meet: child window 100x80, edge 2, bars 17.
  EXPECT_EQ(PixelRGB(s.At(10 + 90, 10 + 70)), PixelRGB(Sys(COLOR_BTNFACE)));
}

TEST_F(NonClientFrame, CaptionButtonsPushedAndDisabled) {
  Bitmap32 bitmap(16, 14);
  DeviceContext dc(bitmap);
  const Rect button{0, 0, 16, 14};
  const Pixel text = Sys(COLOR_BTNTEXT);

  DrawCaptionButton(dc, button, CaptionGlyph::Close, CaptionButtonState::Normal);
  EXPECT_EQ(PixelRGB(bitmap.At(4, 3)), PixelRGB(text));  // the cross's top-left stroke
  EXPECT_EQ(PixelRGB(bitmap.At(15, 13)), PixelRGB(Sys(COLOR_3DDKSHADOW)));  // raised

  DrawCaptionButton(dc, button, CaptionGlyph::Close, CaptionButtonState::Pushed);
  EXPECT_EQ(PixelRGB(bitmap.At(5, 4)), PixelRGB(text));  // moved one pixel
  EXPECT_NE(PixelRGB(bitmap.At(4, 3)), PixelRGB(text));
  EXPECT_EQ(PixelRGB(bitmap.At(0, 0)), PixelRGB(Sys(COLOR_BTNSHADOW)));  // sunken
  EXPECT_EQ(PixelRGB(bitmap.At(15, 13)), PixelRGB(Sys(COLOR_BTNHIGHLIGHT)));

  DrawCaptionButton(dc, button, CaptionGlyph::Minimize, CaptionButtonState::Disabled);
  EXPECT_EQ(PixelRGB(bitmap.At(4, 9)), PixelRGB(Sys(COLOR_BTNSHADOW)));     // grey glyph
  EXPECT_EQ(PixelRGB(bitmap.At(10, 11)), PixelRGB(Sys(COLOR_BTNHIGHLIGHT)));  // its etch
}

TEST_F(NonClientFrame, OnlyTheMissingBoxIsGreyedAndAMaximisedWindowShowsRestore) {
  // Both boxes show when either is asked for; the one not asked for is grey.
  const HWND top = CreateWindowEx(0, "FaceWindow", "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                                  200, 100, kNullWindow);
  ShowWindow(top, SW_SHOW);
  ProcessMessages();
  const NonClientLayout layout = GetNonClientLayout(top);
  ASSERT_FALSE(layout.maxButton.IsEmpty());
  const Point maxGlyph{layout.maxButton.left + 3, layout.maxButton.top + 2};
  const Point minGlyph{layout.minButton.left + 4, layout.minButton.top + 9};
  EXPECT_EQ(PixelRGB(Screen(top).At(maxGlyph.x, maxGlyph.y)), PixelRGB(Sys(COLOR_BTNSHADOW)));
  EXPECT_EQ(PixelRGB(Screen(top).At(minGlyph.x, minGlyph.y)), PixelRGB(Sys(COLOR_BTNTEXT)));
}

TEST_F(NonClientFrame, TextAndActivationRepaintOnlyTheFrame) {
  const HWND top = Create("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Rect::FromSize(0, 0, 200, 100));
  ProcessMessages();
  TakeLog();
  SetWindowText(top, "Script 1");
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}), (Log{{"top", WM_NCPAINT}}));
  SendMessage(top, WM_NCACTIVATE, system.Find(top)->nonClient.active ? 0 : 1);
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_PAINT, WM_NCPAINT, WM_ERASEBKGND, WM_NCACTIVATE}),
            (Log{{"top", WM_NCACTIVATE}, {"top", WM_NCPAINT}}));
}

TEST_F(NonClientFrame, WindowIconIsDrawnAndMovesTheText) {
  const HWND top = CreateWindowEx(0, "FaceWindow", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  kNullWindow);
  Bitmap32 icon(32, 32, MakePixel(0, 200, 0));  // scaled to 16x16
  SetWindowIcon(top, icon);
  EXPECT_EQ(GetWindowIcon(top).GetSize(), (Size{16, 16}));
  ProcessMessages();
  const NonClientLayout layout = GetNonClientLayout(top);
  EXPECT_EQ(layout.icon, Rect::FromSize(6, 5, 16, 16));
  EXPECT_EQ(layout.captionText.left, 4 + 16 + 2 + 2);  // frame, icon and its gaps
  EXPECT_EQ(PixelRGB(Screen(top).At(10, 10)), PixelRGB(MakePixel(0, 200, 0)));
}

// A frame of its own: a 10-pixel red ring with a 30-pixel caption that answers HTCAPTION.
class RingFrame final : public WindowFrame {
 public:
  Rect ClientRect(HWND, Size window) override { return {10, 30, window.width - 10, window.height - 10}; }
  LRESULT HitTest(HWND, Point at) override { return at.y < 30 ? HTCAPTION : HTCLIENT; }
  void Paint(HWND, DeviceContext& dc) override {
    FillRect(dc, dc.Target().Bounds(), RGB(255, 0, 0));
  }
};

TEST_F(NonClientFrame, AFrameOfItsOwnGivesClientAreaHitTestAndLookUntilTakenAway) {
  const HWND top = CreateWindowEx(0, "FaceWindow", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 100,
                                  kNullWindow);
  ProcessMessages();
  const Rect classicClient = system.Find(top)->clientRect;
  RingFrame ring;
  SetWindowFrame(top, &ring);
  ProcessMessages();
  EXPECT_EQ(&FrameOf(top), &ring);
  EXPECT_EQ(system.Find(top)->clientRect, (Rect{10, 30, 190, 90}));
  EXPECT_EQ(SendMessage(top, WM_NCHITTEST, 0, LParamFromPoint({25, 25})), HTCAPTION);
  EXPECT_EQ(SendMessage(top, WM_NCHITTEST, 0, LParamFromPoint({120, 80})), HTCLIENT);
  EXPECT_EQ(PixelRGB(Screen(top).At(3, 3)), PixelRGB(MakePixel(255, 0, 0)));
  EXPECT_EQ(PixelRGB(Screen(top).At(100, 60)), PixelRGB(Sys(COLOR_BTNFACE)));

  SetWindowFrame(top, nullptr);
  ProcessMessages();
  EXPECT_EQ(&FrameOf(top), &ClassicFrame());
  EXPECT_EQ(system.Find(top)->clientRect, classicClient);
  EXPECT_EQ(SendMessage(top, WM_NCHITTEST, 0, LParamFromPoint({120, 80})), HTCLIENT);
  EXPECT_NE(PixelRGB(Screen(top).At(3, 3)), PixelRGB(MakePixel(255, 0, 0)));
}

}  // namespace
}  // namespace tappomat::test
