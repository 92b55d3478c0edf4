// Update regions and WM_PAINT: coalescing, the order of the paint messages, which
// windows paint, and the RDW_* flags.
#include <gtest/gtest.h>

#include "gdi/primitives.h"
#include "win/paint.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

using Log = std::vector<LoggedMessage>;
const std::vector<UINT> kPaintMessages = {WM_PAINT, WM_NCPAINT, WM_ERASEBKGND};

class PaintUpdate : public WinTest {
 protected:
  // The window paints its client area in one colour and remembers what BeginPaint gave.
  void PaintWith(HWND h, ColorRef color) {
    OnMessage(h, WM_PAINT, [this, color](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
      PAINTSTRUCT ps;
      DeviceContext& dc = BeginPaint(w, ps);
      events.push_back("paint");
      lastPaint = ps.rcPaint;
      lastClip = dc.DeviceClip();
      FillRect(dc, GetClientRect(w), color);
      EndPaint(w, ps);
      return 0;
    });
  }
  const HeadlessPlatform::WindowRecord& Native(HWND top) { return *platform.Window(system.Find(top)->top.native); }

  std::vector<std::string> events;
  Rect lastPaint;
  Region lastClip;
};

TEST_F(PaintUpdate, InvalidationsBeforeIdleGiveOnePaintAndOnePresentOfTheirUnion) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 80});
  PaintWith(top, RGB(0, 0, 255));
  OnMessage(top, WM_ERASEBKGND, [this](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    events.push_back("erase");
    return 1;
  });
  ProcessMessages();
  TakeLog();
  events.clear();
  const int presents = Native(top).presentCount;

  InvalidateRect(top, Rect{0, 0, 10, 10}, true);
  InvalidateRect(top, Rect{20, 20, 30, 30}, false);
  InvalidateRect(top, Rect{5, 5, 25, 8}, false);
  Rect update;
  EXPECT_TRUE(GetUpdateRect(top, update));
  EXPECT_EQ(update, (Rect{0, 0, 30, 30}));
  // A pixel outside the union changes in the back buffer only: it must not be shown.
  system.Find(top)->top.backBuffer.At(60, 60) = MakePixel(255, 0, 255);

  ProcessMessages();
  EXPECT_EQ(TakeLog(kPaintMessages), (Log{{"top", WM_PAINT}, {"top", WM_ERASEBKGND}}));
  EXPECT_EQ(events, (std::vector<std::string>{"erase", "paint"}));  // erased inside BeginPaint
  EXPECT_EQ(lastPaint, (Rect{0, 0, 30, 30}));
  EXPECT_TRUE(lastClip.SameArea(Region(Rect{0, 0, 10, 10}).Union(Rect{20, 20, 30, 30}).Union(Rect{5, 5, 25, 8})));
  EXPECT_EQ(Native(top).presentCount, presents + 1);
  EXPECT_EQ(Native(top).pixels.At(5, 5), MakePixel(0, 0, 255));
  EXPECT_NE(Native(top).pixels.At(60, 60), MakePixel(255, 0, 255));
  EXPECT_FALSE(GetUpdateRect(top, update));
}

TEST_F(PaintUpdate, ShowingPaintsParentsBeforeChildrenAndDefaultPaintValidates) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 100, 100});
  Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, top);
  Create("grandchild", WS_CHILD | WS_VISIBLE, {5, 5, 20, 20}, GetWindow(top, GW_CHILD));
  ProcessMessages();
  EXPECT_TRUE(TakeLog(kPaintMessages).empty());  // nothing paints while hidden

  ShowWindow(top, SW_SHOW);
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_PAINT}), (Log{{"top", WM_PAINT}, {"child", WM_PAINT}, {"grandchild", WM_PAINT}}));
  ProcessMessages();
  EXPECT_TRUE(TakeLog(kPaintMessages).empty());  // DefWindowProc's WM_PAINT validated them
}

