// The definition loader on a small skin written for these tests: masks cut from the
// master bitmap and from separate files, margins, corner fill, sections with parents and
// defaults, state records, global colours with their fallbacks, well-known indices, hue
// changes, JPEG textures, and the failures that end a load.
#include "skin/data/skin_loader.h"

#include <gtest/gtest.h>

#include <map>

#include "gdi/system_colors.h"
#include "imaging/bmp_encoder.h"
#include "support/image_files.h"
#include "ui/convert.h"

namespace tappomat::test {
namespace {

// Images by the names a package would find them under.
class MapSource final : public SkinImageSource {
 public:
  std::map<std::string, std::vector<std::uint8_t>, std::less<>> files;
  std::optional<ImageBytes> Find(std::string_view name) const override {
    const auto it = files.find(name);
    if (it == files.end()) return std::nullopt;
    return ImageBytes::View(it->second);
  }
};

constexpr const char* kDefinition = R"([GLOBALINFO]
VERSION=7.20
MASTERBITMAP=MASTER.BMP
COLOR=12632256
BORDERCOLOR=6842472
SHADOW1OFFSET=1
BOXCHECKED=@0000@0192@0048@0228@3@1
BICONCLOSE=@0000@0120@0054@0138@3@0
[PANEL]
COLOR=12632256
BORDERSMASK=^0108^0000^0135^0024^0000^0000^0000^0000^1^0^1^2
[PAGECONTROL]
PARENTCLASS=PANEL
[PAGECONTROLRIGHT]
PARENTCLASS=PAGECONTROL
[SPEEDBUTTON]
BORDERSMASK=^0000^0000^0108^0060^0012^0010^0012^0010^3^1^0^1
GRADIENTDATA=15395562;13158600;99;0;0;13158600;13158600;0;0;0
GRADIENTPERCENT=100
[SPEEDBUTTON_SMALL]
PARENTCLASS=SPEEDBUTTON
SHOWFOCUS=1
[SPLITTER]
PARENTCLASS=SPEEDBUTTON_SMALL
GRADIENTDATA=N/A
GRADIENTPERCENT=0
[EDIT]
BORDERSMASK=^0108^0000^0135^0024^0000^0000^0000^0000^1^0^1^2
COLOR=16777215
HOTCOLOR=255
STATES=1
[BUTTON]
BORDERSMASK=^0000^0276^0054^0312^0000^0000^0000^0000^3^1^1^0
FADINGENABLED=TRUE
FADINGITERATIONS=20
GRADIENTDATA=16777215;14737632;23;0;0;14737632;13882323;46;0;0;13882323;12040119;30;0;0;12040119;12040119;0;0;0
GRADIENTPERCENT=100
HOTGRADIENTDATA=16777215;16777215;17;0;0;16777215;12895428;71;0;0;12895428;10526880;10;0;0;10526880;10526880;0;0;0
HOTGRADIENTPERCENT=100
HOTTCLEFT=15724527
HOTTCTOP=16777215
COLOR=16777215
SHOWFOCUS=TRUE
[BUTTON_HUGE]
BORDERSMASK=!BUTTONHUGE.BMP!3!1!0!0032!0032!0032!0032!5
[COMBOBOX]
GLYPHMASK=@0097@0156@0154@0190@3@1
[SELECTION]
COLOR=12632256
HOTCOLOR=8421504
HOTFONTCOLOR=16777215
[ODD]
COLOR=-16777201
GRADIENTDATA=1;2;3;0;0;4;5
PATTERN=SKY.JPG
HOTPATTERN=~0067~0288~0070~0298~10~1
[HUGETEXTURE]
PATTERN=BIG.JPG
)";

// A master bitmap of plain grey with fuchsia in the top-left corner of the button's
// first frame.
Bitmap32 Master() {
  Bitmap32 master(200, 320, MakePixel(128, 128, 128));
  for (int y = 276; y < 279; ++y) {
    for (int x = 0; x < 3; ++x) master.At(x, y) = kFuchsiaPixel | 0xFF000000u;
  }
  return master;
}

MapSource Images() {
  MapSource source;
  source.files["MASTER.BMP"] = EncodeBmp(Master());
  source.files["BUTTONHUGE.BMP"] = EncodeBmp(Bitmap32(300, 200, MakePixel(200, 200, 200)));
  source.files["SKY.JPG"] = EncodeJpeg(Bitmap32(16, 16, MakePixel(10, 20, 200)), 90);
  source.files["BIG.JPG"] = EncodeJpeg(Bitmap32(1000, 900, MakePixel(10, 20, 200)), 50);
  return source;
}

class SkinLoaderTest : public ::testing::Test {
 protected:
  SkinLoaderTest() : tables(LoadSkinDefinition(DefinitionText::Parse(kDefinition), Images())) {}

