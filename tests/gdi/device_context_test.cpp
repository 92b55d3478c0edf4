#include "gdi/device_context.h"

#include <gtest/gtest.h>

namespace tappomat {
namespace {

TEST(DeviceContext, ClipFollowsOriginAndStaysInsideTheBitmap) {
  Bitmap32 bmp(20, 10);
  DeviceContext dc(bmp);
  EXPECT_EQ(dc.ClipBox(), (Rect{0, 0, 20, 10}));

  dc.SetOrigin({5, 2});
  dc.IntersectClipRect({0, 0, 100, 100});
  EXPECT_EQ(dc.DeviceClip().Bounds(), (Rect{5, 2, 20, 10}));
  EXPECT_EQ(dc.ClipBox(), (Rect{0, 0, 15, 8}));

  dc.SelectClipRect({-10, -10, 3, 3});
  EXPECT_EQ(dc.DeviceClip().Bounds(), (Rect{0, 0, 8, 5}));
  dc.ExcludeClipRect({0, 0, 1, 1});
  EXPECT_FALSE(dc.RectVisible({0, 0, 1, 1}));
  EXPECT_TRUE(dc.RectVisible({1, 1, 2, 2}));
}

TEST(DeviceContext, SelectedClipNeverLeavesTheSystemClip) {
  Bitmap32 bmp(20, 10);
  DeviceContext dc(bmp);
  dc.SetSystemClip(Region(Rect{5, 0, 10, 10}));  // e.g. a window's visible part
  dc.SetOrigin({5, 0});
  EXPECT_EQ(dc.ClipBox(), (Rect{0, 0, 5, 10}));
  dc.SelectClipRect({-100, -100, 100, 100});
  EXPECT_EQ(dc.DeviceClip().Bounds(), (Rect{5, 0, 10, 10}));
  dc.SelectClipRect({1, 1, 2, 2});
  dc.ResetClipRegion();
  EXPECT_EQ(dc.DeviceClip().Bounds(), (Rect{5, 0, 10, 10}));
}

TEST(DeviceContext, SaverRestoresEveryPartOfTheState) {
  Bitmap32 bmp(8, 8);
  DeviceContext dc(bmp);
  dc.SetTextColor(RGB(1, 2, 3));
  {
    DeviceContext::Saver saver(dc);
    dc.SetOrigin({3, 3});
    dc.IntersectClipRect({0, 0, 1, 1});
    dc.SetTextColor(RGB(9, 9, 9));
    dc.SetBkMode(BkMode::Transparent);
    LogicalFont f;
    f.bold = true;
    dc.SetFont(f);
  }
  EXPECT_EQ(dc.Origin(), (Point{0, 0}));
  EXPECT_EQ(dc.ClipBox(), (Rect{0, 0, 8, 8}));
  EXPECT_EQ(dc.TextColor(), RGB(1, 2, 3));
  EXPECT_EQ(dc.GetBkMode(), BkMode::Opaque);
  EXPECT_FALSE(dc.Font().bold);
}

}  // namespace
}  // namespace tappomat
