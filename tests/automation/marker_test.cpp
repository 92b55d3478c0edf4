// The marker windows: their pictures, where a script row puts them, and how they behave
// on screen (see-through black, solid rings, Esc on the pick marker).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "automation/marker_picture.h"
#include "automation/marker_position.h"
#include "automation/script_table.h"
#include "automation/target.h"
#include "automation/target2.h"
#include "platform/headless/headless_platform.h"
#include "platform/virtual_keys.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/string_grid.h"
#include "win/input.h"
#include "win/window_data.h"
#include "win/window_system.h"

namespace tappomat::test {
namespace {

constexpr Pixel kBlack = MakePixel(0, 0, 0);

// The pixel whose area a point at `radius` from the rings' centre, at `degrees`, falls in.
Point PixelAtRadius(double radius, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {static_cast<int>(std::floor(kMarkerCenter + radius * std::cos(a))),
          static_cast<int>(std::floor(kMarkerCenter + radius * std::sin(a)))};
}

// --- the pictures

class MarkerPictureTest : public ::testing::TestWithParam<MarkerColor> {};

TEST_P(MarkerPictureTest, RingsAndDotInFullColourOnOpaqueBlack) {
  const Pixel full = MarkerFullColor(GetParam());
  const Bitmap32 picture = DrawMarkerPicture(GetParam());
  ASSERT_EQ(picture.GetSize(), (Size{40, 40}));
  for (Pixel p : picture.Pixels()) ASSERT_EQ(PixelA(p), 255);

  for (Point corner : {Point{0, 0}, Point{39, 0}, Point{0, 39}, Point{39, 39}}) {
    EXPECT_EQ(picture.At(corner.x, corner.y), kBlack) << corner.x << "," << corner.y;
  }
  // The dot covers the centre point and reaches up and left of it.
  for (Point dot : {Point{19, 19}, Point{20, 19}, Point{19, 20}, Point{18, 19}, Point{19, 18}}) {
    EXPECT_EQ(picture.At(dot.x, dot.y), full) << "dot " << dot.x << "," << dot.y;
  }
  for (int degrees = 0; degrees < 360; degrees += 15) {
    const Point outer = PixelAtRadius(17.5, degrees);
    const Point inner = PixelAtRadius(8.5, degrees);
    const Point gap = PixelAtRadius(13, degrees);
    const Point hole = PixelAtRadius(4, degrees);  // between the dot and the inner ring
    EXPECT_EQ(picture.At(outer.x, outer.y), full) << "outer ring at " << degrees;
    EXPECT_EQ(picture.At(inner.x, inner.y), full) << "inner ring at " << degrees;
    EXPECT_EQ(picture.At(gap.x, gap.y), kBlack) << "gap at " << degrees;
    EXPECT_EQ(picture.At(hole.x, hole.y), kBlack) << "hole at " << degrees;
  }
}

TEST_P(MarkerPictureTest, EdgesAreBlendedTowardsBlackButNeverBlack) {
  const Pixel full = MarkerFullColor(GetParam());
  const Bitmap32 picture = DrawMarkerPicture(GetParam());
  // Each ring edge crosses the diagonal inside one pixel, which it covers only in part.
  for (double edge : {20.0, 15.0, 11.0, 6.0}) {
    const Point p = PixelAtRadius(edge, 45);
    const Pixel pixel = picture.At(p.x, p.y);
    EXPECT_NE(pixel, kBlack) << "edge at radius " << edge;
    EXPECT_NE(pixel, full) << "edge at radius " << edge;
  }
  // Every pixel is the full colour scaled down: no other hue, and a covered pixel keeps
  // some colour, since black would be cut out by the colour key.
  for (Pixel p : picture.Pixels()) {
    if (p == kBlack) continue;
    const double share = static_cast<double>(PixelR(p) + PixelG(p) + PixelB(p)) /
                         (PixelR(full) + PixelG(full) + PixelB(full));
    ASSERT_GT(share, 0.0);
    ASSERT_NEAR(PixelR(p), PixelR(full) * share, 1.5) << std::hex << p;
    ASSERT_NEAR(PixelG(p), PixelG(full) * share, 1.5) << std::hex << p;
    ASSERT_NEAR(PixelB(p), PixelB(full) * share, 1.5) << std::hex << p;
  }
}

TEST_P(MarkerPictureTest, RingsAreCentredOnThePicturesMiddlePoint) {
  const Bitmap32 picture = DrawMarkerPicture(GetParam());
  // Mirrored left-right and top-bottom the rings stay where they are; only the dot,
  // which sits up and left of the centre, is not symmetric.
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (std::abs(x + 0.5 - kMarkerCenter) < 4 && std::abs(y + 0.5 - kMarkerCenter) < 4) continue;
      ASSERT_EQ(picture.At(x, y), picture.At(39 - x, y)) << x << "," << y;
      ASSERT_EQ(picture.At(x, y), picture.At(x, 39 - y)) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothColours, MarkerPictureTest,
                         ::testing::Values(MarkerColor::Red, MarkerColor::Green));

TEST(MarkerPicture, RedAndGreenDifferOnlyInColour) {
  EXPECT_EQ(MarkerFullColor(MarkerColor::Red), MakePixel(228, 0, 0));
  EXPECT_EQ(MarkerFullColor(MarkerColor::Green), MakePixel(0, 228, 54));
  const Bitmap32 red = DrawMarkerPicture(MarkerColor::Red);
  const Bitmap32 green = DrawMarkerPicture(MarkerColor::Green);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const Pixel r = red.At(x, y);
      const Pixel g = green.At(x, y);
      ASSERT_EQ(PixelG(r), 0);
      ASSERT_EQ(PixelB(r), 0);
      ASSERT_EQ(PixelR(g), 0);
      ASSERT_EQ(PixelR(r), PixelG(g)) << x << "," << y;  // the same coverage
    }
  }
}