TEST_F(PaintUpdate, AChildWaitsWhileItsParentMustPaint) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  const HWND child = Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, top, 0);
  ProcessMessages();
  TakeLog();
  InvalidateRect(child, std::nullopt, true);
  InvalidateRect(top, Rect{70, 70, 80, 80}, true);
  MSG msg;
  EXPECT_FALSE(PeekMessage(msg, child, PM_REMOVE));  // the parent first, even when asked for the child
  ASSERT_TRUE(PeekMessage(msg, kNullWindow, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, top);
  EXPECT_EQ(msg.message, UINT{WM_PAINT});
  DispatchMessage(msg);
  ASSERT_TRUE(PeekMessage(msg, child, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, child);
}

TEST_F(PaintUpdate, InvalidatingAParentReachesItsChildrenUnlessItClipsThem) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  const HWND child = Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, top);
  ProcessMessages();
  TakeLog();
  Rect update;

  // No WS_CLIPCHILDREN: the child's part of the area, erased whatever the caller said.
  InvalidateRect(top, Rect{0, 0, 20, 20}, false);
  ASSERT_TRUE(GetUpdateRect(child, update));
  EXPECT_EQ(update, (Rect{0, 0, 10, 10}));
  ProcessMessages();
  EXPECT_EQ(TakeLog(kPaintMessages),
            (Log{{"top", WM_PAINT}, {"child", WM_PAINT}, {"child", WM_ERASEBKGND}}));

  // RDW_NOCHILDREN keeps the child out.
  RedrawWindow(top, Rect{0, 0, 20, 20}, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
  EXPECT_FALSE(GetUpdateRect(child, update));
  ProcessMessages();

  // WS_CLIPCHILDREN: only RDW_ALLCHILDREN reaches the child.
  SetWindowStyle(top, GetWindowStyle(top) | WS_CLIPCHILDREN);
  InvalidateRect(top, std::nullopt, true);
  EXPECT_FALSE(GetUpdateRect(child, update));
  RedrawWindow(top, std::nullopt, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  EXPECT_TRUE(GetUpdateRect(child, update));
  EXPECT_EQ(update, (Rect{0, 0, 40, 40}));
}

TEST_F(PaintUpdate, HiddenWindowsAndRedrawOffWindowsDoNotPaint) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  const HWND hidden = Create("hidden", WS_CHILD, {10, 10, 50, 50}, top);
  const HWND child = Create("child", WS_CHILD | WS_VISIBLE, {60, 60, 90, 90}, top);
  ProcessMessages();
  TakeLog();
  Rect update;

  InvalidateRect(hidden, std::nullopt, true);
  EXPECT_FALSE(GetUpdateRect(hidden, update));  // dropped: a hidden window is not invalidated
  ProcessMessages();
  EXPECT_TRUE(TakeLog(kPaintMessages).empty());

  // While drawing is off, invalidations accumulate; contexts draw nothing.
  SendMessage(top, WM_SETREDRAW, 0);
  InvalidateRect(top, std::nullopt, true);
  InvalidateRect(child, std::nullopt, true);
  ProcessMessages();
  EXPECT_TRUE(TakeLog(kPaintMessages).empty());
  EXPECT_TRUE(GetUpdateRect(top, update));
  EXPECT_TRUE(GetDC(child)->DeviceClip().IsEmpty());

  // Turning it on adds nothing, but what accumulated is painted now.
  SendMessage(top, WM_SETREDRAW, 1);
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_PAINT}), (Log{{"top", WM_PAINT}, {"child", WM_PAINT}}));
  SendMessage(top, WM_SETREDRAW, 0);
  SendMessage(top, WM_SETREDRAW, 1);
  ProcessMessages();
  EXPECT_TRUE(TakeLog(kPaintMessages).empty());
}

TEST_F(PaintUpdate, ValidateRectRemovesTheAreaFromTheUpdateRegion) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  ProcessMessages();
  TakeLog();
  InvalidateRect(top, std::nullopt, true);
  ValidateRect(top, Rect{0, 0, 100, 50});
  Rect update;
  ASSERT_TRUE(GetUpdateRect(top, update));
  EXPECT_EQ(update, (Rect{0, 50, 100, 100}));
  ValidateRect(top, std::nullopt);
  EXPECT_FALSE(GetUpdateRect(top, update));
  ProcessMessages();
  EXPECT_TRUE(TakeLog(kPaintMessages).empty());
}

TEST_F(PaintUpdate, UpdateNowPaintsAndPresentsBeforeReturning) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  const HWND child = Create("child", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, top);
  PaintWith(top, RGB(200, 0, 0));
  ProcessMessages();
  TakeLog();
  const int presents = Native(top).presentCount;

  RedrawWindow(top, Rect{60, 60, 70, 70}, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(TakeLog(kPaintMessages), (Log{{"top", WM_PAINT}}));
  EXPECT_EQ(Native(top).presentCount, presents + 1);
  EXPECT_EQ(Native(top).pixels.At(65, 65), MakePixel(200, 0, 0));

  // UpdateWindow paints the children that need it as well.
  InvalidateRect(child, std::nullopt, true);
  InvalidateRect(top, Rect{80, 80, 90, 90}, false);
  UpdateWindow(top);
  EXPECT_EQ(TakeLog({WM_PAINT}), (Log{{"top", WM_PAINT}, {"child", WM_PAINT}}));
}

TEST_F(PaintUpdate, FrameFlagsSendNcPaint) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE | WS_BORDER, {0, 0, 100, 100});
  OnMessage(top, WM_ERASEBKGND, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; });
  ProcessMessages();
  TakeLog();

  // With the client area: WM_NCPAINT comes from BeginPaint.
  RedrawWindow(top, std::nullopt, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  EXPECT_EQ(TakeLog(kPaintMessages), (Log{{"top", WM_PAINT}, {"top", WM_NCPAINT}}));

  // The frame alone: WM_NCPAINT without WM_PAINT.
  RedrawWindow(top, Rect{-1, -1, 5, 0}, nullptr, RDW_INVALIDATE | RDW_FRAME);
  ProcessMessages();
  EXPECT_EQ(TakeLog(kPaintMessages), (Log{{"top", WM_NCPAINT}}));

  // RDW_VALIDATE | RDW_NOFRAME drops a pending WM_NCPAINT; RDW_ERASENOW sends what is due.
  RedrawWindow(top, std::nullopt, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
  RedrawWindow(top, Rect{0, 0, 50, 98}, nullptr, RDW_VALIDATE | RDW_NOFRAME);
  RedrawWindow(top, std::nullopt, nullptr, RDW_ERASENOW);
  EXPECT_EQ(TakeLog(kPaintMessages), (Log{{"top", WM_ERASEBKGND}}));
  ProcessMessages();
  EXPECT_EQ(TakeLog(kPaintMessages), (Log{{"top", WM_PAINT}}));  // erased already
}

TEST_F(PaintUpdate, InternalPaintGivesOneWmPaint) {
  const HWND top = Create("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  ProcessMessages();
  OnMessage(top, WM_PAINT, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });  // validates nothing
  TakeLog();
  RedrawWindow(top, std::nullopt, nullptr, RDW_INTERNALPAINT);
  ProcessMessages();
  EXPECT_EQ(TakeLog(kPaintMessages), (Log{{"top", WM_PAINT}}));
  ProcessMessages();
  EXPECT_TRUE(TakeLog(kPaintMessages).empty());
}

}  // namespace
}  // namespace tappomat::test
