// Skins made to hurt the loader, as users may download them: parent chains thousands deep
// or looping, very many sections, one large image named by many keys, more pixels than a
// skin may hold, and numbers beyond any image. Each loads quickly into sound tables or
// fails with a message that names what is wrong.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

#include "imaging/bmp_encoder.h"
#include "skin/data/skin_loader.h"
#include "skin/data/skin_package.h"
#include "skin/data/skin_too_large.h"
#include "support/image_files.h"

namespace tappomat::test {
namespace {

// Images by name; counts how often each is asked for.
class CountingSource final : public SkinImageSource {
 public:
  std::map<std::string, std::vector<std::uint8_t>, std::less<>> files;
  mutable std::map<std::string, int, std::less<>> asked;
  std::optional<ImageBytes> Find(std::string_view name) const override {
    ++asked[std::string(name)];
    const auto it = files.find(name);
    if (it == files.end()) return std::nullopt;
    return ImageBytes::View(it->second);
  }
};

SkinTables Load(const std::string& text, const SkinImageSource& images,
                const SkinLoadOptions& options = {}) {
  return LoadSkinDefinition(DefinitionText::Parse(text), images, options);
}

const TsGeneralData& SectionOf(const SkinTables& tables, std::string_view name) {
  const int index = tables.SectionIndex(name);
  EXPECT_GE(index, 0) << name;
  return tables.sections.at(static_cast<std::size_t>(index));
}

constexpr const char* kBorder = "BORDERSMASK=^0000^0000^0009^0006^0000^0000^0000^0000^1^0^1^0\n";

// Sections S0 ... S<depth>, each the parent of the next; S0 holds a colour and a border.
std::string Chain(int depth) {
  std::string text = std::string("[S0]\nCOLOR=255\n") + kBorder;
  for (int i = 1; i <= depth; ++i) {
    text += "[S" + std::to_string(i) + "]\nPARENTCLASS=S" + std::to_string(i - 1) + "\n";
  }
  return text;
}

TEST(HostileSkins, ALookupFollowsAtMostAHundredParents) {
  const CountingSource none;
  const SkinTables tables = Load(Chain(150), none);
  ASSERT_EQ(tables.masks.size(), 1u);
  const struct {
    const char* section;
    bool inherits;
  } cases[] = {{"S1", true}, {"S99", true}, {"S100", true}, {"S101", false}, {"S150", false}};
  for (const auto& c : cases) {
    const TsGeneralData& section = SectionOf(tables, c.section);
    EXPECT_EQ(section.color, c.inherits ? 255 : 0xFFFFFF) << c.section;
    EXPECT_EQ(section.borderIndex, c.inherits ? 0 : -1) << c.section;
  }
  // The lookups that controls make later agree with what the load computed.
  for (std::size_t i = 0; i < tables.sections.size(); ++i) {
    const TsGeneralData& section = tables.sections[i];
    EXPECT_EQ(tables.MaskIndex(static_cast<int>(i), section.name, "BORDERSMASK"), section.borderIndex)
        << section.name;
  }
}

TEST(HostileSkins, LoopsOfParentsAreCutWhereTheyClose) {
  const CountingSource none;
  // Walking from A, the first section, the loop closes at B's link back to A: A sees B's
  // keys, B does not see A's.
  const SkinTables loop =
      Load("[A]\nPARENTCLASS=B\nCOLOR=1\n[B]\nPARENTCLASS=A\nTRANSPARENCY=7\n[C]\nPARENTCLASS=B\n", none);
  const struct {
    const char* section;
    int color, transparency, parent;
  } cases[] = {{"A", 1, 7, 1}, {"B", 0xFFFFFF, 7, -1}, {"C", 0xFFFFFF, 7, 1}};
  for (const auto& c : cases) {
    const TsGeneralData& section = SectionOf(loop, c.section);
    EXPECT_EQ(section.color, c.color) << c.section;
    EXPECT_EQ(section.transparency, c.transparency) << c.section;
    EXPECT_EQ(loop.ParentOf(loop.SectionIndex(c.section)), c.parent) << c.section;
  }
  const SkinTables self = Load("[A]\nPARENTCLASS=A\n", none);
  EXPECT_EQ(self.ParentOf(0), -1) << "a section that names itself has no parent";
}

// A chain 10 000 deep and a loop of 10 000 sections load at all (they took minutes).
TEST(HostileSkins, DeepChainsAndLongLoopsLoad) {
  const CountingSource none;
  const SkinTables chain = Load(Chain(10000), none);
  EXPECT_EQ(SectionOf(chain, "S100").color, 255);
  EXPECT_EQ(SectionOf(chain, "S10000").color, 0xFFFFFF);

  std::string text;
  for (int i = 0; i < 10000; ++i) {
    text += "[S" + std::to_string(i) + "]\nPARENTCLASS=S" + std::to_string((i + 1) % 10000) + "\n";
    if (i == 50) text += std::string("COLOR=255\n") + kBorder;
  }
  const SkinTables loop = Load(text, none);
  EXPECT_EQ(SectionOf(loop, "S0").color, 255) << "S0 reaches S50 in 50 steps";
  EXPECT_EQ(SectionOf(loop, "S0").borderIndex, 0);
  EXPECT_EQ(SectionOf(loop, "S51").color, 0xFFFFFF) << "S9999's link back to S0 closes the loop";
  EXPECT_EQ(SectionOf(loop, "S9999").borderIndex, -1);
  for (const char* name : {"S0", "S49", "S50", "S51", "S9950", "S9999"}) {
    const int index = loop.SectionIndex(name);
    EXPECT_EQ(loop.MaskIndex(index, name, "BORDERSMASK"), SectionOf(loop, name).borderIndex) << name;
  }
}

// Millions of tiny sections or keys would take gigabytes of tables: a definition holds at
// most so many of each, and one past either limit is refused with a message saying so.
TEST(HostileSkins, ADefinitionHoldsAtMostSoManySectionsAndKeys) {
  std::string sections;
  for (std::size_t i = 0; i < kMaxSkinSections; ++i) sections += "[" + std::to_string(i) + "]\n";
  EXPECT_EQ(DefinitionText::Parse(sections + "[0]\nA=1\n").Sections().size(), kMaxSkinSections);
  try {
    DefinitionText::Parse(sections + "[ONE MORE]\n");
    ADD_FAILURE() << "one section past the limit was taken";
  } catch (const SkinTooLarge& e) {
    EXPECT_NE(std::string(e.what()).find("more than 131072 sections"), std::string::npos) << e.what();
  }

  std::string keys = "[A]\n";
  for (std::size_t i = 0; i < kMaxSkinKeys; ++i) keys += "K=\n";
  EXPECT_EQ(DefinitionText::Parse(keys).Sections().at(0).keys.size(), kMaxSkinKeys);
  EXPECT_THROW(DefinitionText::Parse(keys + "[B]\nK=\n"), SkinTooLarge);
}

TEST(HostileSkins, ManySectionsAreFoundByNameTheFirstOneCounting) {
  const CountingSource none;
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "[S" + std::to_string(i) + "]\n" + kBorder;
  // A repeated header adds to the first section; a border-mask reference to a JPEG name
  // also makes a texture of the same key, which only TextureIndex finds.
  const std::string sky = "#SKY.JPG (0,0,4,4) (1,0)";
  text += "[S5]\nCOLOR=5\n[DUP]\nPATTERN=" + sky + "\n[DUP]\nSTATES=1\n";
  CountingSource images;
  images.files[sky] = EncodeJpeg(Bitmap32(4, 4, MakePixel(1, 2, 3)), 90);  // named by the whole value
  const SkinTables tables = Load(text, images);
  ASSERT_EQ(tables.sections.size(), 100001u);
  for (const int i : {0, 1, 5, 54321, 99999}) {
    const std::string name = "S" + std::to_string(i);
    EXPECT_EQ(tables.SectionIndex(name), i);
    EXPECT_EQ(SectionOf(tables, name).borderIndex, i) << name;
    EXPECT_EQ(tables.MaskIndex(i, name, "BORDERSMASK"), i) << name;
  }
  EXPECT_EQ(SectionOf(tables, "S5").color, 5);
  const TsGeneralData& dup = SectionOf(tables, "DUP");
  EXPECT_EQ(dup.states, 1);
  const int dupIndex = tables.SectionIndex("DUP");
  ASSERT_EQ(tables.masks.size(), 100002u);
  EXPECT_EQ(tables.masks[100000].kind, ImageKind::BorderMask);
  EXPECT_EQ(tables.masks[100001].kind, ImageKind::Texture);
  EXPECT_EQ(tables.MaskIndex(dupIndex, "DUP", "PATTERN"), 100000) << "the border mask comes first";
  EXPECT_EQ(tables.TextureIndex(dupIndex, "DUP", "PATTERN"), 100001) << "textures only";
  EXPECT_EQ(dup.textureIndex, 100001);
  EXPECT_EQ(tables.SectionIndex("S100000"), -1);
}

// A PNG of one grey, written row by row through zlib: millions of pixels in a few kilobytes
// and no more memory than a row. With `rows` below the height, only the header tells the
// whole size.
std::vector<std::uint8_t> PlainGreyPng(std::uint32_t width, std::uint32_t height,
                                       std::uint32_t rows = UINT32_MAX) {
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const auto put32 = [](std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
  };
  const auto chunk = [&](const char* type, const std::vector<std::uint8_t>& data) {
    put32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(png, static_cast<std::uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
  };
  std::vector<std::uint8_t> header;
  put32(header, width);
  put32(header, height);
  header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit grey, not interlaced
  chunk("IHDR", header);

  std::vector<std::uint8_t> row(width + 1, 128);
  row[0] = 0;  // no filter
  std::vector<std::uint8_t> compressed;
  std::vector<std::uint8_t> buffer(1 << 16);
  z_stream stream{};
  deflateInit(&stream, 9);
  rows = std::min(rows, height);
  for (std::uint32_t y = 0; y <= rows; ++y) {
    const bool last = y == rows;
    stream.next_in = last ? nullptr : row.data();
    stream.avail_in = last ? 0 : static_cast<uInt>(row.size());
    int status = Z_OK;
    do {
      stream.next_out = buffer.data();
      stream.avail_out = static_cast<uInt>(buffer.size());
      status = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
      compressed.insert(compressed.end(), buffer.data(), buffer.data() + (buffer.size() - stream.avail_out));
    } while (stream.avail_out == 0 || (last && status != Z_STREAM_END));
  }
  deflateEnd(&stream);
  chunk("IDAT", compressed);
  chunk("IEND", {});
  return png;
}

// The case of a downloaded skin: a small package whose one PNG of 8000 x 8000 is named by
// eight keys. It is decoded once (64 000 000 pixels, within what a skin may hold) and the
// eight masks share it; one image more is refused with a message that names it.
TEST(HostileSkins, ALargeImageIsDecodedOnceAndASkinHoldsAtMost64MPixels) {
  std::string text = "[GLOBALINFO]\nVERSION=7.20\n";
  for (int i = 0; i < 8; ++i) text += "[S" + std::to_string(i) + "]\nBORDERSMASK=!BIG.PNG!1!0!0\n";
  const std::string definition = text;
  const std::string more = text + "[OTHER]\nBORDERSMASK=!SECOND.PNG!1!0!0\n";
  const std::vector<SkinPackageFile> files = {
      {"Options.dat", std::vector<std::uint8_t>(more.begin(), more.end())},
      {"BIG.PNG", PlainGreyPng(8000, 8000)},
      {"SECOND.PNG", PlainGreyPng(2000, 2000)}};
  const std::vector<std::uint8_t> package = WriteSkinPackage(files);
  EXPECT_LT(package.size(), 64u * 1024) << "small enough to be shared";
  const SkinPackageRead read = ReadSkinPackage(package);
  ASSERT_TRUE(read.Ok()) << read.error;
  const PackedImageSource images(read.package);
  {
    const SkinTables tables = Load(definition, images);
    ASSERT_EQ(tables.masks.size(), 8u);
    for (const TsMaskData& mask : tables.masks) {
      EXPECT_EQ(mask.image, tables.masks[0].image) << mask.sectionName;
      EXPECT_EQ(mask.rect, (Rect{0, 0, 8000, 8000}));
    }
  }
  try {
    Load(more, images);
    ADD_FAILURE() << "a skin of more than 64 M pixels loaded";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(),
                 "The skin image \"SECOND.PNG\" ([OTHER] BORDERSMASK) is 2000 x 2000 pixels, more "
                 "than the 3108864 pixels the skin's other images leave; a skin may hold at most "
                 "67108864 pixels in all");
  }
}

TEST(HostileSkins, ImagesBeyondTheLimitsOfOneImageAreRefusedByName) {
  const struct {
    const char* definition;
    std::uint32_t width, height;
    const char* message;
  } cases[] = {
      {"[GLOBALINFO]\nMASTERBITMAP=HUGE.PNG\n", 20000, 1,
       "The skin image \"HUGE.PNG\" ([GLOBALINFO] MASTERBITMAP) is 20000 x 1 pixels; an image may "
       "be at most 16384 pixels wide and high"},
      {"[PANEL]\nPATTERN=HUGE.PNG.JPG\n", 9000, 9000, nullptr},
  };
  for (const auto& c : cases) {
    CountingSource images;
    images.files["HUGE.PNG"] = PlainGreyPng(c.width, c.height, 1);
    images.files["HUGE.PNG.JPG"] = images.files["HUGE.PNG"];
    try {
      Load(c.definition, images);
      ADD_FAILURE() << c.definition;
    } catch (const std::exception& e) {
      const std::string expected =
          c.message ? c.message
                    : "The skin image \"HUGE.PNG.JPG\" ([PANEL] PATTERN) is 9000 x 9000 pixels; an "
                      "image may hold at most 64000000 pixels";
      EXPECT_EQ(e.what(), expected);
    }
  }
}

// Every key that names an image asks the source once per image, and the masks share it.
TEST(HostileSkins, AnImageNamedByManyKeysIsReadAndDecodedOnce) {
  CountingSource images;
  images.files["ONE.BMP"] = EncodeBmp(Bitmap32(30, 20, MakePixel(1, 2, 3)));
  std::string text;
  for (int i = 0; i < 5; ++i) {
    text += "[S" + std::to_string(i) + "]\nBORDERSMASK=!ONE.BMP!1!0!0\nGLYPHMASK=!ONE.BMP!1!0!2\n";
  }
  const SkinTables tables = Load(text, images);
  ASSERT_EQ(tables.masks.size(), 10u);
  for (const TsMaskData& mask : tables.masks) EXPECT_EQ(mask.image, tables.masks[0].image);
  EXPECT_EQ(images.asked["ONE.BMP"], 1);
}

// The close button keeps its colours while a hue change turns the rest: when the same
// image is named by a kept key and by a turned one, each shows what it should, in either
// order.
TEST(HostileSkins, SharedPixelsChangeOnlyForTheMasksWhoseHueTurns) {
  CountingSource images;
  images.files["CLOSE.BMP"] = EncodeBmp(Bitmap32(6, 6, MakePixel(255, 0, 0)));
  const std::string kept = "[GLOBALINFO]\nBIKEEPHUE=2\nBICONCLOSE=!CLOSE.BMP!1!0!2\n";
  const std::string turned = "[BUTTON]\nBORDERSMASK=!CLOSE.BMP!1!0!0\n";
  SkinLoadOptions options;
  options.hueOffset = 120;
  for (const std::string& text : {kept + turned, turned + kept}) {
    const SkinTables tables = Load(text, images, options);
    const int close = tables.MaskIndex(tables.SectionIndex("GLOBALINFO"), "GLOBALINFO", "BICONCLOSE");
    const int button = tables.MaskIndex(tables.SectionIndex("BUTTON"), "BUTTON", "BORDERSMASK");
    ASSERT_GE(close, 0);
    ASSERT_GE(button, 0);
    EXPECT_EQ(tables.masks[static_cast<std::size_t>(close)].image->At(2, 2), MakePixel(255, 0, 0)) << text;
    EXPECT_EQ(tables.masks[static_cast<std::size_t>(button)].image->At(2, 2), MakePixel(0, 255, 0)) << text;
  }
}

// A "#" reference from the smallest to the largest int: the load keeps the numbers within
// 16 bits, so the mask's width and margins are sound (they overflowed).
TEST(HostileSkins, ExtremeNumbersInImageReferencesGiveSoundMasks) {
  CountingSource images;
  images.files["MASTER.BMP"] = EncodeBmp(Bitmap32(8, 8, MakePixel(9, 9, 9)));
  const SkinTables tables = Load(
      "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nSHADOW1OFFSET=2147483647\nBICONMAXGLOW=-2147483648\n"
      "[BUTTON]\nBORDERSMASK=#m (-2147483648,-2147483648,2147483647,2147483647) (2147483647,1)\n"
      "GLYPHMASK=#m (0,0,99999999999,99999999999) (1,99999999999,99999999999,-99999999999)\n"
      "[EDIT]\nBORDERSMASK=!MASTER.BMP!2147483647!-2147483648!0!99999999999!1!1!1!9\n",
      images);
  ASSERT_EQ(tables.masks.size(), 3u);
  const TsMaskData& wide = tables.masks[0];
  EXPECT_EQ(wide.rect.Width(), 65535);
  EXPECT_EQ(wide.FrameWidth(), 2);
  EXPECT_EQ(wide.margins[0], 0) << "65535 / (32767 * 3)";
  EXPECT_EQ(wide.margins[1], 10922) << "65535 / ((1 + 1) * 3)";
  EXPECT_EQ(wide.MarginLeft(), 2) << "no margin: the frame";
  const TsMaskData& deep = tables.masks[1];
  EXPECT_EQ(deep.FrameHeight(), 0) << "32767 / 32768";
  EXPECT_EQ(deep.borderWidth, 32767);
  const TsMaskData& file = tables.masks[2];
  EXPECT_EQ(file.frameCount, 32767);
  EXPECT_EQ(file.maskType, -32768);
  EXPECT_EQ(file.FrameHeight(), 0);
  EXPECT_EQ(file.margins[0], 32767);
  EXPECT_EQ(tables.skinData.shadow1Offset, 32767);
  EXPECT_EQ(tables.skinData.biconMaxGlow, -32768);
}

}  // namespace
}  // namespace tappomat::test