// --- forms on a headless screen

class MarkerWindowTest : public ::testing::Test {
 protected:
  MarkerWindowTest() {
    app = std::make_unique<TApplication>();
    app->ShowErrorBox = [this](const std::string&, const std::string& text) {
      errorBoxes.push_back(text);
    };
  }
  ~MarkerWindowTest() override { app.reset(); }

  void Pump() { Application->ProcessMessages(); }
  void Click(Point screen) {
    platform.UserClick(screen);
    Pump();
  }
  void Key(int virtualKey) {
    platform.UserKey(virtualKey, true);
    platform.UserKey(virtualKey, false);
    Pump();
  }
  const HeadlessPlatform::WindowRecord* NativeOf(TForm* form) {
    return platform.Window(system.Find(form->Handle())->top.native);
  }
  // A borderless form that records where it is pressed (client coordinates).
  TForm* FormBelow(const Rect& bounds) {
    auto* form = Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBoundsRect(bounds);
    form->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int x, int y) {
      pressesBelow.push_back({x, y});
    };
    form->Show();
    Pump();
    return form;
  }

  HeadlessPlatform platform;
  WindowSystem system{platform};
  std::unique_ptr<TApplication> app;
  std::vector<std::string> errorBoxes;
  std::vector<Point> pressesBelow;
};

TEST_F(MarkerWindowTest, PositionOfARowPutsThePicturesCentreOnItsPoint) {
  struct Case {
    const char* x;
    const char* y;
    Point expected;
  };
  // Cells convert as the player converts them (StrToInt's rules): blanks in front and
  // "$" hexadecimal are accepted; anything else gives (0, 0).
  const Case cases[] = {
      {"100", "200", {80, 180}},     {"0", "0", {-20, -20}}, {"-10", "15", {-30, -5}},
      {"", "200", {0, 0}},           {"100", "", {0, 0}},    {"abc", "200", {0, 0}},
      {"100", "12px", {0, 0}},       {" 5", "25", {-15, 5}}, {"$10", "30", {-4, 10}},
      {"-2147483648", "30", {0, 0}},  // the corner would not fit an int
      {"99999999999", "30", {0, 0}},
  };
  auto grid = std::make_unique<TStringGrid>(nullptr);
  grid->SetColCount(5);
  grid->SetRowCount(2);
  for (const Case& c : cases) {
    grid->SetCells(kXCol, 1, c.x);
    grid->SetCells(kYCol, 1, c.y);
    EXPECT_EQ(MarkerPosition(*grid, 1), c.expected) << '"' << c.x << "\", \"" << c.y << '"';
  }
  // Rows and columns the grid does not have are empty cells, not errors.
  EXPECT_EQ(MarkerPosition(*grid, 2), (Point{0, 0}));
  EXPECT_EQ(MarkerPosition(*grid, -1), (Point{0, 0}));
  grid->SetColCount(3);
  EXPECT_EQ(MarkerPosition(*grid, 1), (Point{0, 0}));
  EXPECT_TRUE(errorBoxes.empty());
}

