// Image references as skin definitions write them, and the definition text they stand in.
#include "skin/data/image_reference.h"

#include <gtest/gtest.h>

#include "skin/data/definition_text.h"
#include "ui/convert.h"

namespace tappomat::test {
namespace {

using Form = ImageReference::Form;

TEST(ImageReference, FixedColumnFormsCutTheMasterBitmap) {
  const auto glyph = ParseImageReference("@0000@0192@0048@0228@3@1");
  ASSERT_TRUE(glyph);
  EXPECT_EQ(glyph->form, Form::Glyph);
  EXPECT_EQ(glyph->kind, ImageKind::Glyph);
  EXPECT_EQ(glyph->rect, (Rect{0, 192, 48, 228}));
  EXPECT_EQ(glyph->frameCount, 3);
  EXPECT_EQ(glyph->maskType, 1);

  const auto button = ParseImageReference("^0000^0276^0054^0312^0000^0000^0000^0000^3^1^1^0");
  ASSERT_TRUE(button);
  EXPECT_EQ(button->kind, ImageKind::BorderMask);
  EXPECT_EQ(button->rect, (Rect{0, 276, 54, 312}));
  EXPECT_EQ(button->margins, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(button->frameCount, 3);
  EXPECT_EQ(button->maskType, 1);
  EXPECT_EQ(button->drawMode, 1);
  EXPECT_EQ(button->borderWidth, 0);

  const auto speed = ParseImageReference("^0000^0000^0108^0060^0012^0010^0012^0010^3^1^0^1");
  EXPECT_EQ(speed->margins, (std::array<int, 4>{12, 10, 12, 10}));
  EXPECT_EQ(speed->drawMode, 0);
  EXPECT_EQ(speed->borderWidth, 1);

  const auto grip = ParseImageReference("~0067~0288~0070~0298~10~1");
  ASSERT_TRUE(grip);
  EXPECT_EQ(grip->kind, ImageKind::Texture);
  EXPECT_EQ(grip->rect, (Rect{67, 288, 70, 298}));
  EXPECT_EQ(grip->drawMode, 10);
  EXPECT_EQ(grip->maskType, 1);
  EXPECT_EQ(ParseImageReference("~0067~0288~0070~0298~10")->maskType, 0) << "shorter than 25";
}

TEST(ImageReference, MalformedFixedColumnsFailWithTheConversionMessage) {
  const struct {
    const char* value;
    const char* message;
  } cases[] = {
      {"@00x0@0192@0048@0228@3@1", "'00x0' is not a valid integer value"},
      {"@0000@0192@0048@0228@3", "'' is not a valid integer value"},
      {"^0000^0276^0054^0312^0000^0000^0000^0000^3^1^1", "'' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    try {
      ParseImageReference(c.value);
      ADD_FAILURE() << c.value << " parsed";
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.value;
    }
  }
}

TEST(ImageReference, FileImagesTakeTheirWordsAndDefaults) {
  const auto huge = ParseImageReference("!BUTTONHUGE.BMP!3!1!0!0032!0032!0032!0032!5");
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->form, Form::File);
  EXPECT_EQ(huge->fileName, "BUTTONHUGE.BMP");
  EXPECT_EQ(huge->kind, ImageKind::BorderMask);
  EXPECT_EQ(huge->margins, (std::array<int, 4>{32, 32, 32, 32}));
  EXPECT_TRUE(huge->marginsGiven);
  EXPECT_EQ(huge->drawMode, 5);

  const auto glow = ParseImageReference("!GLOWCLOSE.PNG!2!0!9!x");
  ASSERT_TRUE(glow);
  EXPECT_EQ(glow->kind, ImageKind::GlowGlyph) << "kinds above 4 count as 4";
  EXPECT_TRUE(glow->marginsGiven) << "five words";
  EXPECT_EQ(glow->margins[0], 0) << "not a number: 0";
  EXPECT_EQ(glow->drawMode, 1) << "fewer than nine words";
  EXPECT_FALSE(ParseImageReference("!GLOW.PNG!2!0!3")->marginsGiven);
  EXPECT_FALSE(ParseImageReference("!TEXTURE.JPG!1!0!1")) << "neither BMP nor PNG";
}

TEST(ImageReference, OlderFormsAndValuesThatNameNoImage) {
  const auto hash = ParseImageReference("#master (10,20,74,56) (3,1)");
  ASSERT_TRUE(hash);
  EXPECT_EQ(hash->form, Form::Hash);
  EXPECT_EQ(hash->rect, (Rect{10, 20, 74, 56}));
  EXPECT_EQ(hash->frameCount, 3);
  EXPECT_EQ(hash->maskType, 1);
  EXPECT_EQ(hash->borderWidth, 0);
  EXPECT_EQ(hash->drawMode, 1);
  EXPECT_EQ(ParseImageReference("#m (1 2 3 4) (0,-1,-5,4)")->frameCount, 1) << "at least 1";

  const auto bare = ParseImageReference("Border.bmp");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->form, Form::BareBitmap);
  EXPECT_EQ(bare->frameCount, 3);
  EXPECT_EQ(bare->maskType, 1);

