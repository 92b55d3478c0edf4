// Thumb places, hit-testing, drag positions and bar rectangles of the skinned scroll bars:
// the arithmetic that painting, pressing and dragging share, with its rounding and its
// odd cases (a page covering the range, a track shorter than the shortest thumb, zero
// divisors).
#include "skin/adapters/scroll_geometry.h"

#include <gtest/gtest.h>

namespace tappomat::test {
namespace {

TEST(ScrollGeometryTest, MulDivRoundsHalvesAwayFromZeroAndGivesMinusOneForZeroDivisors) {
  struct Case {
    int a, b, c, expected;
  };
  const Case cases[] = {
      {7, 3, 2, 11},  {-7, 3, 2, -11}, {7, -3, 2, -11},
      {3, 1, 2, 2},   {1, 1, 3, 0},    {2, 1, 3, 1},
      {5, 1, 0, -1},  {0, 5, 0, -1},   {100000, 100000, 100000, 100000},
      {-1, 1, -2, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScrollMulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(ScrollGeometryTest, ThumbLengthAndStart) {
  struct Case {
    const char* what;
    ScrollValues values;
    int length, button;
    ThumbPlace expected;
  };
  const Case cases[] = {
      {"short thumb grows to 16, at the start", {0, 99, 10, 0}, 100, 17, {16, 17}},
      {"last position ends at the second button", {0, 99, 10, 90}, 100, 17, {16, 67}},
      {"middle", {0, 99, 10, 45}, 100, 17, {16, 42}},
      {"length and offset rounded", {0, 99, 50, 25}, 100, 17, {33, 34}},
      {"page 0: a button-long thumb", {0, 99, 0, 99}, 100, 17, {17, 66}},
      {"page equal to the range: as long as the track", {0, 9, 10, 0}, 100, 17, {66, 17}},
      {"page one short of the range still moves", {0, 10, 10, 1}, 100, 17, {60, 23}},
      {"track shorter than 16: ends where the second button begins",
       {0, 99, 10, 0},
       40,
       17,
       {16, 7}},
      {"no buttons: at least 19", {0, 99, 10, 0}, 100, 0, {19, 0}},
      {"inverted range: no thumb", {0, -1, 5, 0}, 100, 17, {0, 17}},
      {"a one-value range divides by zero: offset 0", {0, 0, 1, 0}, 100, 17, {66, 17}},
      {"bar start is added", {5, 104, 10, 50}, 100, 17, {16, 1000 + 17 + 25}},
  };
  for (const Case& c : cases) {
    const int start = c.values.min == 5 ? 1000 : 0;
    const ThumbPlace thumb = ThumbOf(c.values, start, c.length, c.button);
    EXPECT_EQ(thumb.length, c.expected.length) << c.what;
    EXPECT_EQ(thumb.start, c.expected.start) << c.what;
  }
}

TEST(ScrollGeometryTest, PartsAlongABar) {
  struct Case {
    const char* what;
    ScrollValues values;
    int length, along, expected;
  };
  // Bar [0, 100) with 17-pixel buttons; page 10 at 45 puts the thumb at [42, 58).
  const ScrollValues middle{0, 99, 10, 45};
  const ScrollValues pageOverRange{0, 9, 20, 0};
  const Case cases[] = {
      {"first arrow", middle, 100, 0, kPartFirstArrow},
      {"first arrow end", middle, 100, 16, kPartFirstArrow},
      {"track before", middle, 100, 17, kPartTrackBefore},
      {"track before end", middle, 100, 41, kPartTrackBefore},
      {"thumb", middle, 100, 42, kPartThumb},
      {"thumb end", middle, 100, 57, kPartThumb},
      {"track after", middle, 100, 58, kPartTrackAfter},
      {"track after end", middle, 100, 82, kPartTrackAfter},
      {"second arrow", middle, 100, 83, kPartSecondArrow},
      {"second arrow end", middle, 100, 99, kPartSecondArrow},
      {"past the bar", middle, 100, 100, kPartNone},
      {"before the bar", middle, 100, -1, kPartNone},
      {"page over the range: track hits nothing", pageOverRange, 100, 17, kPartNone},
      {"page over the range: middle hits nothing", pageOverRange, 100, 50, kPartNone},
      {"page over the range: arrows still work", pageOverRange, 100, 90, kPartSecondArrow},
      {"page one short of the range: thumb", {0, 10, 10, 1}, 100, 50, kPartThumb},
      {"short track: arrow where it lies", middle, 40, 16, kPartFirstArrow},
      {"short track: nothing between the arrows", middle, 40, 17, kPartNone},
      {"short track: second arrow", middle, 40, 23, kPartSecondArrow},
      {"too short for two buttons: first half", middle, 20, 9, kPartFirstArrow},
      {"too short for two buttons: second half", middle, 20, 10, kPartSecondArrow},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PartAlong(c.values, 0, c.length, 17, c.along), c.expected) << c.what;
}

TEST(ScrollGeometryTest, PartsOfAPointNeedItOnTheBar) {
  const ScrollValues values{0, 99, 10, 45};
  const Rect vertical{200, 10, 217, 110};
  EXPECT_EQ(PartAt(values, vertical, true, 17, {205, 10 + 50}), kPartThumb);
  EXPECT_EQ(PartAt(values, vertical, true, 17, {217, 10 + 50}), kPartNone) << "beside the bar";
  const Rect horizontal{10, 200, 110, 217};
  EXPECT_EQ(PartAt(values, horizontal, false, 17, {10 + 90, 210}), kPartSecondArrow);
}

TEST(ScrollGeometryTest, DraggedThumbPositions) {
  struct Case {
    const char* what;
    ScrollValues values;
    bool vertical;
    int offset, expected;
  };
  // Track 66 long, thumb 16: 50 pixels of room.
  const ScrollValues v{0, 99, 10, 0};
  const Case cases[] = {
      {"vertical start", v, true, 0, 0},
      {"vertical middle, rounded", v, true, 25, 46},
      {"vertical end: one past the last position", v, true, 50, 91},
      {"horizontal middle", v, false, 25, 45},
      {"horizontal end: the last position", v, false, 50, 90},
      {"empty range: the pixel offset", {3, 3, 1, 3}, true, 7, 7},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DragPosition(c.values, c.vertical, c.offset, 66, 16), c.expected) << c.what;
  EXPECT_EQ(DragPosition(v, false, 0, 16, 16), -1) << "no room: the zero-divisor value";
}

TEST(ScrollGeometryTest, BarRectanglesBesideTheClientArea) {
  const Rect window{100, 50, 300, 250};
  ScrollFrame frame{2, 2, 2, 2, 17, true, true, false};
  EXPECT_EQ(HorizontalBarRect(window, frame), (Rect{102, 231, 281, 248}));
  EXPECT_EQ(VerticalBarRect(window, frame), (Rect{281, 52, 298, 231}));
  EXPECT_EQ(CornerBoxRect(window, frame), (Rect{281, 231, 298, 248}));
  frame.leftScrollBar = true;
  EXPECT_EQ(HorizontalBarRect(window, frame), (Rect{119, 231, 298, 248}));
  EXPECT_EQ(VerticalBarRect(window, frame), (Rect{102, 52, 119, 231}));
  EXPECT_EQ(CornerBoxRect(window, frame), (Rect{102, 231, 119, 248}));
  frame = {2, 2, 2, 2, 17, false, true, false};
  EXPECT_EQ(VerticalBarRect(window, frame), (Rect{281, 52, 298, 248})) << "no horizontal bar below";
  EXPECT_TRUE(HorizontalBarRect(window, frame).IsEmpty());
  EXPECT_TRUE(CornerBoxRect(window, frame).IsEmpty());
}

}  // namespace
}  // namespace tappomat::test
