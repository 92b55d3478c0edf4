// The skin tool as a skin maker uses it: pack a folder, list and unpack the package, and
// the clear errors and exit statuses of wrong command lines and bad files.
#include "skin_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "imaging/bmp_encoder.h"
#include "skin/data/skin_package.h"
#include "support/temp_folder.h"

namespace tappomat::test {
namespace {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

ToolRun Tool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunSkinTool(args, out, err);
  return {status, out.str(), err.str()};
}

void Write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(SkinTool, PacksListsAndUnpacksAFolder) {
  const TempFolder work;
  const auto skin = work / "Neutral2";
  std::filesystem::create_directory(skin);
  Write(skin / "Master.bmp", "BM master");
  Write(skin / "Options.dat", "[GLOBALINFO]\r\n");
  Write(skin / "ButtonHuge.bmp", "BM huge!");
  std::filesystem::create_directory(skin / "notes");  // folders are not packed

  const ToolRun pack = Tool({"pack", skin.string(), (work / "N.tqz").string()});
  ASSERT_EQ(pack.status, 0) << pack.err;
  EXPECT_NE(pack.out.find("3 entries"), std::string::npos) << pack.out;
  const SkinPackageRead read = ReadSkinPackageFile(work / "N.tqz");
  ASSERT_TRUE(read.Ok()) << read.error;
  ASSERT_EQ(read.package.ImageCount(), 2);
  EXPECT_EQ(read.package.images[0].name, "ButtonHuge.bmp") << "name order after Options.dat";

  const ToolRun list = Tool({"list", (work / "N.tqz").string()});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "14\tOptions.dat\n8\tButtonHuge.bmp\n9\tMaster.bmp\n");

  const ToolRun unpack = Tool({"unpack", (work / "N.tqz").string(), (work / "out").string()});
  ASSERT_EQ(unpack.status, 0) << unpack.err;
  EXPECT_EQ(work.Get("out/Master.bmp"), "BM master");
  EXPECT_EQ(work.Get("out/Options.dat"), "[GLOBALINFO]\r\n");

  // Unpacking again would overwrite: refused, nothing written.
  const ToolRun again = Tool({"unpack", (work / "N.tqz").string(), (work / "out").string()});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("already exists; nothing was written"), std::string::npos) << again.err;

  // The same folder packs into the same bytes.
  ASSERT_EQ(Tool({"pack", skin.string(), (work / "M.tqz").string()}).status, 0);
  EXPECT_EQ(work.Get("N.tqz"), work.Get("M.tqz"));
}

// The repository's own skin folder packs, checks and unpacks into the same files.
TEST(SkinTool, TheRepositorysSkinRoundTripsByteForByte) {
  const std::filesystem::path skin = std::filesystem::path(TAPPOMAT_SOURCE_DIR) / "skins" /
                                     "Neutral2 (internal)";
  const TempFolder work;
  ASSERT_EQ(Tool({"pack", skin.string(), (work / "N.tqz").string()}).status, 0);
  const ToolRun check = Tool({"check", (work / "N.tqz").string()});
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_NE(check.out.find(": 0 errors"), std::string::npos) << check.out;
  ASSERT_EQ(Tool({"unpack", (work / "N.tqz").string(), (work / "out").string()}).status, 0);
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(skin)) {
    const std::string name = entry.path().filename().string();
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string original{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(work.Get("out/" + name), original) << name;
    ++files;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work / "out"), {}),
            static_cast<std::ptrdiff_t>(files));
}

TEST(SkinTool, EntryNamesThatLeaveTheFolderAreNotWritten) {
  const TempFolder work;
  for (const char* name : {"../evil.bmp", "sub/evil.bmp", "..", ""}) {
    const std::vector<SkinPackageFile> files = {{"Options.dat", {}}, {name, {'x'}}};
    const auto bytes = WriteSkinPackage(files);
    Write(work / "bad.tqz", std::string(bytes.begin(), bytes.end()));
    const ToolRun run = Tool({"unpack", (work / "bad.tqz").string(), (work / "out").string()});
    EXPECT_EQ(run.status, 1) << name;
    EXPECT_NE(run.err.find("is not a plain file name"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(work / "out")) << name;
  }
}

TEST(SkinTool, WrongCommandLinesAndBadFilesGiveClearErrors) {
  const TempFolder work;
  std::filesystem::create_directory(work / "empty");
  Write(work / "junk.tqz", "not a package");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string error;
  } cases[] = {
      {{}, 2, "tappomat-skin: no command given\n"},
      {{"frobnicate"}, 2, "tappomat-skin: unknown command \"frobnicate\"\n"},
      {{"pack", "only-one"}, 2, "tappomat-skin: pack takes 2 arguments\n"},
      {{"list"}, 2, "tappomat-skin: list takes 1 argument\n"},
      {{"pack", (work / "empty").string(), (work / "e.tqz").string()}, 1,
       "tappomat-skin: " + (work / "empty").string() + " holds no Options.dat\n"},
      {{"pack", (work / "none").string(), (work / "e.tqz").string()}, 1,
       "tappomat-skin: " + (work / "none").string() + " is not a folder\n"},
      {{"list", (work / "junk.tqz").string()}, 1,
       "tappomat-skin: " + (work / "junk.tqz").string() +
           ": Loaded data is not a packed Tessark file\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = Tool(c.args);
    EXPECT_EQ(run.status, c.status) << c.error;
    EXPECT_EQ(run.err.substr(0, c.error.size()), c.error);
  }
  const ToolRun help = Tool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("pack DIR OUT.tqz"), std::string::npos);
}

}  // namespace
}  // namespace tappomat::test

