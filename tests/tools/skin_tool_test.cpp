// The skin tool as a skin maker uses it: pack a folder, list and unpack the package, and
// the clear errors and exit statuses of wrong command lines and bad files.
#include "skin_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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
