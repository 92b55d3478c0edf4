// System colours and metrics, and DrawEdge, which paints with the system colours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gdi/draw_edge.h"
#include "gdi/system_colors.h"
#include "gdi/system_metrics.h"

namespace tappomat {
namespace {

TEST(SystemColors, TheClassicGreyScheme) {
  struct Case {
    int index;
    ColorRef color;
  };
  const Case cases[] = {
      {COLOR_BTNFACE, RGB(212, 208, 200)},
      {COLOR_3DFACE, RGB(212, 208, 200)},
      {COLOR_3DLIGHT, RGB(212, 208, 200)},
      {COLOR_MENU, RGB(212, 208, 200)},
      {COLOR_SCROLLBAR, RGB(212, 208, 200)},
      {COLOR_HIGHLIGHT, RGB(10, 36, 106)},
      {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
      {COLOR_WINDOW, RGB(255, 255, 255)},
      {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
      {COLOR_BTNSHADOW, RGB(128, 128, 128)},
      {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
      {COLOR_3DDKSHADOW, RGB(64, 64, 64)},
      {COLOR_GRAYTEXT, RGB(128, 128, 128)},
      {COLOR_ACTIVECAPTION, RGB(10, 36, 106)},
      {COLOR_GRADIENTACTIVECAPTION, RGB(166, 202, 240)},
      {COLOR_INACTIVECAPTION, RGB(128, 128, 128)},
      {COLOR_GRADIENTINACTIVECAPTION, RGB(192, 192, 192)},
      {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
      {COLOR_INACTIVECAPTIONTEXT, RGB(212, 208, 200)},
      {COLOR_INFOBK, RGB(255, 255, 225)},
      {COLOR_INFOTEXT, RGB(0, 0, 0)},
      {COLOR_MENUTEXT, RGB(0, 0, 0)},
      {COLOR_HOTLIGHT, RGB(0, 0, 128)},
      {COLOR_MENUBAR, RGB(212, 208, 200)},
      {COLOR_BACKGROUND, RGB(58, 110, 165)},
      // Indices that name no colour.
      {25, 0},
      {31, 0},
      {-1, 0},
      {1000, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(GetSysColor(c.index), c.color) << c.index;
}

TEST(SystemColors, SetAndReset) {
  SetSysColor(COLOR_BTNFACE, RGB(192, 192, 192));
  SetSysColor(25, RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(25), 0u);
  ResetSysColors();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
}

TEST(SystemColors, ResolveColor) {
  struct Case {
    std::uint32_t value;
    ColorRef color;
  };
  const Case cases[] = {
      {0x8000000F, RGB(212, 208, 200)},  // clBtnFace, high bit only
      {0xFF00000F, RGB(212, 208, 200)},  // clBtnFace, whole top byte set
      {0x8000000D, RGB(10, 36, 106)},    // clHighlight
      {0x80000019, 0},                   // index 25: no colour
      {0x00123456, 0x00123456},
      {0x1FFFFFFF, 0x00FFFFFF},  // clNone: only the colour bytes count
      {0x20000000, 0},           // clDefault
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveColor(static_cast<std::int32_t>(c.value)), c.color) << std::hex << c.value;
  }
  EXPECT_EQ(ResolveColor(SysColorValue(COLOR_INFOBK)), RGB(255, 255, 225));
}

class SystemMetrics : public testing::Test {
 protected:
  void TearDown() override { SetScreenMetrics({0, 0, 1024, 768}, {0, 0, 1024, 768}); }
};

TEST_F(SystemMetrics, ClassicValues) {
  struct Case {
    int index;
    int value;
  };
  const Case cases[] = {
      {SM_CXSCREEN, 1024},
      {SM_CYSCREEN, 768},
      {SM_CXVSCROLL, 17},
      {SM_CYHSCROLL, 17},
      {SM_CYVSCROLL, 17},
      {SM_CXHSCROLL, 17},
      {SM_CYVTHUMB, 17},
      {SM_CXHTHUMB, 17},
      {SM_CYCAPTION, 19},
      {SM_CXBORDER, 1},
      {SM_CYBORDER, 1},
      {SM_CXFIXEDFRAME, 3},
      {SM_CYFIXEDFRAME, 3},
      {SM_CXSIZEFRAME, 4},
      {SM_CYSIZEFRAME, 4},
      {SM_CXICON, 32},
      {SM_CYICON, 32},
      {SM_CXCURSOR, 32},
      {SM_CYCURSOR, 32},
      {SM_CYMENU, 19},
      {SM_CXSIZE, 18},
      {SM_CYSIZE, 18},
      {SM_CXDOUBLECLK, 4},
      {SM_CYDOUBLECLK, 4},
      {SM_CXEDGE, 2},
      {SM_CYEDGE, 2},
      {SM_CXSMICON, 16},
      {SM_CYSMICON, 16},
      {SM_CYSMCAPTION, 15},
      {SM_CXDRAG, 4},
      {SM_CYDRAG, 4},
      {SM_CXMENUCHECK, 13},
      {SM_CYMENUCHECK, 13},
      {SM_CXFULLSCREEN, 1024},
      {SM_CYFULLSCREEN, 768 - 19},
      {SM_CXVIRTUALSCREEN, 1024},
      {SM_CYVIRTUALSCREEN, 768},
      {-1, 0},
      {24, 0},
      {1000, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(GetSystemMetrics(c.index), c.value) << c.index;
}

TEST_F(SystemMetrics, ScreenComesFromThePlatform) {
  SetScreenMetrics({-100, 0, 1180, 1024}, {-100, 30, 1180, 1024});
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -100);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 994 - 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXMAXIMIZED), 1280 + 8);
  EXPECT_EQ(WorkAreaRect(), (Rect{-100, 30, 1180, 1024}));

  // A work area outside the screen means the whole screen; an empty screen is ignored.
  SetScreenMetrics({0, 0, 800, 600}, {0, 0, 900, 600});
  EXPECT_EQ(WorkAreaRect(), (Rect{0, 0, 800, 600}));
  SetScreenMetrics({}, {});
  EXPECT_EQ(ScreenRect(), (Rect{0, 0, 800, 600}));
}

// DrawEdge with a distinct colour per system colour, so the pictures show which is used.
class DrawEdgeTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [index, letter, color] : kColors) SetSysColor(index, color);
  }
  void TearDown() override { ResetSysColors(); }

  static std::vector<std::string> Art(const Bitmap32& bmp) {
    std::vector<std::string> rows;
    for (int y = 0; y < bmp.Height(); ++y) {
      std::string row;
      for (int x = 0; x < bmp.Width(); ++x) {
        char c = bmp.At(x, y) == kBackground ? '.' : '?';
        for (const auto& [index, letter, color] : kColors) {
          if (bmp.At(x, y) == PixelFromColor(color)) c = letter;
        }
        row += c;
      }
      rows.push_back(row);
    }
    return rows;
  }

  struct Entry {
    int index;
    char letter;
    ColorRef color;
  };
  static constexpr Entry kColors[] = {
      {COLOR_3DLIGHT, 'L', RGB(220, 220, 220)},   {COLOR_BTNHIGHLIGHT, 'H', RGB(255, 255, 255)},
      {COLOR_BTNSHADOW, 'S', RGB(128, 128, 128)}, {COLOR_3DDKSHADOW, 'D', RGB(64, 64, 64)},
      {COLOR_BTNFACE, 'F', RGB(200, 200, 200)},   {COLOR_WINDOW, 'W', RGB(250, 250, 240)},
      {COLOR_WINDOWFRAME, 'K', RGB(0, 0, 0)},
  };
  static constexpr Pixel kBackground = MakePixel(0, 0, 255);
};

TEST_F(DrawEdgeTest, Pixels) {
  struct Case {
    const char* name;
    unsigned edge;
    unsigned flags;
    std::vector<std::string> expected;
    Rect adjusted;
  };
  const Case cases[] = {
      {"raised",
       EDGE_RAISED,
       BF_RECT,
       {"LLLLLD", "LHHHSD", "LH..SD", "LH..SD", "LSSSSD", "DDDDDD"},
       {0, 0, 6, 6}},
      {"sunken",
       EDGE_SUNKEN,
       BF_RECT,
       {"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"},
       {0, 0, 6, 6}},
      {"etched",
       EDGE_ETCHED,
       BF_RECT,
       {"SSSSSH", "SHHHSH", "SH..SH", "SH..SH", "SSSSSH", "HHHHHH"},
       {0, 0, 6, 6}},
      {"bump",
       EDGE_BUMP,
       BF_RECT,
       {"LLLLLD", "LDDDLD", "LD..LD", "LD..LD", "LLLLLD", "DDDDDD"},
       {0, 0, 6, 6}},
      {"push button: soft, middle, adjust",
       EDGE_RAISED,
       BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST,
       {"HHHHHD", "HLLLSD", "HLFFSD", "HLFFSD", "HSSSSD", "DDDDDD"},
       {2, 2, 4, 4}},
      {"sunken top and left only",
       EDGE_SUNKEN,
       BF_TOPLEFT | BF_ADJUST,
       {"SSSSSS", "SDDDDD", "SD....", "SD....", "SD....", "SD...."},
       {2, 2, 6, 6}},
      {"bottom and right only",
       EDGE_RAISED,
       BF_BOTTOMRIGHT | BF_ADJUST,
       {"....SD", "....SD", "....SD", "....SD", "SSSSSD", "DDDDDD"},
       {0, 0, 4, 4}},
      {"lone inner layer takes the outer line",
       BDR_RAISEDINNER,
       BF_RECT | BF_ADJUST,
       {"HHHHHS", "H....S", "H....S", "H....S", "H....S", "SSSSSS"},
       {1, 1, 5, 5}},
      {"flat",
       EDGE_SUNKEN,
       BF_RECT | BF_FLAT,
       {"SSSSSS", "SFFFFS", "SF..FS", "SF..FS", "SFFFFS", "SSSSSS"},
       {0, 0, 6, 6}},
      {"mono with middle",
       EDGE_SUNKEN,
       BF_RECT | BF_MONO | BF_FLAT | BF_MIDDLE,
       {"KKKKKK", "KWWWWK", "KWWWWK", "KWWWWK", "KWWWWK", "KKKKKK"},
       {0, 0, 6, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bitmap32 bmp(6, 6, kBackground);
    DeviceContext dc(bmp);
    Rect r{0, 0, 6, 6};
    EXPECT_TRUE(DrawEdge(dc, r, c.edge, c.flags));
    EXPECT_EQ(Art(bmp), c.expected);
    EXPECT_EQ(r, c.adjusted);
  }
}

TEST_F(DrawEdgeTest, DiagonalIsRefused) {
  Bitmap32 bmp(6, 6, kBackground);
  DeviceContext dc(bmp);
  Rect r{0, 0, 6, 6};
  EXPECT_FALSE(DrawEdge(dc, r, EDGE_RAISED, BF_DIAGONAL | BF_RECT | BF_ADJUST));
  EXPECT_EQ(bmp, Bitmap32(6, 6, kBackground));
  EXPECT_EQ(r, (Rect{0, 0, 6, 6}));
}

}  // namespace
}  // namespace tappomat
