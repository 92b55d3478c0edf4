// Layered windows: colour-keyed shapes from the painted picture (the program's marker
// windows), whole-window opacity, and pictures from UpdateLayeredWindow.
#include <gtest/gtest.h>

#include "gdi/primitives.h"
#include "win/paint.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

class PaintLayered : public WinTest {
 protected:
  const HeadlessPlatform::WindowRecord& Native(HWND top) { return *platform.Window(system.Find(top)->top.native); }
};

TEST_F(PaintLayered, BlackKeyedWindowShowsAndTakesClicksOnlyWhereItIsNotBlack) {
  const HWND marker = Create("marker", WS_POPUP, Rect::FromSize(100, 100, 40, 40), kNullWindow,
                             WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  Rect ring{10, 10, 20, 30};
  OnMessage(marker, WM_PAINT, [&ring](HWND h, UINT, WPARAM, LPARAM) -> LRESULT {
    PAINTSTRUCT ps;
    DeviceContext& dc = BeginPaint(h, ps);
    FillRect(dc, GetClientRect(h), RGB(0, 0, 0));
    FillRect(dc, ring, RGB(255, 0, 0));
    EndPaint(h, ps);
    return 0;
  });
  EXPECT_TRUE(SetLayeredWindowAttributes(marker, RGB(0, 0, 0), 0, LWA_COLORKEY));
  ShowWindow(marker, SW_SHOWNA);
  ProcessMessages();
  ASSERT_TRUE(Native(marker).shape.has_value());
  EXPECT_TRUE(Native(marker).shape->SameArea(Region(ring)));
  ASSERT_TRUE(Native(marker).inputShape.has_value());
  EXPECT_TRUE(Native(marker).inputShape->SameArea(Region(ring)));
  const NativeWindowId native = system.Find(marker)->top.native;
  EXPECT_EQ(platform.WindowAt({115, 115}), native);
  EXPECT_NE(platform.WindowAt({102, 102}), native);

  // The shape follows what is painted.
  ring = {0, 0, 5, 5};
  InvalidateRect(marker, std::nullopt, true);
  ProcessMessages();
  EXPECT_TRUE(Native(marker).shape->SameArea(Region(ring)));

  // Without the key the whole window shows again.
  SetLayeredWindowAttributes(marker, 0, 200, LWA_ALPHA);
  EXPECT_FALSE(Native(marker).shape.has_value());
  EXPECT_EQ(Native(marker).opacity, 200);
  DestroyWindow(marker);  // before `ring`
}

TEST_F(PaintLayered, UpdateLayeredWindowPresentsThePictureInsteadOfPainting) {
  const HWND h = Create("h", WS_POPUP | WS_VISIBLE, Rect::FromSize(0, 0, 10, 10), kNullWindow, WS_EX_LAYERED);
  ProcessMessages();
  TakeLog();
  Bitmap32 picture(30, 20, MakePixel(0, 0, 64, 128));  // premultiplied half-transparent blue
  ASSERT_TRUE(UpdateLayeredWindow(h, Point{5, 6}, picture, 180));
  EXPECT_EQ(Native(h).pixels, picture);
  EXPECT_EQ(Native(h).constantAlpha, 180);
  EXPECT_EQ(GetWindowRect(h), Rect::FromSize(5, 6, 30, 20));  // the picture's size

  InvalidateRect(h, std::nullopt, true);
  ProcessMessages();
  EXPECT_TRUE(TakeLog({WM_PAINT}).empty());

  // When the platform loses the picture, it is presented again, not painted.
  const int presents = Native(h).presentCount;
  NativeEvent exposed;
  exposed.type = NativeEvent::Type::Damaged;
  exposed.rect = {0, 0, 10, 10};
  platform.InjectEvent(system.Find(h)->top.native, exposed);
  ProcessMessages();
  EXPECT_EQ(Native(h).presentCount, presents + 1);
  EXPECT_EQ(Native(h).pixels, picture);
  EXPECT_TRUE(TakeLog({WM_PAINT}).empty());

  // SetLayeredWindowAttributes returns the window to painting.
  SetLayeredWindowAttributes(h, 0, 255, LWA_ALPHA);
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_PAINT}).size(), 1u);

  const HWND plain = Create("plain", WS_POPUP, Rect::FromSize(0, 0, 10, 10));
  EXPECT_FALSE(UpdateLayeredWindow(plain, std::nullopt, picture, 255));
  EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 100, LWA_ALPHA));
}

}  // namespace
}  // namespace tappomat::test
