// Skin packages: what a packed skin gives back, the names under which its images are
// found, and the messages of damaged, cut-off and implausible packages.
#include "skin/data/skin_package.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <fstream>

#include "support/temp_folder.h"

namespace tappomat::test {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Pack(std::initializer_list<std::pair<std::string, std::string>> files) {
  std::vector<SkinPackageFile> list;
  for (const auto& [name, data] : files) list.push_back({name, Bytes(data)});
  return WriteSkinPackage(list);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A package of one entry written by hand: its size field says `claimed`, its stream holds
// `data`.
std::vector<std::uint8_t> OneEntry(const std::string& name, std::uint32_t claimed,
                                   const std::string& data) {
  std::vector<std::uint8_t> out = Bytes("TQzf");
  Put32(out, 1);
  Put32(out, static_cast<std::uint32_t>(name.size()));
  out.insert(out.end(), name.begin(), name.end());
  Put32(out, claimed);
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<std::uint8_t> packed(size);
  compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(data.data()),
            static_cast<uLong>(data.size()), 9);
  out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(size));
  return out;
}

TEST(SkinPackage, GivesTheDefinitionAndTheImagesInPackageOrder) {
  const std::string definition = "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n";
  const auto bytes = Pack({{"ButtonHuge.bmp", "BM huge"}, {"Options.dat", definition},
                           {"Master.bmp", "BM master"}});
  const SkinPackageRead read = ReadSkinPackage(bytes);
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_TRUE(read.package.hasDefinition);
  EXPECT_EQ(read.package.definition, Bytes(definition));
  ASSERT_EQ(read.package.ImageCount(), 2);
  EXPECT_EQ(read.package.images[0].name, "ButtonHuge.bmp");
  EXPECT_EQ(read.package.images[1].name, "Master.bmp");
  EXPECT_EQ(read.package.images[1].data, Bytes("BM master"));
  EXPECT_EQ(read.used, bytes.size()) << "no leftover bytes";
}

TEST(SkinPackage, ImagesAreFoundByTheUpperCaseNameOnly) {
  const auto bytes = Pack({{"Options.dat", ""}, {"Master.bmp", "m"}, {"GlowClose.PNG", "g"}});
  const SkinPackageRead read = ReadSkinPackage(bytes);
  ASSERT_TRUE(read.Ok()) << read.error;
  ASSERT_NE(read.package.FindImage("MASTER.BMP"), nullptr);
  EXPECT_EQ(read.package.FindImage("MASTER.BMP")->name, "Master.bmp");
  EXPECT_NE(read.package.FindImage("GLOWCLOSE.PNG"), nullptr);
  EXPECT_EQ(read.package.FindImage("master.bmp"), nullptr);
  EXPECT_EQ(read.package.FindImage("Master.bmp"), nullptr);
  EXPECT_EQ(read.package.FindImage("OPTIONS.DAT"), nullptr) << "the definition is no image";
}

TEST(SkinPackage, TheDefinitionIsFoundInAnyLetterCaseAndTheLastOneCounts) {
  for (const char* name : {"Options.dat", "OPTIONS.DAT", "options.dat"}) {
    const SkinPackageRead read = ReadSkinPackage(Pack({{name, "first"}, {"A.bmp", "a"}}));
    ASSERT_TRUE(read.Ok()) << read.error;
    EXPECT_EQ(read.package.definition, Bytes("first")) << name;
    EXPECT_EQ(read.package.ImageCount(), 1);
  }
  const SkinPackageRead twice =
      ReadSkinPackage(Pack({{"Options.dat", "first"}, {"OPTIONS.DAT", "second"}}));
  EXPECT_EQ(twice.package.definition, Bytes("second"));
  const SkinPackageRead none = ReadSkinPackage(Pack({{"Master.bmp", "m"}}));
  ASSERT_TRUE(none.Ok());
  EXPECT_FALSE(none.package.hasDefinition);
}

TEST(SkinPackage, EmptyEntriesAndEmptyPackagesRead) {
  const SkinPackageRead read = ReadSkinPackage(Pack({{"Options.dat", ""}, {"Empty.bmp", ""}}));
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_TRUE(read.package.definition.empty());
  EXPECT_TRUE(read.package.images[0].data.empty());
  EXPECT_TRUE(ReadSkinPackage(Pack({})).Ok());
}

