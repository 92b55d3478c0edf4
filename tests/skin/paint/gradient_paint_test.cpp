// Exact pixels of section gradients: stacked pieces from the top and from the left, the
// four triangles, a piece that ends the gradient early, and clipping at the bitmap's edges.
// Every expected value below is worked out by hand from the painting rules.
#include "skin/paint/gradient_paint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/color.h"

namespace tappomat {
namespace {

// What every test bitmap starts as, so that unpainted pixels are recognisable.
constexpr Pixel kUntouched = MakePixel(1, 2, 3, 4);

constexpr Pixel Grey(std::uint8_t v) { return MakePixel(v, v, v); }

// Every pixel of row `y` from `left` to `right` (exclusive) is `expected`.
void ExpectRow(const Bitmap32& bmp, int y, int left, int right, Pixel expected) {
  for (int x = left; x < right; ++x) {
    ASSERT_EQ(bmp.At(x, y), expected) << "x " << x << " y " << y;
  }
}

void ExpectOutsideUntouched(const Bitmap32& bmp, const Rect& r) {
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      if (!r.Contains(Point{x, y})) {
        ASSERT_EQ(bmp.At(x, y), kUntouched) << "x " << x << " y " << y;
      }
    }
  }
}

// Neutral2's BUTTON gradient:
// 16777215;14737632;23;0;0;14737632;13882323;46;0;0;13882323;12040119;30;0;0;12040119;12040119;0;0;0
// that is white (255) -> E0E0E0 (224) over 23 %, -> D3D3D3 (211) over 46 %, -> B7B7B7 (183)
// over 30 %, and a last piece B7B7B7 -> B7B7B7 of 0 %.
TEST(GradientPaint, Neutral2ButtonAt75By25) {
  const std::vector<TsGradientPiece> pieces = {
      {16777215, 14737632, 23, 0},
      {14737632, 13882323, 46, 0},
      {13882323, 12040119, 30, 0},
      {12040119, 12040119, 0, 0},
  };
  // Rows, with height 25:
  //   piece 1: 0 .. 0 + 25 * 23 / 100 = 5, n = 5:  255 - 6.2 k
  //   piece 2: 5 .. 5 + 25 * 46 / 100 = 16, n = 11: 224 - 13 k / 11
  //   piece 3: 16 .. 16 + 25 * 30 / 100 = 23, n = 7: 211 - 4 k
  //   piece 4: the last piece, 23 .. the last row 24, n = 1: 183 throughout
  // Row 5 is shared by pieces 1 and 2 (both give 224), row 16 by 2 and 3 (211), row 23 by
  // 3 and 4 (183); the later piece paints each.
  // clang-format off
  const int expected[25] = {
      255, 249, 243, 236, 230,  // rows 0-4: 255, 248.8, 242.6, 236.4, 230.2
      224, 223, 222, 220, 219,  // rows 5-9: 224, 222.82, 221.64, 220.45, 219.27
      218, 217, 216, 215, 213,  // rows 10-14: 218.09, 216.91, 215.73, 214.55, 213.36
      212,                      // row 15: 212.18
      211, 207, 203, 199,       // rows 16-19: exact steps of 4
      195, 191, 187,            // rows 20-22
      183, 183,                 // rows 23-24: the last piece
  };
  // clang-format on
  Bitmap32 bmp(75, 25, kUntouched);
  PaintGradient(bmp, bmp.Bounds(), pieces);
  for (int y = 0; y < 25; ++y)
    ExpectRow(bmp, y, 0, 75, Grey(static_cast<std::uint8_t>(expected[y])));
}

TEST(GradientPaint, VerticalRoundsHalvesToEvenAndStaysInsideTheRectangle) {
  // One piece over rows 1 .. 3 of the rectangle (n = 2): the middle row is half-way, so
  // red 0 -> 1 gives 0.5 -> 0, green 0 -> 3 gives 1.5 -> 2, blue 10 -> 5 gives 7.5 -> 8.
  const std::vector<TsGradientPiece> pieces = {{RGB(0, 0, 10), RGB(1, 3, 5), 100, 0}};
  const Rect r{2, 1, 5, 4};
  Bitmap32 bmp(7, 6, kUntouched);
  PaintGradient(bmp, r, pieces);
  ExpectRow(bmp, 1, 2, 5, MakePixel(0, 0, 10));
  ExpectRow(bmp, 2, 2, 5, MakePixel(0, 2, 8));
  ExpectRow(bmp, 3, 2, 5, MakePixel(1, 3, 5));
  ExpectOutsideUntouched(bmp, r);
}