namespace tappomat::test {
namespace {

// A skin folder with one fault of each kind the check reports.
TEST(SkinTool, CheckReportsWhatIsWrongWithASkin) {
  const TempFolder work;
  const auto skin = work / "Broken";
  std::filesystem::create_directory(skin);
  Write(skin / "Options.dat",
        "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n"
        "[BUTTON]\r\nBORDERSMASK=^0000^0000^0054^0036^0000^0000^0000^0000^3^1^1^0\r\n"
        "GLOW0=!GLOWBUTTON.PNG!1!0!3\r\n"
        "[EDIT]\r\nPARENTCLASS=COMBOBOX\r\n[COMBOBOX]\r\nPARENTCLASS=EDIT\r\n"
        "[PANEL]\r\nPARENTCLASS=NOWHERE\r\n[MYSECTION]\r\nCOLOR=1\r\n");
  {
    // A 40 x 20 master bitmap: the button's 54 x 36 rectangle reaches outside it.
    Bitmap32 master(40, 20, MakePixel(1, 2, 3));
    const std::vector<std::uint8_t> bmp = EncodeBmp(master);
    std::ofstream out(skin / "Master.bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  }
  const ToolRun check = Tool({"check", skin.string()});
  EXPECT_EQ(check.status, 1);
  for (const char* line : {
           "error: [EDIT] parents loop: EDIT -> COMBOBOX -> EDIT",
           "error: [BUTTON] GLOW0: the image GLOWBUTTON.PNG is missing",
           "error: [BUTTON] BORDERSMASK: the rectangle 0,0,54,36 reaches outside its image of 40 x 20",
           "warning: [PANEL] PARENTCLASS names NOWHERE, which the skin does not have",
           "warning: [MYSECTION] is not a section the program asks for",
       }) {
    EXPECT_NE(check.out.find(line), std::string::npos) << line << "\n" << check.out;
  }

  Write(skin / "Options.dat", "[GLOBALINFO]\r\nVERSION=7,2\r\n");
  const ToolRun bad = Tool({"check", skin.string()});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("error: the skin does not load: '7,2' is not a valid floating point value"),
            std::string::npos)
      << bad.out;

  Write(skin / "Options.dat", "[GLOBALINFO]\r\nVERSION=7.20\r\n[BUTTON]\r\nCOLOR=1\r\n");
  const ToolRun good = Tool({"check", skin.string()});
  EXPECT_EQ(good.status, 0) << good.out;
  EXPECT_NE(good.out.find(": 0 errors, 0 warnings"), std::string::npos) << good.out;
}

}  // namespace
}  // namespace tappomat::test

namespace tappomat::test {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Parent chains a skin maker got wrong: each loop is reported once, from where the walk
// in text order comes into it, and each PARENTCLASS naming a missing section once.
TEST(SkinTool, CheckReportsEachParentLoopAndEachMissingParentOnce) {
  const TempFolder work;
  const auto skin = work / "Loops";
  std::filesystem::create_directory(skin);
  Write(skin / "Options.dat",
        "[GLOBALINFO]\r\n[A]\r\nPARENTCLASS=B\r\n[B]\r\nPARENTCLASS=C\r\n[C]\r\nPARENTCLASS=B\r\n"
        "[D]\r\nPARENTCLASS=C\r\n[E]\r\nPARENTCLASS=GONE\r\n[F]\r\nPARENTCLASS=E\r\n");
  const ToolRun check = Tool({"check", skin.string()});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(Count(check.out, "parents loop"), 1u) << check.out;
  EXPECT_NE(check.out.find("error: [B] parents loop: B -> C -> B\n"), std::string::npos) << check.out;
  EXPECT_EQ(Count(check.out, "which the skin does not have"), 1u) << check.out;
  EXPECT_NE(check.out.find("warning: [E] PARENTCLASS names GONE, which the skin does not have\n"),
            std::string::npos)
      << check.out;
}

// A chain 10 000 deep is checked at all (it took hours), and its missing end named once.
TEST(SkinTool, CheckWalksAChainTenThousandDeep) {
  const TempFolder work;
  const auto skin = work / "Deep";
  std::filesystem::create_directory(skin);
  std::string text = "[GLOBALINFO]\r\n";
  for (int i = 0; i < 10000; ++i) {
    text += "[S" + std::to_string(i) + "]\r\nPARENTCLASS=S" + std::to_string(i + 1) + "\r\n";
  }
  Write(skin / "Options.dat", text);
  const ToolRun check = Tool({"check", skin.string()});
  EXPECT_EQ(Count(check.out, "which the skin does not have"), 1u);
  EXPECT_NE(check.out.find("warning: [S9999] PARENTCLASS names S10000, which the skin does not have"),
            std::string::npos);
}

}  // namespace
}  // namespace tappomat::test