  const TsGeneralData& Section(std::string_view name) {
    const int index = tables.SectionIndex(name);
    EXPECT_GE(index, 0) << name;
    return tables.sections[static_cast<std::size_t>(index)];
  }
  const TsMaskData& BorderOf(std::string_view name) {
    const int index = Section(name).borderIndex;
    EXPECT_GE(index, 0) << name;
    return tables.masks[static_cast<std::size_t>(std::max(index, 0))];
  }

  SkinTables tables;
};

TEST_F(SkinLoaderTest, BorderMasksGetTheirFramesMarginsAndCornerFill) {
  const struct {
    const char* section;
    int frameWidth, frameHeight;
    std::array<int, 4> margins;
    int drawMode;
    int cornerFill;
  } cases[] = {
      {"BUTTON", 18, 18, {6, 6, 6, 6}, 1, 1},
      {"SPEEDBUTTON", 36, 30, {12, 10, 12, 10}, 0, 0},
      {"EDIT", 27, 24, {2, 2, 2, 2}, 1, 0},
      {"BUTTON_HUGE", 100, 100, {32, 32, 32, 32}, 5, 2},
  };
  for (const auto& c : cases) {
    const TsMaskData& mask = BorderOf(c.section);
    EXPECT_EQ(mask.FrameWidth(), c.frameWidth) << c.section;
    EXPECT_EQ(mask.FrameHeight(), c.frameHeight) << c.section;
    EXPECT_EQ((std::array<int, 4>{mask.MarginLeft(), mask.MarginTop(), mask.MarginRight(),
                                  mask.MarginBottom()}),
              c.margins)
        << c.section;
    EXPECT_EQ(mask.drawMode, c.drawMode) << c.section;
    EXPECT_EQ(mask.cornerFill, c.cornerFill) << c.section;
    EXPECT_EQ(mask.kind, ImageKind::BorderMask);
  }
  EXPECT_FALSE(BorderOf("BUTTON").image) << "cut from the master bitmap";
  ASSERT_TRUE(BorderOf("BUTTON_HUGE").image);
  EXPECT_EQ(BorderOf("BUTTON_HUGE").rect, (Rect{0, 0, 300, 200}));
}

TEST_F(SkinLoaderTest, TheMasterBitmapIsOpaqueExceptItsFuchsia) {
  ASSERT_EQ(tables.masterBitmap.Width(), 200);
  EXPECT_EQ(tables.masterBitmap.At(0, 276), kFuchsiaPixel) << "alpha 0";
  EXPECT_EQ(tables.masterBitmap.At(5, 5), MakePixel(128, 128, 128, 255));
}

TEST_F(SkinLoaderTest, SectionsReadTheirKeysTheirParentsAndTheirDefaults) {
  const TsGeneralData& button = Section("BUTTON");
  EXPECT_EQ(button.states, 3);
  EXPECT_TRUE(button.showFocus);
  EXPECT_TRUE(button.fadingEnabled);
  EXPECT_EQ(button.fadingIterations, 20);
  ASSERT_EQ(button.props[0].gradient.size(), 4u);
  ASSERT_EQ(button.props[1].gradient.size(), 4u);
  EXPECT_EQ(button.props[0].gradient[1].startColor, 14737632);
  EXPECT_EQ(button.props[0].gradient[1].percent, 46);
  EXPECT_EQ(button.props[1].gradient[1].endColor, 12895428);
  EXPECT_EQ(button.props[1].fontColor, (std::array<std::int32_t, 5>{0, 15724527, 16777215, -1, -1}));
  EXPECT_EQ(button.props[0].fontColor, (std::array<std::int32_t, 5>{0, -1, -1, -1, -1}));

  const TsGeneralData& edit = Section("EDIT");
  EXPECT_EQ(edit.states, 1);
  EXPECT_EQ(edit.hotColor, 0) << "HOTCOLOR is not read below two states";
  EXPECT_EQ(edit.props[1].color, edit.props[0].color);
  EXPECT_EQ(edit.props[1].color, 16777215);

  const TsGeneralData& right = Section("PAGECONTROLRIGHT");
  EXPECT_EQ(right.color, 12632256) << "through PAGECONTROL from PANEL";
  EXPECT_EQ(right.borderIndex, Section("PANEL").borderIndex);

  const TsGeneralData& splitter = Section("SPLITTER");
  EXPECT_TRUE(splitter.showFocus) << "SHOWFOCUS=1 from SPEEDBUTTON_SMALL";
  EXPECT_TRUE(splitter.props[0].gradient.empty());
  EXPECT_EQ(splitter.props[0].gradientPercent, 0);
  EXPECT_FALSE(Section("PANEL").showFocus);

  const TsGeneralData& odd = Section("ODD");
  EXPECT_EQ(static_cast<ColorRef>(odd.color), GetSysColor(COLOR_BTNFACE));
  ASSERT_EQ(odd.gradient.size(), 1u) << "seven numbers give one piece";
  EXPECT_EQ(odd.gradient[0].percent, 3);
  EXPECT_EQ(odd.gradientPercent, 0) << "GRADIENTPERCENT absent";
}

TEST_F(SkinLoaderTest, TexturesAndPatterns) {
  const TsGeneralData& odd = Section("ODD");
  ASSERT_GE(odd.props[0].textureIndex, 0) << "a small JPEG becomes a texture mask";
  const TsMaskData& sky = tables.masks[static_cast<std::size_t>(odd.props[0].textureIndex)];
  EXPECT_EQ(sky.kind, ImageKind::Texture);
  EXPECT_EQ(sky.rect, (Rect{0, 0, 16, 16}));
  EXPECT_EQ(PixelA(sky.image->At(3, 3)), 255);
  ASSERT_GE(odd.props[1].textureIndex, 0);
  EXPECT_EQ(tables.masks[static_cast<std::size_t>(odd.props[1].textureIndex)].drawMode, 10);
  ASSERT_EQ(tables.patterns.size(), 1u) << "a JPEG of more than 899999 pixels stays a pattern";
  EXPECT_EQ(tables.patterns[0].sectionName, "HUGETEXTURE");
  EXPECT_EQ(tables.PatternIndex(tables.SectionIndex("HUGETEXTURE"), "HUGETEXTURE", "PATTERN"), 0);
  EXPECT_EQ(Section("HUGETEXTURE").textureIndex, -1);
}

TEST_F(SkinLoaderTest, GlobalColoursAndWellKnownIndices) {
  EXPECT_EQ(tables.colors.global, 12632256u);
  EXPECT_EQ(tables.colors.border, 6842472u);
  EXPECT_EQ(tables.colors.edit, 16777215u);
  EXPECT_EQ(tables.colors.highlight, (std::array<ColorRef, 2>{12632256, 8421504}));
  EXPECT_EQ(tables.colors.highlightFont, (std::array<ColorRef, 2>{0, 16777215}));
  EXPECT_EQ(tables.skinData.shadow1Offset, 1);
  EXPECT_EQ(tables.skinData.titleHeight, 30);
  EXPECT_EQ(tables.skinData.maxHeight, 30);

  const WellKnownIndices& known = tables.indices;
  EXPECT_EQ(known.Of(SkinSectionId::BUTTON).section, tables.SectionIndex("BUTTON"));
  EXPECT_EQ(known.Of(SkinSectionId::BUTTON).borderMask, Section("BUTTON").borderIndex);
  EXPECT_EQ(known.Of(SkinSectionId::TABTOP).section, -1);
  EXPECT_EQ(known.Of(SkinSectionId::TABTOP).borderMask, -1);
  const int glyph = known.Of(SkinSectionId::COMBOBOX).glyphMask;
  ASSERT_GE(glyph, 0);
  EXPECT_EQ(tables.masks[static_cast<std::size_t>(glyph)].kind, ImageKind::Glyph);
  const int checked = known.Of(GlobalImage::BOXCHECKED);
  ASSERT_GE(checked, 0);
  EXPECT_EQ(tables.masks[static_cast<std::size_t>(checked)].rect, (Rect{0, 192, 48, 228}));
  EXPECT_EQ(known.Of(GlobalImage::EXBORDER), -1);
}

TEST(SkinLoader, HighlightColoursFallBackToTheMenuItemThenToTheSystem) {
  const MapSource none;
  const SkinTables fromMenu = LoadSkinDefinition(
      DefinitionText::Parse("[MENUITEM]\nHOTCOLOR=255\nHOTFONTCOLOR=16711935\n"), none);
  EXPECT_EQ(fromMenu.colors.highlight, (std::array<ColorRef, 2>{255, 255}));
  EXPECT_EQ(fromMenu.colors.highlightFont[0], GetSysColor(COLOR_HIGHLIGHTTEXT));
  const SkinTables bare = LoadSkinDefinition(DefinitionText::Parse("[PANEL]\n"), none);
  EXPECT_EQ(bare.colors.highlight[1], GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(bare.colors.global, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(bare.colors.edit, GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(bare.indices.Of(GlobalImage::BOXCHECKED), -1);
}

TEST(SkinLoader, MissingImagesAreSkippedAndBadNumbersFailTheLoad) {
  const MapSource none;
  const SkinTables tables = LoadSkinDefinition(
      DefinitionText::Parse("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[BUTTON]\n"
                            "BORDERSMASK=^0000^0276^0054^0312^0000^0000^0000^0000^3^1^1^0\n"
                            "GLOW0=!GONE.PNG!1!0!3\n"),
      none);
  EXPECT_EQ(tables.masterBitmap.Width(), 0);
  EXPECT_EQ(tables.masks.size(), 1u) << "a master cut stays (it paints nothing), a missing file goes";

  const struct {
    const char* text;
    const char* message;
  } failures[] = {
      {"[GLOBALINFO]\nVERSION=7,20\n", "'7,20' is not a valid floating point value"},
      {"[GLOBALINFO]\nSHADOW1OFFSET=one\n", "'one' is not a valid integer value"},
      {"[GLOBALINFO]\nBICONMAXGLOW=\n", "'' is not a valid integer value"},
      {"[EDIT]\nBORDERSMASK=^01x8^0000^0135^0024^0000^0000^0000^0000^1^0^1^2\n",
       "'01x8' is not a valid integer value"},
  };
  for (const auto& f : failures) {
    try {
      LoadSkinDefinition(DefinitionText::Parse(f.text), none);
      ADD_FAILURE() << f.text;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), f.message);
    }
  }
  EXPECT_DOUBLE_EQ(ReadSkinVersion(DefinitionText::Parse("[GLOBALINFO]\nVERSION=7.20\n")), 7.2);
}

TEST(SkinLoader, PngImagesArePremultipliedInNewerSkinsOnly) {
  Bitmap32 glow(2, 1);
  glow.At(0, 0) = MakePixel(200, 100, 50, 128);
  glow.At(1, 0) = 0x00FFFFFFu;  // white with alpha 0
  MapSource source;
  source.files["GLOW.PNG"] = EncodePng(glow);
  for (const char* version : {"7.45", "7.50"}) {
    const std::string text = std::string("[GLOBALINFO]\nVERSION=") + version +
                             "\n[BUTTON]\nGLOW0=!GLOW.PNG!1!0!3\n";
    const SkinTables tables = LoadSkinDefinition(DefinitionText::Parse(text), source);
    ASSERT_EQ(tables.masks.size(), 1u);
    const Bitmap32& image = *tables.masks[0].image;
    EXPECT_EQ(image.At(1, 0), 0u) << version;
    const Pixel expected = std::string(version) == "7.50" ? MakePixel(100, 50, 25, 128)
                                                          : MakePixel(200, 100, 50, 128);
    EXPECT_EQ(image.At(0, 0), expected) << version;
    EXPECT_EQ(tables.masks[0].kind, ImageKind::Glow);
  }
}

TEST(SkinLoader, HueTurnsColoursAndImagesButKeepsTheCloseButton) {
  const MapSource source = Images();
  SkinLoadOptions options;
  options.hueOffset = 120;
  const std::string text = std::string(kDefinition) + "[GLOBALINFO]\nBIKEEPHUE=2\n";
  const SkinTables turned = LoadSkinDefinition(DefinitionText::Parse(text), source, options);
  const SkinTables plain = LoadSkinDefinition(DefinitionText::Parse(text), source);
  const int edit = turned.SectionIndex("EDIT");
  EXPECT_EQ(static_cast<ColorRef>(turned.sections[static_cast<std::size_t>(edit)].color), 16777215u)
      << "grey stays grey";
  const int selection = turned.SectionIndex("SELECTION");
  EXPECT_EQ(turned.sections[static_cast<std::size_t>(selection)].hotFontColor[0], 16777215);
  const int odd = turned.SectionIndex("ODD");
  EXPECT_NE(turned.sections[static_cast<std::size_t>(odd)].color,
            plain.sections[static_cast<std::size_t>(odd)].color);
  // Paint a red pixel into the close button's area and one outside it, then turn.
  MapSource redSource = source;
  Bitmap32 master = Master();
  master.At(1, 121) = MakePixel(255, 0, 0);
  master.At(150, 10) = MakePixel(255, 0, 0);
  redSource.files["MASTER.BMP"] = EncodeBmp(master);
  const SkinTables red = LoadSkinDefinition(DefinitionText::Parse(text), redSource, options);
  EXPECT_EQ(red.masterBitmap.At(1, 121), MakePixel(255, 0, 0)) << "BIKEEPHUE keeps the close button";
  EXPECT_EQ(red.masterBitmap.At(150, 10), MakePixel(0, 255, 0)) << "120 degrees: red to green";
  EXPECT_EQ(red.masterBitmap.At(0, 276), kFuchsiaPixel) << "fuchsia stays";
}

}  // namespace
}  // namespace tappomat::test

namespace tappomat::test {
namespace {

// Skins before 7.4 stretch the edges of a mask whose frame centre is one pixel.
TEST(SkinLoader, OlderSkinsStretchMasksWithASinglePixelCentre) {
  const MapSource none;
  for (const auto& [version, drawMode] : {std::pair{"7.00", 1}, std::pair{"7.50", 0}}) {
    const std::string text = std::string("[GLOBALINFO]\nVERSION=") + version +
                             "\n[TAB]\nBORDERSMASK=^0000^0000^0009^0006^0001^0001^0001^0001^3^1^0^0\n";
    const SkinTables tables = LoadSkinDefinition(DefinitionText::Parse(text), none);
    ASSERT_EQ(tables.masks.size(), 1u);
    EXPECT_EQ(tables.masks[0].drawMode, drawMode) << version;
  }
}

}  // namespace
}  // namespace tappomat::test
