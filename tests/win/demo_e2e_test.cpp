// End to end: the window-system demo on a private X server, driven through XTest as a
// user would — a click that the child window shows while the button is held, a move by
// the caption, and the close button that ends the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/x11_test_client.h"
#include "support/xvfb_session.h"

namespace tappomat::test {
namespace {

// Colours the demo paints (0xRRGGBB as the server reports them).
constexpr unsigned long kPadColor = 0xC8E6FF;
constexpr unsigned long kPadPressedColor = 0xFFC878;

TEST(WinDemoEndToEnd, ReactsToClicksMovesByItsCaptionAndClosesByItsButton) {
  XvfbSession session;
  ASSERT_TRUE(session.Ok()) << session.Error();
  X11TestClient user(session.DisplayName());
  ASSERT_TRUE(user.Ok());
  // --exit-after: a test that goes wrong never leaves the demo running.
  ChildProcess demo(TAPPOMAT_WIN_DEMO, {"--exit-after", "30000"}, session.DisplayName());
  ASSERT_TRUE(demo.Started());

  // The demo's window is at (100, 100), 420 × 300, with a 4-pixel frame and a 19-pixel
  // caption; the pad is at (20, 60) of the client area, 240 × 120.
  const Point padPoint{100 + 4 + 20 + 120, 100 + 4 + 19 + 60 + 90};
  ASSERT_TRUE(WaitUntil([&] { return user.PixelAt(user.Root(), padPoint.x, padPoint.y) == kPadColor; },
                        std::chrono::seconds(10)));

  user.FakeMotion(padPoint);
  user.FakeButton(1, true);
  EXPECT_TRUE(WaitUntil([&] { return user.PixelAt(user.Root(), padPoint.x, padPoint.y) == kPadPressedColor; }));
  user.FakeButton(1, false);
  EXPECT_TRUE(WaitUntil([&] { return user.PixelAt(user.Root(), padPoint.x, padPoint.y) == kPadColor; }));

  // Drag the caption by (60, 40).
  const Point caption{300, 110};
  user.FakeMotion(caption);
  user.FakeButton(1, true);
  user.FakeMotion({caption.x + 30, caption.y + 20});
  user.FakeMotion({caption.x + 60, caption.y + 40});
  user.FakeButton(1, false);
  const Point movedPad{padPoint.x + 60, padPoint.y + 40};
  EXPECT_TRUE(WaitUntil([&] { return user.PixelAt(user.Root(), movedPad.x, movedPad.y) == kPadColor; }));

  // The close button sits at the right end of the caption, 2 pixels in.
  const Point close{100 + 60 + 420 - 4 - 2 - 8, 100 + 40 + 4 + 9};
  user.FakeMotion(close);
  user.FakeButton(1, true);
  user.FakeButton(1, false);
  int status = -1;
  EXPECT_TRUE(WaitUntil([&] { return (status = demo.TryExitStatus()) != -1; }, std::chrono::seconds(5)));
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace tappomat::test
