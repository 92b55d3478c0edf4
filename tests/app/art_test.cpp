// The program's drawn pictures: sizes, the colours that make them recognisable, and
// transparent backgrounds with solid shapes.
#include "app/art.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tappomat::test {
namespace {

struct Sized {
  std::string name;
  std::function<Bitmap32()> draw;
  Size size;
};

TEST(Art, PicturesHaveTheirSizes) {
  const Sized pictures[] = {
      {"RussianFlag", RussianFlag, {16, 11}},
      {"BritishFlag", BritishFlag, {16, 11}},
      {"BluePushpin", BluePushpin, {16, 16}},
      {"InfinitySign", InfinitySign, {16, 10}},
      {"ProgramIcon(32)", [] { return ProgramIcon(32); }, {32, 32}},
      {"ProgramIcon(16)", [] { return ProgramIcon(16); }, {16, 16}},
      {"ComputerMouse", ComputerMouse, {48, 48}},
  };
  for (const Sized& p : pictures) EXPECT_EQ(p.draw().GetSize(), p.size) << p.name;
}

TEST(Art, FlagsAreOpaqueWithTheirColours) {
  for (const Bitmap32& flag : {RussianFlag(), BritishFlag()}) {
    for (Pixel p : flag.Pixels()) ASSERT_EQ(PixelA(p), 255);
  }
  // Russian: the stripes inside the darker rim.
  const Bitmap32 ru = RussianFlag();
  EXPECT_EQ(ru.At(8, 2), MakePixel(255, 255, 255));
  EXPECT_EQ(ru.At(8, 5), MakePixel(0, 57, 166));
  EXPECT_EQ(ru.At(8, 8), MakePixel(213, 43, 30));
  EXPECT_EQ(ru.At(8, 3), ru.At(8, 1));  // white rows 0 … 3
  EXPECT_EQ(ru.At(8, 4), ru.At(8, 6));  // blue rows 4 … 6
  EXPECT_EQ(ru.At(8, 7), ru.At(8, 9));  // red rows 7 … 10
  const Pixel rim = ru.At(8, 0);
  EXPECT_LT(PixelR(rim), 255);
  EXPECT_EQ(PixelR(rim), PixelG(rim));  // a grey, darker than the white stripe

  // British: red cross on white in the middle, blue fields between the arms, white and
  // red on the diagonals near the corners.
  const Bitmap32 gb = BritishFlag();
  const Pixel red = MakePixel(200, 16, 46);
  const Pixel blue = MakePixel(1, 33, 105);
  EXPECT_EQ(gb.At(7, 5), red);
  EXPECT_EQ(gb.At(8, 2), red);                       // upright arm
  EXPECT_EQ(gb.At(2, 5), red);                       // cross arm
  EXPECT_EQ(gb.At(6, 2), MakePixel(255, 255, 255));  // white edge of the upright arm
  EXPECT_EQ(gb.At(4, 1), blue);                      // between the diagonal and the upright arm
  EXPECT_EQ(gb.At(1, 3), blue);                      // between the diagonal and the cross arm
  const Pixel diagonal = gb.At(3, 2);                // on the diagonal through (0, 0) and (16, 11)
  EXPECT_GT(PixelR(diagonal), 150);
  EXPECT_LT(PixelG(diagonal), PixelR(diagonal));
}

// Transparent at the corners, solid in the middle of the shape, and soft edges in between.
struct Cutout {
  std::string name;
  std::function<Bitmap32()> draw;
  std::vector<Point> solid;
  std::vector<Point> clear;
};

TEST(Art, CutoutsAreSolidShapesOnTransparent) {
  const Cutout pictures[] = {
      {"BluePushpin",
       BluePushpin,
       {{10, 5}, {8, 8}, {3, 12}},
       {{0, 0}, {15, 15}, {0, 4}, {12, 13}}},
      {"InfinitySign",
       InfinitySign,
       {{7, 4}, {8, 5}, {3, 1}, {12, 8}, {1, 4}},
       {{0, 0}, {15, 9}, {4, 4}, {11, 5}}},
      {"ProgramIcon(32)",
       [] { return ProgramIcon(32); },
       {{15, 18}, {13, 10}, {13, 3}, {6, 8}},
       {{0, 31}, {31, 31}, {31, 0}, {13, 8}}},
      {"ProgramIcon(16)",
       [] { return ProgramIcon(16); },
       {{7, 8}, {6, 5}},
       {{0, 15}, {15, 15}, {15, 0}}},
      {"ComputerMouse",
       ComputerMouse,
       {{17, 30}, {23, 19}, {23, 12}, {30, 7}},
       {{0, 0}, {47, 47}, {0, 47}, {5, 30}, {44, 30}, {40, 3}}},
  };
  for (const Cutout& c : pictures) {
    const Bitmap32 picture = c.draw();
    for (Point p : c.solid) {
      EXPECT_EQ(PixelA(picture.At(p.x, p.y)), 255) << c.name << " " << p.x << "," << p.y;
    }
    for (Point p : c.clear) {
      EXPECT_EQ(picture.At(p.x, p.y), 0u) << c.name << " " << p.x << "," << p.y;
    }
    int soft = 0;
    for (Pixel p : picture.Pixels()) soft += PixelA(p) > 0 && PixelA(p) < 255;
    EXPECT_GT(soft, 0) << c.name << " has no anti-aliased edge";
  }
}

TEST(Art, PushpinIsBlueAndInfinityDark) {
  const Pixel head = BluePushpin().At(11, 6);
  EXPECT_GT(PixelB(head), 150);
  EXPECT_GT(PixelB(head), 2 * PixelR(head));
  const Pixel crossing = InfinitySign().At(7, 4);
  EXPECT_LT(PixelR(crossing) + PixelG(crossing) + PixelB(crossing), 3 * 64);
}

TEST(Art, ProgramIconHasAWhitePointerWithABlackRim) {
  const Bitmap32 icon = ProgramIcon(32);
  EXPECT_EQ(icon.At(15, 18), MakePixel(255, 255, 255));
  // Walking left from inside the pointer, the rim comes before the transparent outside.
  int x = 15;
  while (x > 0 && icon.At(x, 18) == MakePixel(255, 255, 255)) --x;
  EXPECT_LT(PixelR(icon.At(x, 18)), 128);
  EXPECT_GT(PixelA(icon.At(x, 18)), 128);
}

TEST(Art, ComputerMouseIsALightBodyWithADarkWheelSplitAndRim) {
  const Bitmap32 mouse = ComputerMouse();
  const Pixel body = mouse.At(17, 30);
  EXPECT_GT(PixelR(body), 200);
  EXPECT_GE(PixelB(body), PixelR(body)) << "a cool grey";
  const auto darker = [&](Point p) { return PixelR(body) - PixelR(mouse.At(p.x, p.y)); };
  EXPECT_GT(darker({23, 19}), 100) << "wheel";
  EXPECT_GT(darker({23, 24}), 60) << "split between the buttons";
  EXPECT_GT(darker({17, 26}), 60) << "front edge of the buttons";
  // Walking left from inside the body, the rim comes before the transparent outside.
  int x = 17;
  while (x > 0 && PixelR(mouse.At(x, 30)) > 200) --x;
  EXPECT_LT(PixelR(mouse.At(x, 30)), 100);
  EXPECT_EQ(PixelA(mouse.At(x, 30)), 255);
}

}  // namespace
}  // namespace tappomat::test
