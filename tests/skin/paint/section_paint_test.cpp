// Sections of the built-in skin painted pixel by pixel: the BUTTON gradient under its
// border at 75 x 25, corners that show the parent, a fully transparent section showing
// exactly the parent's picture, a half transparent plain one mixing with the parent's
// colour, and nothing for a section that is not there.
#include "skin/paint/section_paint.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "skin/data/skin_loader.h"

namespace tappomat::test {
namespace {

const SkinTables& Neutral2() {
  static const SkinTables tables = [] {
    const std::filesystem::path folder =
        std::filesystem::path(TAPPOMAT_SOURCE_DIR) / "skins" / "Neutral2 (internal)";
    std::ifstream in(folder / "Options.dat", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return LoadSkinDefinition(DefinitionText::Parse(text), FolderImageSource(folder));
  }();
  return tables;
}

SectionPaint Section(std::string_view name, int state = 0) {
  SectionPaint paint;
  paint.sectionIndex = Neutral2().SectionIndex(name);
  paint.paintState = state;
  return paint;
}

TEST(SectionPaint, TheButtonShowsItsGradientInsideItsBorder) {
  ASSERT_GE(Section("BUTTON").sectionIndex, 0);
  ParentBackground parent;
  parent.fill = RGB(12, 34, 56);
  Bitmap32 cache(75, 25, 0);
  PaintSection(cache, cache.Bounds(), Neutral2(), Section("BUTTON"), parent);
  // Rows 0-5 go from 255 to 224, rows 5-16 from 224 to 211, rows 16-23 from 211 to 183:
  // row 10 is 224 + 5 * (211 - 224) / 11 rounded, row 17 is 211 + (183 - 211) / 7.
  EXPECT_EQ(cache.At(37, 10), MakePixel(218, 218, 218));
  EXPECT_EQ(cache.At(37, 17), MakePixel(207, 207, 207));
  EXPECT_EQ(cache.At(0, 0), PixelFromColor(RGB(12, 34, 56))) << "the round corner shows the parent";
  EXPECT_NE(cache.At(37, 0), MakePixel(255, 255, 255)) << "the border's top edge lies over row 0";

  // Hot: its own gradient (rows 0-4 white to white, then 255 to 196 over rows 4-21):
  // row 7 is 255 + 3 * (196 - 255) / 17 rounded.
  Bitmap32 hot(75, 25, 0);
  PaintSection(hot, hot.Bounds(), Neutral2(), Section("BUTTON", 1), parent);
  EXPECT_EQ(hot.At(37, 7), MakePixel(245, 245, 245));
  EXPECT_EQ(cache.At(37, 7), MakePixel(222, 222, 222));
}

TEST(SectionPaint, AFullyTransparentSectionShowsExactlyTheParentsPicture) {
  Bitmap32 parentPicture(40, 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) parentPicture.At(x, y) = MakePixel(static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 7), 99);
  }
  ParentBackground parent;
  parent.image = &parentPicture;
  parent.offset = {10, 4};
  parent.ready = true;
  Bitmap32 cache(20, 16, 0);
  PaintSectionBackground(cache, cache.Bounds(), Neutral2(), Section("CHECKBOX"), parent);
  for (const Point p : {Point{0, 0}, Point{19, 15}, Point{7, 9}}) {
    EXPECT_EQ(cache.At(p.x, p.y), parentPicture.At(p.x + 10, p.y + 4)) << p.x << "," << p.y;
  }
}

TEST(SectionPaint, PlainColoursTransparencyAndMissingSections) {
  SkinTables tables;
  TsGeneralData plain;
  plain.name = "PLAIN";
  plain.props[0].color = RGB(200, 100, 0);
  plain.props[0].transparency = 25;
  tables.sections.push_back(plain);
  SectionPaint paint;
  paint.sectionIndex = 0;
  ParentBackground parent;
  parent.fill = RGB(0, 100, 200);
  Bitmap32 cache(4, 4, 0);
  PaintSectionBackground(cache, cache.Bounds(), tables, paint, parent);
  // The parent's colour takes 25 %: 0.25 * 0 + 0.75 * 200 = 150; 100; 0.25 * 200 = 50.
  EXPECT_EQ(cache.At(2, 2), MakePixel(150, 100, 50));
  PaintSectionBackground(cache, cache.Bounds(), tables, paint, ParentBackground());
  EXPECT_EQ(cache.At(2, 2), MakePixel(200, 100, 0)) << "nothing known behind: opaque";
  paint.customColor = RGB(1, 2, 3);
  PaintSectionBackground(cache, cache.Bounds(), tables, paint, parent);
  EXPECT_EQ(cache.At(2, 2), MakePixel(1, 2, 3)) << "the control's own colour is opaque";

  Bitmap32 untouched(4, 4, 7);
  paint.sectionIndex = 5;
  PaintSection(untouched, untouched.Bounds(), tables, paint, parent);
  EXPECT_EQ(untouched.At(1, 1), 7u);
}

}  // namespace
}  // namespace tappomat::test