TEST(GradientPaint, HorizontalPiecesShareAColumnThatTheLaterOnePaints) {
  // Width 10: piece 1 on columns 0 .. 10 * 50 / 100 = 5 (n = 5), piece 2, the last, on
  // columns 5 .. 9 (n = 4). Column 5 is piece 2's start colour, not piece 1's end colour.
  const std::vector<TsGradientPiece> pieces = {
      {RGB(0, 0, 0), RGB(100, 50, 10), 50, 1},
      {RGB(200, 0, 0), RGB(0, 0, 200), 50, 0},  // only the first piece's direction counts
  };
  const Pixel expected[10] = {
      MakePixel(0, 0, 0),    MakePixel(20, 10, 2), MakePixel(40, 20, 4),  MakePixel(60, 30, 6),
      MakePixel(80, 40, 8),  MakePixel(200, 0, 0), MakePixel(150, 0, 50), MakePixel(100, 0, 100),
      MakePixel(50, 0, 150), MakePixel(0, 0, 200),
  };
  const Rect r{2, 1, 12, 4};
  Bitmap32 bmp(14, 5, kUntouched);
  PaintGradient(bmp, r, pieces);
  for (int y = r.top; y < r.bottom; ++y) {
    for (int i = 0; i < 10; ++i) EXPECT_EQ(bmp.At(r.left + i, y), expected[i]) << "column " << i;
  }
  ExpectOutsideUntouched(bmp, r);
}

TEST(GradientPaint, APieceWithoutRowsEndsTheGradient) {
  // Height 20: piece 1 on rows 0 .. 10 (n = 10, steps of 25.5 with halves to even);
  // piece 2 would end 20 * 4 / 100 = 0 rows further, so it paints nothing and piece 3 is
  // never reached: rows 11 .. 19 keep what they had.
  const std::vector<TsGradientPiece> pieces = {
      {RGB(255, 0, 0), RGB(0, 0, 255), 50, 0},
      {RGB(0, 255, 0), RGB(0, 255, 0), 4, 0},
      {RGB(9, 9, 9), RGB(9, 9, 9), 46, 0},
  };
  // red 255 - 25.5 k, blue 25.5 k: 229.5 -> 230, 178.5 -> 178, 127.5 -> 128, 76.5 -> 76,
  // 25.5 -> 26.
  const int red[11] = {255, 230, 204, 178, 153, 128, 102, 76, 51, 26, 0};
  Bitmap32 bmp(3, 20, kUntouched);
  PaintGradient(bmp, bmp.Bounds(), pieces);
  for (int y = 0; y <= 10; ++y) {
    const auto r = static_cast<std::uint8_t>(red[y]);
    ExpectRow(bmp, y, 0, 3, MakePixel(r, 0, static_cast<std::uint8_t>(red[10 - y])));
  }
  for (int y = 11; y < 20; ++y) ExpectRow(bmp, y, 0, 3, kUntouched);
}

TEST(GradientPaint, PiecesEndOnTheLastRowOfTheRectangle) {
  struct Case {
    const char* what;
    std::vector<TsGradientPiece> pieces;
    Rect r;
    std::vector<int> rows;  // red of each row of r; -1 untouched
  } cases[] = {
      // A single piece spans the whole height whatever its percent.
      {"single piece", {{RGB(0, 0, 0), RGB(40, 0, 0), 10, 0}}, {0, 0, 1, 5}, {0, 10, 20, 30, 40}},
      // 60 % of 5 rows ends on row 3, 60 % more would end on row 6: it ends on row 4, the
      // last one, and the last piece, starting there, has no rows left.
      {"pieces past the bottom",
       {{RGB(0, 0, 0), RGB(30, 0, 0), 60, 0},
        {RGB(100, 0, 0), RGB(0, 0, 0), 60, 0},
        {RGB(7, 0, 0), RGB(7, 0, 0), 0, 0}},
       {0, 0, 1, 5},
       {0, 10, 20, 100, 0}},
      // One row: the only piece starts and ends on it and paints nothing.
      {"one row", {{RGB(50, 0, 0), RGB(60, 0, 0), 100, 0}}, {0, 0, 1, 1}, {-1}},
  };
  for (const Case& c : cases) {
    Bitmap32 bmp(c.r.right, c.r.bottom, kUntouched);
    PaintGradient(bmp, c.r, c.pieces);
    for (int y = 0; y < static_cast<int>(c.rows.size()); ++y) {
      const Pixel expected =
          c.rows[y] < 0 ? kUntouched : MakePixel(static_cast<std::uint8_t>(c.rows[y]), 0, 0);
      EXPECT_EQ(bmp.At(0, y), expected) << c.what << ", row " << y;
    }
  }
}

