// Masks of a loaded skin drawn into bitmaps: the frame a state picks, colour-keyed and
// half copies, blending through the alpha row, own images with their alpha, and a border
// mask laid in nine parts with its corner fill.
#include "skin/paint/mask_paint.h"

#include <gtest/gtest.h>

#include <map>

#include "imaging/bmp_encoder.h"
#include "skin/data/skin_loader.h"

namespace tappomat::test {
namespace {

class OneImageSource final : public SkinImageSource {
 public:
  std::map<std::string, std::vector<std::uint8_t>, std::less<>> files;
  std::optional<ImageBytes> Find(std::string_view name) const override {
    const auto it = files.find(name);
    if (it == files.end()) return std::nullopt;
    return ImageBytes::View(it->second);
  }
};

constexpr Pixel kGrey = 0xFF646464u;  // 100, 100, 100

// A master bitmap: a 2-frame glyph of 3 x 2 at the top (frame 0 red, frame 1 blue, one
// fuchsia pixel), below it a 2-frame glyph with alpha rows, and a 6 x 6 border mask of
// one frame with a fuchsia top-left corner pixel.
SkinTables Tables() {
  Bitmap32 master(20, 20, kGrey);
  for (int x = 0; x < 6; ++x) {
    for (int y = 0; y < 2; ++y) master.At(x, y) = x < 3 ? MakePixel(200, 0, 0) : MakePixel(0, 0, 200);
    for (int y = 2; y < 4; ++y) master.At(x, y) = MakePixel(200, 200, 200);
    for (int y = 4; y < 6; ++y) master.At(x, y) = MakePixel(0, 128, 255);  // opaque, half, clear
  }
  master.At(1, 0) = 0xFFFF00FFu;
  for (int x = 10; x < 16; ++x) {
    for (int y = 0; y < 6; ++y) master.At(x, y) = MakePixel(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 9);
  }
  master.At(10, 0) = 0xFFFF00FFu;
  OneImageSource source;
  source.files["MASTER.BMP"] = EncodeBmp(master);
  return LoadSkinDefinition(DefinitionText::Parse(
                                "[GLOBALINFO]\nVERSION=7.50\nMASTERBITMAP=MASTER.BMP\n"
                                "[A]\nGLYPH=@0000@0000@0006@0002@2@0\n"
                                "ALPHA=@0000@0002@0006@0006@2@1\n"
                                "BORDERSMASK=^0010^0000^0016^0006^0002^0002^0002^0002^1^0^0^0\n"),
                            source);
}

TEST(MaskPaint, PlainGlyphsPickTheirFrameAndLeaveOutFuchsia) {
  const SkinTables tables = Tables();
  ASSERT_EQ(tables.masks.size(), 3u);
  Bitmap32 bitmap(8, 4, kGrey);
  DrawImageMask(bitmap, {1, 1}, 0, tables, 0);
  EXPECT_EQ(bitmap.At(1, 1), MakePixel(200, 0, 0));
  EXPECT_EQ(bitmap.At(2, 1), kGrey) << "fuchsia left out";
  EXPECT_EQ(bitmap.At(4, 1), kGrey) << "one frame only";
  DrawImageMask(bitmap, {4, 1}, 7, tables, 0);  // a state past the last frame: frame 1
  EXPECT_EQ(bitmap.At(4, 1), MakePixel(0, 0, 200));
  DrawImageMask(bitmap, {-2, -1}, 1, tables, 0, MaskCopyMode::Half);  // cut at the edges
  EXPECT_EQ(bitmap.At(0, 0), MakePixel(50, 50, 150)) << "half of blue 200 and grey 100";
}

TEST(MaskPaint, AlphaRowsBlendEachChannel) {
  const SkinTables tables = Tables();
  Bitmap32 bitmap(4, 3, kGrey);
  DrawImageMask(bitmap, {0, 0}, 0, tables, 1);
  // 200 + floor((100 - 200) * m / 256): m 0 -> 200, m 128 -> 150, m 255 -> 200 - 100
  // (-99.6 rounded down).
  EXPECT_EQ(bitmap.At(0, 0), MakePixel(200, 150, 100, 255));
  EXPECT_EQ(bitmap.At(3, 0), kGrey);
}

TEST(MaskPaint, OwnImagesUseTheirAlphaStraightOrPremultiplied) {
  for (const double version : {7.2, 7.5}) {
    SkinTables tables;
    tables.skinData.version = version;
    TsMaskData mask;
    mask.image = std::make_shared<Bitmap32>(1, 1, MakePixel(100, 100, 100, 128));
    mask.rect = {0, 0, 1, 1};
    mask.kind = ImageKind::Glyph;
    tables.masks.push_back(mask);
    Bitmap32 bitmap(1, 1, MakePixel(0, 0, 0));
    DrawImageMask(bitmap, {0, 0}, 0, tables, 0);
    // Straight: 100 * 128 / 255 = 50; premultiplied: 100 as it is.
    EXPECT_EQ(PixelR(bitmap.At(0, 0)), version > 7.45 ? 100 : 50) << version;
  }
}

TEST(MaskPaint, BorderMasksLayTheirFrameWithTheCornerFill) {
  const SkinTables tables = Tables();
  Bitmap32 bitmap(10, 8, kGrey);
  NinePartCornerFill fill;
  fill.color = MakePixel(1, 2, 3);
  PaintBorderMask(bitmap, Rect::FromSize(0, 0, 10, 8), tables, 2, 0, fill);
  EXPECT_EQ(tables.masks[2].cornerFill, 1);
  EXPECT_EQ(bitmap.At(0, 0), MakePixel(1, 2, 3)) << "the fuchsia corner shows the fill";
  EXPECT_EQ(bitmap.At(9, 7), MakePixel(15, 5, 9)) << "bottom-right corner of the frame";
  EXPECT_EQ(bitmap.At(5, 4), kGrey) << "draw mode 0: no centre";
  EXPECT_EQ(bitmap.At(2, 0), MakePixel(12, 0, 9)) << "the top edge, tiled";
  Bitmap32 untouched(10, 8, kGrey);
  PaintBorderMask(untouched, Rect::FromSize(0, 0, 10, 8), tables, 99, 0, fill);  // no such mask
  EXPECT_EQ(untouched.At(0, 0), kGrey);
}

}  // namespace
}  // namespace tappomat::test