TEST(SkinPackage, DamagedPackagesSayWhatIsWrong) {
  const auto good = Pack({{"Options.dat", std::string(300, 'x')}, {"Master.bmp", "BM"}});
  auto cut = [&good](std::size_t length) {
    return std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
  };
  auto corrupt = good;
  corrupt[4 + 4 + 4 + 11 + 4 + 2] ^= 0xFF;  // the first block header of the first stream
  auto wrongMagic = good;
  wrongMagic[3] = 'F';
  std::vector<std::uint8_t> hugeCount = Bytes("TQzf");
  Put32(hugeCount, 0xFFFFFFFFu);
  std::vector<std::uint8_t> hugeName = Bytes("TQzf");
  Put32(hugeName, 1);
  Put32(hugeName, 0x7FFFFFFFu);
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    std::string message;
  } cases[] = {
      {"nothing", {}, "Loaded data is not a packed Tessark file"},
      {"magic in other case", wrongMagic, "Loaded data is not a packed Tessark file"},
      {"cut after the magic", cut(6), "Stream read error"},
      {"cut in the first name", cut(15), "Stream read error"},
      {"cut in the first size", cut(25), "Stream read error"},
      {"cut in the first stream", cut(35), "Stream read error"},
      {"cut before the last entry", cut(good.size() - 12), "Stream read error"},
      {"corrupt stream", corrupt, "data error"},
      {"stream shorter than its size", OneEntry("Options.dat", 10, "short"), "Stream read error"},
      {"stream longer than its size", OneEntry("Options.dat", 3, "longer"), "data error"},
      {"implausible entry count", hugeCount,
       "The skin package claims 4294967295 entries; at most 4096 are accepted"},
      {"implausible name length", hugeName,
       "Entry 1 of the skin package has a name of 2147483647 bytes; at most 1024 are accepted"},
      {"implausible entry size", OneEntry("Master.bmp", 0xFFFFFFF0u, "m"),
       "The skin package entry \"Master.bmp\" claims 4294967280 bytes, more than a skin may hold"},
  };
  for (const auto& c : cases) {
    const SkinPackageRead read = ReadSkinPackage(c.bytes);
    EXPECT_EQ(read.error, c.message) << c.what;
    EXPECT_FALSE(read.package.hasDefinition) << c.what;
    EXPECT_TRUE(read.package.images.empty()) << c.what;
  }
}

// A failure inside an entry names the entry, so that a message can say where it is.
TEST(SkinPackage, AFailureInsideAnEntryNamesTheEntry) {
  const auto good = Pack({{"Options.dat", std::string(300, 'x')}, {"Master.bmp", "BM"}});
  auto corrupt = good;
  corrupt[4 + 4 + 4 + 11 + 4 + 2] ^= 0xFF;
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* entry;
  } cases[] = {
      {"cut in the first name", {good.begin(), good.begin() + 15}, ""},
      {"cut in the first size", {good.begin(), good.begin() + 25}, "Options.dat"},
      {"corrupt stream", corrupt, "Options.dat"},
      {"cut in the last stream", {good.begin(), good.end() - 3}, "Master.bmp"},
  };
  for (const auto& c : cases) {
    const SkinPackageRead read = ReadSkinPackage(c.bytes);
    EXPECT_FALSE(read.Ok()) << c.what;
    EXPECT_EQ(read.entry, c.entry) << c.what;
  }
}

// Entries that are each within the limit but together past it: the message blames the
// total, not the entry that reached it (a byte here).
TEST(SkinPackage, EntriesTogetherPastTheLimitAreRefusedAsSuch) {
  const std::vector<std::uint8_t> zeros(SkinPackageLimits::kMaxEntrySize);
  uLongf size = compressBound(static_cast<uLong>(zeros.size()));
  std::vector<std::uint8_t> stream(size);
  ASSERT_EQ(compress2(stream.data(), &size, zeros.data(), static_cast<uLong>(zeros.size()), 1), Z_OK);
  stream.resize(size);
  const std::uint32_t full = SkinPackageLimits::kMaxTotalSize / SkinPackageLimits::kMaxEntrySize;
  std::vector<std::uint8_t> package = Bytes("TQzf");
  Put32(package, full + 1);
  for (std::uint32_t i = 0; i <= full; ++i) {
    const std::string name = "E" + std::to_string(i + 1);
    Put32(package, static_cast<std::uint32_t>(name.size()));
    package.insert(package.end(), name.begin(), name.end());
    Put32(package, i < full ? SkinPackageLimits::kMaxEntrySize : 1);
    if (i < full) package.insert(package.end(), stream.begin(), stream.end());
  }
  const SkinPackageRead read = ReadSkinPackage(package);
  EXPECT_EQ(read.error, "The entries of the skin package claim " +
                            std::to_string(SkinPackageLimits::kMaxTotalSize + 1) + " bytes together up to \"E" +
                            std::to_string(full + 1) + "\"; a skin may hold at most " +
                            std::to_string(SkinPackageLimits::kMaxTotalSize) + " bytes");
}

TEST(SkinPackage, FilesAreReadWithTheGuardsOfOutsideData) {
  const TempFolder folder;
  const auto bytes = Pack({{"Options.dat", "[BUTTON]"}});
  {
    std::ofstream out(folder / "Neutral2.tqz", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  const SkinPackageRead read = ReadSkinPackageFile(folder / "Neutral2.tqz");
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_EQ(read.package.definition, Bytes("[BUTTON]"));

  const auto fifo = folder / "Pipe.tqz";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadSkinPackageFile(fifo).error, "Unable to read " + fifo.string() + ": not a regular file");
  EXPECT_EQ(ReadSkinPackageFile(folder / "Missing.tqz").error,
            "Unable to read " + (folder / "Missing.tqz").string() + ": No such file or directory");
}

}  // namespace
}  // namespace tappomat::test