  for (const char* value : {"", "16777215", "N/A", "TRUE", "16777215;14737632;23;0;0", "Sky.jpg"}) {
    EXPECT_FALSE(ParseImageReference(value)) << value;
  }
}

// Numbers that a skin writes into "#" references and "!" words are kept within 16 bits, as
// large as any image and as the mask fields that take them: a rectangle from the smallest
// to the largest int would have a width that no int holds.
TEST(ImageReference, NumbersFromOutsideAreKeptWithinSixteenBits) {
  const struct {
    const char* value;
    Rect rect;
    std::array<int, 4> fields;  // frame count, mask type, border width, draw mode
  } hashes[] = {
      {"#m (-2147483648,-2147483648,2147483647,2147483647) (2147483647,2147483647)",
       {-32768, -32768, 32767, 32767}, {32767, 32767, 0, 1}},
      {"#m (99999999999,-99999999999,7,8) (99999999999,0,99999999999,-99999999999)",
       {32767, -32768, 7, 8}, {32767, 0, 32767, -32768}},
      {"#m -2147483648,0,2147483647,4 -2147483648,-2147483648,-2147483648,2147483647",
       {-32768, 0, 32767, 4}, {1, 0, 0, 32767}},
      {"#m (123456789012345678901234567890,1,2,3) (1,0)", {0, 1, 2, 3}, {1, 0, 0, 1}},
  };
  for (const auto& c : hashes) {
    const auto ref = ParseImageReference(c.value);
    ASSERT_TRUE(ref) << c.value;
    EXPECT_EQ(ref->rect, c.rect) << c.value;
    EXPECT_EQ((std::array<int, 4>{ref->frameCount, ref->maskType, ref->borderWidth, ref->drawMode}),
              c.fields)
        << c.value;
  }
  const auto file = ParseImageReference(
      "!A.BMP!2147483647!-2147483648!1!99999999999!-99999999999!0!0!-2147483649");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->frameCount, 32767);
  EXPECT_EQ(file->maskType, -32768);
  EXPECT_EQ(file->margins, (std::array<int, 4>{32767, -32768, 0, 0}));
  EXPECT_EQ(file->drawMode, -32768);
}

TEST(DefinitionText, SectionsAndKeysInTextOrderFirstOneCounting) {
  const DefinitionText text = DefinitionText::Parse(
      "\xEF\xBB\xBF[GLOBALINFO]\r\nCOLOR = 12632256\r\n; a comment=1\r\nCOLOR=1\r\n"
      "\r\n[BUTTON]\nPARENTCLASS=PANEL\nnoequals\n[button]\ncolor=5\n[GLOBALINFO]\nEXTRA=2\n");
  ASSERT_EQ(text.Sections().size(), 3u);
  const DefinitionText::Section* global = text.Find("GLOBALINFO");
  ASSERT_NE(global, nullptr);
  EXPECT_EQ(*global->Find("COLOR"), "12632256");
  EXPECT_EQ(*global->Find("EXTRA"), "2") << "a repeated header adds to the first section";
  EXPECT_EQ(global->Find("color"), nullptr) << "names are exact";
  EXPECT_EQ(global->keys.size(), 3u);
  EXPECT_EQ(*text.Find("BUTTON")->Find("PARENTCLASS"), "PANEL");
  EXPECT_NE(text.Find("button"), nullptr);
  EXPECT_EQ(text.Find("PANEL"), nullptr);
}

}  // namespace
}  // namespace tappomat::test
