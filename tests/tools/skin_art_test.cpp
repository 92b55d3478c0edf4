// The skin art generator and the "Neutral2 (internal)" skin folder it draws for: the
// committed images are exactly what the generator draws, and the folder loads with the
// real definition loader into the sections, masks and frames the program's controls
// expect, with every image in its place, visible, and free of fuchsia where it shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "emit.h"
#include "imaging/png_decoder.h"
#include "master_layout.h"
#include "skin/data/definition_text.h"
#include "skin/data/skin_image_source.h"
#include "skin/data/skin_loader.h"
#include "skin_art_files.h"
#include "slot_writer.h"
#include "support/temp_folder.h"

namespace tappomat {
namespace {

const std::filesystem::path kSkins = std::filesystem::path(TAPPOMAT_SOURCE_DIR) / "skins";
const std::filesystem::path kNeutral2 = kSkins / "Neutral2 (internal)";

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

DecodedImage ReadPng(const std::filesystem::path& path) {
  const std::string bytes = ReadBytes(path);
  return DecodePng(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

SkinTables LoadNeutral2() {
  const DefinitionText definition = DefinitionText::Parse(ReadBytes(kNeutral2 / "Options.dat"));
  return LoadSkinDefinition(definition, FolderImageSource(kNeutral2));
}

TEST(SkinArt, GeneratorRedrawsTheCommittedFilesByteForByte) {
  TempFolder out;
  ASSERT_EQ(skin_art::WriteSkinArt(out.Path()), "");
  struct Case {
    const char* name;
    std::filesystem::path committed;
  };
  for (const Case& c : {Case{"Master.bmp", kNeutral2}, Case{"ButtonHuge.bmp", kNeutral2},
                        Case{"ShadowActive.png", kSkins / "shadows"},
                        Case{"ShadowInactive.png", kSkins / "shadows"}}) {
    SCOPED_TRACE(c.name);
    const std::string committed = ReadBytes(c.committed / c.name);
    ASSERT_FALSE(committed.empty());
    // A difference means the art changed without the files being drawn again:
    // run tappomat_skin_art and commit what it writes.
    EXPECT_TRUE(out.Get(c.name) == committed);
  }
}

TEST(SkinArt, DefinitionHasEverySectionInOrderWithCrLfLines) {
  const std::string text = ReadBytes(kNeutral2 / "Options.dat");
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "line ending without CR at byte " << at;
  }
  const std::vector<std::string> expected = {"GLOBALINFO",
                                             "PAGECONTROLRIGHT",
                                             "PAGECONTROLLEFT",
                                             "PAGECONTROLBOTTOM",
                                             "MENULINE",
                                             "PAGECONTROL",
                                             "MAINMENU",
                                             "SPLITTER",
                                             "SPEEDBUTTON_SMALL",
                                             "PANEL",
                                             "SCROLLBAR1H",
                                             "SCROLLBAR2H",
                                             "SCROLLBAR1V",
                                             "SCROLLBAR2V",
                                             "GROUPBOX",
                                             "STATUSBAR",
                                             "FORM",
                                             "MENUITEM",
                                             "DIVIDER",
                                             "SCROLLBTNBOTTOM",
                                             "SCROLLBTNLEFT",
                                             "SCROLLBTNRIGHT",
                                             "SCROLLBTNTOP",
                                             "SCROLLSLIDERH",
                                             "SCROLLSLIDERV",
                                             "FORMTITLE",
                                             "DIALOG",
                                             "EDIT",
                                             "TABTOP",
                                             "TABLEFT",
                                             "TABRIGHT",
                                             "TABBOTTOM",
                                             "PROGRESSV",
                                             "COMBOBOX",
                                             "BAR",
                                             "BARPANEL",
                                             "PANEL_LOW",
                                             "WEBBUTTON",
                                             "RADIOBUTTON",
                                             "CHECKBOX",
                                             "BUTTON_BIG",
                                             "BUTTON",
                                             "BARTITLE",
                                             "SPEEDBUTTON",
                                             "TOOLBUTTON",
                                             "EXTRALINE",
                                             "HINT",
                                             "BUTTON_HUGE",
                                             "TRACKBAR",
                                             "DIVIDERV",
                                             "PROGRESSH",
                                             "GRIPH",
                                             "DRAGBAR",
                                             "SELECTION",
                                             "GAUGE",
                                             "EXTCOMBOBOX",
                                             "EXTEDIT",
                                             "TOOLBAR",
                                             "RIBBONPAGE",
                                             "RIBBONTAB"};
  const SkinTables tables = LoadNeutral2();
  std::vector<std::string> names;
  for (const TsGeneralData& section : tables.sections) names.push_back(section.name);
  EXPECT_EQ(names, expected);
  EXPECT_DOUBLE_EQ(tables.skinData.version, 7.20);
  EXPECT_EQ(tables.masterBitmap.Width(), 320);
}

TEST(SkinArt, MasksOfTheProgramsControlsHaveTheirFramesMarginsAndModes) {
  const SkinTables tables = LoadNeutral2();
  struct Case {
    const char* section;
    const char* key;
    int frames, frameWidth, frameHeight;
    std::array<int, 4> margins;
    int drawMode;
    int cornerFill;
  };
  const Case cases[] = {
      {"BUTTON", "BORDERSMASK", 3, 18, 18, {6, 6, 6, 6}, 1, 1},
      {"SPEEDBUTTON", "BORDERSMASK", 3, 36, 30, {12, 10, 12, 10}, 0, 1},
      {"EDIT", "BORDERSMASK", 1, 27, 24, {2, 2, 2, 2}, 1, 0},
      {"COMBOBOX", "BORDERSMASK", 1, 27, 24, {3, 3, 3, 3}, 1, 0},
      {"BUTTON_HUGE", "BORDERSMASK", 3, 72, 72, {32, 32, 32, 32}, 5, 2},
      {"FORM", "BORDERSMASK", 2, 12, 12, {4, 4, 4, 4}, 1, 0},
      {"MAINMENU", "BORDERSMASK", 1, 9, 9, {3, 3, 3, 3}, 1, 0},
      {"SCROLLBTNTOP", "BORDERSMASK", 3, 17, 17, {4, 4, 4, 4}, 5, 1},
      {"TABTOP", "BORDERSMASK", 3, 20, 20, {5, 5, 5, 5}, 5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + " " + c.key);
    const int index = tables.MaskIndex(tables.SectionIndex(c.section), c.section, c.key);
    ASSERT_GE(index, 0);
    const TsMaskData& mask = tables.masks[static_cast<std::size_t>(index)];
    EXPECT_EQ(mask.frameCount, c.frames);
    EXPECT_EQ(mask.FrameWidth(), c.frameWidth);
    EXPECT_EQ(mask.FrameHeight(), c.frameHeight);
    EXPECT_EQ((std::array<int, 4>{mask.MarginLeft(), mask.MarginTop(), mask.MarginRight(),
                                  mask.MarginBottom()}),
              c.margins);
    EXPECT_EQ(mask.drawMode, c.drawMode);
    EXPECT_EQ(mask.cornerFill, c.cornerFill);
  }
  // Every GLOBALINFO image the definition names is found where code looks for it.
  for (const GlobalImage image :
       {GlobalImage::BOXCHECKED, GlobalImage::BOXUNCHECKED, GlobalImage::BOXGRAYED,
        GlobalImage::RADIOCHECKED, GlobalImage::RADIOUNCHECKED, GlobalImage::SMALLCHECKED,
        GlobalImage::SMALLUNCHECKED, GlobalImage::SMALLGRAYED, GlobalImage::GRIPIMAGE,
        GlobalImage::BICONCLOSE, GlobalImage::BICONMAX, GlobalImage::BICONNORM,
        GlobalImage::BICONMIN, GlobalImage::BICONHELP, GlobalImage::TITLEBUTTON}) {
    EXPECT_GE(tables.indices.Of(image), 0) << NameOf(image);
  }
  // The glyphs and check images: frames of the sizes the controls centre.
  struct Glyph {
    const char* section;
    const char* key;
    int frames, frameWidth, frameHeight, maskType;
  };
  const Glyph glyphs[] = {
      {"COMBOBOX", "GLYPHMASK", 3, 19, 17, 1},      {"GLOBALINFO", "BOXCHECKED", 3, 16, 18, 1},
      {"GLOBALINFO", "RADIOCHECKED", 3, 16, 18, 1}, {"GLOBALINFO", "SMALLCHECKED", 3, 12, 12, 0},
      {"GLOBALINFO", "GRIPIMAGE", 1, 17, 17, 1},    {"GLOBALINFO", "BICONCLOSE", 3, 18, 18, 0},
      {"GLOBALINFO", "TITLEBUTTON", 3, 18, 18, 0},
  };
  for (const Glyph& g : glyphs) {
    SCOPED_TRACE(std::string(g.section) + " " + g.key);
    const int index = tables.MaskIndex(tables.SectionIndex(g.section), g.section, g.key);
    ASSERT_GE(index, 0);
    const TsMaskData& mask = tables.masks[static_cast<std::size_t>(index)];
    EXPECT_EQ(mask.frameCount, g.frames);
    EXPECT_EQ(mask.FrameWidth(), g.frameWidth);
    EXPECT_EQ(mask.FrameHeight(), g.frameHeight);
    EXPECT_EQ(mask.maskType, g.maskType);
  }
}

TEST(SkinArt, SectionsFindWhatTheyLackThroughTheirParents) {
  const SkinTables tables = LoadNeutral2();
  const TsGeneralData& right =
      tables.sections[static_cast<std::size_t>(tables.SectionIndex("PAGECONTROLRIGHT"))];
  EXPECT_EQ(right.color, 12632256);
  const int panelBorder = tables.MaskIndex(tables.SectionIndex("PANEL"), "PANEL", "BORDERSMASK");
  ASSERT_GE(panelBorder, 0);
  EXPECT_EQ(right.borderIndex, panelBorder);
  // Every scroll button has the shared button frame and an arrow of its own.
  for (const SkinSectionId id : {SkinSectionId::SCROLLBTNTOP, SkinSectionId::SCROLLBTNBOTTOM,
                                 SkinSectionId::SCROLLBTNLEFT, SkinSectionId::SCROLLBTNRIGHT,
                                 SkinSectionId::SCROLLSLIDERH, SkinSectionId::SCROLLSLIDERV}) {
    SCOPED_TRACE(std::string(NameOf(id)));
    EXPECT_GE(tables.indices.Of(id).borderMask, 0);
    EXPECT_GE(tables.indices.Of(id).glyphMask, 0);
  }
  const TsGeneralData& splitter =
      tables.sections[static_cast<std::size_t>(tables.SectionIndex("SPLITTER"))];
  EXPECT_TRUE(splitter.gradient.empty());
  EXPECT_EQ(splitter.gradientPercent, 0);
}

// The pixels of one frame of a mask: the picture and, for mask type 1, its alpha row.
struct FramePixel {
  Pixel image;
  int through;  // 255: the background shows fully; 0: opaque
};

std::vector<FramePixel> FramePixels(const SkinTables& tables, const TsMaskData& mask, int frame) {
  const Bitmap32& source = tables.SourceOf(mask);
  std::vector<FramePixel> pixels;
  const int left = mask.rect.left + frame * mask.FrameWidth();
  for (int y = 0; y < mask.FrameHeight(); ++y) {
    for (int x = 0; x < mask.FrameWidth(); ++x) {
      const Pixel image = source.At(left + x, mask.rect.top + y);
      int through = 0;
      if (mask.maskType > 0) {
        const Pixel alpha = source.At(left + x, mask.rect.top + y + mask.FrameHeight());
        through = std::min({PixelR(alpha), PixelG(alpha), PixelB(alpha)});
      }
      pixels.push_back({image, through});
    }
  }
  return pixels;
}

TEST(SkinArt, EveryImageLiesInsideItsSourceAndShowsSomethingWithoutFuchsiaFringes) {
  const SkinTables tables = LoadNeutral2();
  ASSERT_FALSE(tables.masks.empty());
  for (const TsMaskData& mask : tables.masks) {
    SCOPED_TRACE(mask.sectionName + " " + mask.propertyName);
    const Bitmap32& source = tables.SourceOf(mask);
    ASSERT_TRUE(mask.rect.left >= 0 && mask.rect.top >= 0 && mask.rect.left < mask.rect.right &&
                mask.rect.top < mask.rect.bottom && mask.rect.right <= source.Width() &&
                mask.rect.bottom <= source.Height());
    EXPECT_EQ((mask.rect.right - mask.rect.left) % mask.frameCount, 0);
    EXPECT_EQ((mask.rect.bottom - mask.rect.top) % (mask.maskType + 1), 0);
    for (int frame = 0; frame < mask.frameCount; ++frame) {
      SCOPED_TRACE("frame " + std::to_string(frame));
      bool visible = false;
      for (const FramePixel& p : FramePixels(tables, mask, frame)) {
        if (!IsFuchsia(p.image) && p.through < 255) visible = true;
        // A pixel that shows even in part must carry a real colour, never the key.
        if (mask.maskType > 0) {
          EXPECT_FALSE(IsFuchsia(p.image) && p.through < 255);
        }
      }
      EXPECT_TRUE(visible);
    }
  }
}

// The art and the definition are written apart; every image the generator draws must be
// named by the definition with the rectangle, frames and mask type it was drawn for.
TEST(SkinArt, EveryDrawnImageIsNamedByTheDefinitionAsDrawn) {
  const SkinTables tables = LoadNeutral2();
  for (const skin_art::Slot& slot : skin_art::kAllSlots) {
    bool named = false;
    for (const TsMaskData& mask : tables.masks) {
      if (!mask.image && mask.rect == slot.rect && mask.frameCount == slot.frames &&
          mask.maskType == slot.maskType) {
        named = true;
      }
    }
    EXPECT_TRUE(named) << "slot at " << slot.rect.left << "," << slot.rect.top;
  }
}

TEST(SkinArt, MasterBitmapImagesDoNotOverlapUnlessTheySharePixels) {
  const SkinTables tables = LoadNeutral2();
  for (std::size_t i = 0; i < tables.masks.size(); ++i) {
    for (std::size_t j = i + 1; j < tables.masks.size(); ++j) {
      const TsMaskData& a = tables.masks[i];
      const TsMaskData& b = tables.masks[j];
      if (a.image || b.image || a.rect == b.rect) continue;
      const bool overlap = a.rect.left < b.rect.right && b.rect.left < a.rect.right &&
                           a.rect.top < b.rect.bottom && b.rect.top < a.rect.bottom;
      EXPECT_FALSE(overlap) << a.sectionName << " " << a.propertyName << " and " << b.sectionName
                            << " " << b.propertyName;
    }
  }
}

TEST(SkinArt, FormShadowsAreEvenSoftAndTheInactiveOneLighter) {
  const DecodedImage active = ReadPng(kSkins / "shadows" / "ShadowActive.png");
  const DecodedImage inactive = ReadPng(kSkins / "shadows" / "ShadowInactive.png");
  ASSERT_TRUE(active.Ok() && inactive.Ok());
  const Bitmap32& a = active.bitmap;
  ASSERT_EQ(a.GetSize(), (Size{19, 19}));
  ASSERT_EQ(inactive.bitmap.GetSize(), (Size{19, 19}));
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 19; ++x) {
      const Pixel p = a.At(x, y);
      EXPECT_EQ(PixelRGB(p), 0u);  // black: never the white the program clears
      EXPECT_EQ(PixelRGB(inactive.bitmap.At(x, y)), 0u);
      // The same on every side and corner.
      EXPECT_EQ(p, a.At(18 - x, y));
      EXPECT_EQ(p, a.At(x, 18 - y));
      EXPECT_EQ(p, a.At(y, x));
      EXPECT_LE(PixelA(inactive.bitmap.At(x, y)), PixelA(p));
    }
  }
  // Darkest next to the window, fading to nothing at the outer edge.
  for (int x = 9; x > 0; --x) EXPECT_GE(PixelA(a.At(x, 9)), PixelA(a.At(x - 1, 9)));
  EXPECT_GT(PixelA(a.At(8, 9)), 40);
  EXPECT_EQ(PixelA(a.At(0, 9)), 0);
  EXPECT_EQ(PixelA(a.At(0, 0)), 0);
  EXPECT_LT(PixelA(inactive.bitmap.At(8, 9)), PixelA(a.At(8, 9)));
}

// The two ways the drawing library writes smooth edges: with an alpha row the edge pixels
// keep the ink's own colour and their coverage goes into the alpha row (no dark or fuchsia
// fringe on any background); colour-keyed, they are blended over the background given,
// so they lie between ink and background.
TEST(SkinArtDrawing, SmoothEdgesCarryNoFringe) {
  using namespace skin_art;
  Canvas disc(12, 12);
  disc.Fill(Circle({6, 6}, 4.3), Solid(Grey(200)));
  Bitmap32 withAlpha(12, 24);
  WriteWithAlphaRow(withAlpha, 0, 0, disc, Nothing(), Grey(0));
  Bitmap32 keyed(12, 12);
  WriteKeyed(keyed, 0, 0, disc, Grey(100));
  int partial = 0;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const Pixel image = withAlpha.At(x, y);
      const int through = PixelR(withAlpha.At(x, y + 12));
      if (through == 255) {
        EXPECT_TRUE(IsFuchsia(image) && IsFuchsia(keyed.At(x, y))) << x << "," << y;
        continue;
      }
      if (through > 0) ++partial;
      EXPECT_EQ(PixelRGB(image), 0xC8C8C8u) << x << "," << y;
      const int level = PixelR(keyed.At(x, y));
      EXPECT_TRUE(level >= 100 && level <= 200) << x << "," << y << ": " << level;
      // The same coverage in both: each is rounded on its own, so they agree within one.
      EXPECT_NEAR(level, 200 - 100 * through / 255.0, 1.0) << x << "," << y;
    }
  }
  EXPECT_GT(partial, 8);
}

}  // namespace
}  // namespace tappomat