// Triangles at 5 x 5 with the vertex reds top-left 200, centre 100, top-right 0,
// bottom-right 50, bottom-left 255. In coordinates u, v from -1 to 1 across the rectangle:
// top triangle: centre 1 + v, top-left (-v - u) / 2, top-right (-v + u) / 2; the others
// likewise. For example (0, 2): left triangle, half top-left and half bottom-left:
// 100 + 127.5 = 227.5 -> 228; (4, 1): right triangle, 3/4 top-right and 1/4 bottom-right:
// 12.5 -> 12; (2, 4): half bottom-left, half bottom-right: 127.5 + 25 = 152.5 -> 152.
TEST(GradientPaint, FourTrianglesAtAnOddSize) {
  const std::vector<TsGradientPiece> pieces = {
      {RGB(200, 0, 0), RGB(9, 9, 9), 0, 2},
      {RGB(100, 0, 0), 0, 0, 0},
      {RGB(0, 0, 0), 0, 0, 0},
      {RGB(50, 0, 0), 0, 0, 0},
      {RGB(255, 0, 0), 0, 0, 0},
  };
  const int red[5][5] = {
      {200, 150, 100, 50, 0},    //
      {214, 150, 100, 50, 12},   // 213.75, ..., 12.5
      {228, 164, 100, 62, 25},   // 227.5, 163.75, 100, 62.5, 25
      {241, 178, 126, 75, 38},   // 241.25, 177.5, 126.25, 75, 37.5
      {255, 204, 152, 101, 50},  // 255, 203.75, 152.5, 101.25, 50
  };
  const Rect r{1, 1, 6, 6};
  Bitmap32 bmp(7, 7, kUntouched);
  PaintGradient(bmp, r, pieces);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(bmp.At(r.left + x, r.top + y),
                MakePixel(static_cast<std::uint8_t>(red[y][x]), 0, 0))
          << "x " << x << " y " << y;
    }
  }
  ExpectOutsideUntouched(bmp, r);
}

TEST(GradientPaint, MissingTrianglePiecesRepeatThePreviousColour) {
  // Two pieces: top-left 0, centre 200; top-right, bottom-right and bottom-left repeat 200.
  // At 3 x 3 only the pixels next to the top-left corner are darker, and only by half.
  const std::vector<TsGradientPiece> pieces = {
      {RGB(0, 0, 0), 0, 50, 2},
      {RGB(200, 0, 0), 0, 50, 0},
  };
  const int red[3][3] = {{0, 100, 200}, {100, 200, 200}, {200, 200, 200}};
  Bitmap32 bmp(3, 3, kUntouched);
  PaintGradient(bmp, bmp.Bounds(), pieces);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(bmp.At(x, y), MakePixel(static_cast<std::uint8_t>(red[y][x]), 0, 0))
          << "x " << x << " y " << y;
    }
  }
}

TEST(GradientPaint, ClippedAtTheBitmapEdgesAsPartOfTheWholeGradient) {
  struct Case {
    const char* what;
    TsGradientPiece piece;
    Rect r;
    Pixel expected[3][3];
  } cases[] = {
      // Rows -3 .. 6, n = 9, red 10 per row: the bitmap's rows 0..2 are steps 3..5.
      {"vertical, above and left",
       {RGB(0, 0, 0), RGB(90, 0, 0), 100, 0},
       {-2, -3, 4, 7},
       {{MakePixel(30, 0, 0), MakePixel(30, 0, 0), MakePixel(30, 0, 0)},
        {MakePixel(40, 0, 0), MakePixel(40, 0, 0), MakePixel(40, 0, 0)},
        {MakePixel(50, 0, 0), MakePixel(50, 0, 0), MakePixel(50, 0, 0)}}},
      // Columns 1 .. 10, n = 9; rows 2 .. 5: only row 2 and columns 1, 2 are inside.
      {"horizontal, right and below",
       {RGB(0, 0, 0), RGB(0, 90, 0), 100, 1},
       {1, 2, 11, 6},
       {{kUntouched, kUntouched, kUntouched},
        {kUntouched, kUntouched, kUntouched},
        {kUntouched, MakePixel(0, 0, 0), MakePixel(0, 10, 0)}}},
      {"outside",
       {RGB(0, 0, 0), RGB(0, 90, 0), 100, 0},
       {3, 0, 9, 3},
       {{kUntouched, kUntouched, kUntouched},
        {kUntouched, kUntouched, kUntouched},
        {kUntouched, kUntouched, kUntouched}}},
  };
  for (const Case& c : cases) {
    Bitmap32 bmp(3, 3, kUntouched);
    const TsGradientPiece pieces[] = {c.piece};
    PaintGradient(bmp, c.r, pieces);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(bmp.At(x, y), c.expected[y][x]) << c.what << " x " << x << " y " << y;
    }
  }
}

TEST(GradientPaint, OtherDirectionsAndEmptyInputPaintNothing) {
  const Bitmap32 untouched(4, 4, kUntouched);
  const TsGradientPiece piece{RGB(1, 1, 1), RGB(200, 200, 200), 100, 0};
  struct Case {
    int direction;
    Rect r;
    int pieceCount;
  } cases[] = {
      {3, {0, 0, 4, 4}, 1}, {-1, {0, 0, 4, 4}, 1}, {0, {0, 0, 4, 4}, 0},  // no pieces ("N/A")
      {0, {2, 2, 2, 4}, 1},                                               // empty rectangle
      {2, {3, 3, 1, 1}, 1},                                               // inverted rectangle
  };
  for (const Case& c : cases) {
    TsGradientPiece p = piece;
    p.direction = c.direction;
    std::vector<TsGradientPiece> pieces(static_cast<std::size_t>(c.pieceCount), p);
    Bitmap32 bmp(4, 4, kUntouched);
    PaintGradient(bmp, c.r, pieces);
    EXPECT_EQ(bmp, untouched) << "direction " << c.direction << " pieces " << c.pieceCount;
  }
}

}  // namespace
}  // namespace tappomat