TEST_F(MarkerWindowTest, RedMarkerIsSolidOnlyWhereItsRingsAre) {
  FormBelow(Rect::FromSize(100, 100, 400, 300));
  auto* marker = Create<TForm3>(Application);
  EXPECT_FALSE(marker->Visible());
  auto grid = std::make_unique<TStringGrid>(nullptr);
  grid->SetColCount(4);
  grid->SetCells(kXCol, 0, "170");
  grid->SetCells(kYCol, 0, "220");
  marker->MoveTo(MarkerPosition(*grid, 0));
  int ringPresses = 0;
  marker->Image1->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) {
    ++ringPresses;
  };
  marker->Show();
  Pump();

  const auto* record = NativeOf(marker);
  EXPECT_EQ(record->bounds, Rect::FromSize(150, 200, 116, 40));
  EXPECT_TRUE(record->topmost);
  // The picture's centre is on the row's point.
  EXPECT_EQ(record->pixels.At(19, 19), MarkerFullColor(MarkerColor::Red));
  ASSERT_TRUE(record->shape.has_value());
  EXPECT_TRUE(record->shape->Contains({20, 2}));
  EXPECT_FALSE(record->shape->Contains({2, 2}));

  Click({150 + 2, 200 + 2});    // black corner of the picture
  Click({150 + 80, 200 + 20});  // black beside the picture
  EXPECT_EQ(pressesBelow, (std::vector<Point>{{52, 102}, {130, 120}}));
  EXPECT_EQ(ringPresses, 0);

  Click({150 + 20, 200 + 2});   // outer ring
  Click({150 + 19, 200 + 19});  // dot
  EXPECT_EQ(ringPresses, 2);
  EXPECT_EQ(pressesBelow.size(), 2u);
}

TEST_F(MarkerWindowTest, EscInTheGreenMarkerHidesItAndCancelsThePick) {
  FormBelow(Rect::FromSize(100, 100, 400, 300));
  auto* marker = Create<TForm4>(Application);
  int cancelled = 0;
  marker->OnPickCancelled = [&] { ++cancelled; };
  marker->MoveTo({300, 250});
  marker->Show();
  Pump();
  EXPECT_EQ(NativeOf(marker)->bounds, Rect::FromSize(300, 250, 124, 40));
  EXPECT_EQ(NativeOf(marker)->pixels.At(19, 19), MarkerFullColor(MarkerColor::Green));
  // Shown, it takes the activation and the keys.
  EXPECT_EQ(GetActiveWindow(), marker->Handle());
  EXPECT_EQ(GetFocus(), marker->Handle());
  EXPECT_EQ(platform.FocusedWindow(), system.Find(marker->Handle())->top.native);

  for (int other : {int{VK_RETURN}, int{VK_SPACE}, int{'A'}}) {
    Key(other);
    EXPECT_TRUE(marker->Visible()) << other;
  }
  EXPECT_EQ(cancelled, 0);

  Key(VK_ESCAPE);
  EXPECT_FALSE(marker->Visible());
  EXPECT_FALSE(NativeOf(marker)->visible);
  EXPECT_EQ(cancelled, 1);
  EXPECT_TRUE(errorBoxes.empty());
}

}  // namespace
}  // namespace tappomat::test
