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
#include "tool_files.h"

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
  EXPECT_NE(help.out.find("pack [--force] DIR OUT.tqz"), std::string::npos);
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

namespace fs = std::filesystem;

void WritePackage(const fs::path& path, const std::vector<SkinPackageFile>& files) {
  const std::vector<std::uint8_t> bytes = WriteSkinPackage(files);
  Write(path, std::string(bytes.begin(), bytes.end()));
}

SkinPackageFile Entry(const std::string& name, const std::string& text) {
  return {name, std::vector<std::uint8_t>(text.begin(), text.end())};
}

// Every name is checked before the first file is written: names that stand for one file in
// a folder that ignores letter case, a second definition, and a name longer than a file
// name may be, after three good entries.
TEST(SkinToolUnpack, NamesThatCannotAllBeWrittenAreRefusedBeforeWritingAnything) {
  const TempFolder work;
  const struct {
    const char* what;
    std::vector<SkinPackageFile> files;
    const char* says;
  } cases[] = {
      {"the same name twice",
       {Entry("Options.dat", "[A]"), Entry("Master.bmp", "one"), Entry("Glow.png", "g"),
        Entry("Master.bmp", "two"), Entry("Other.bmp", "o")},
       "the name \"Master.bmp\" occurs twice"},
      {"names differing in case",
       {Entry("Options.dat", "[A]"), Entry("Master.bmp", "one"), Entry("MASTER.BMP", "two")},
       "differ only in letter case"},
      {"two definitions",
       {Entry("Options.dat", "[A]"), Entry("Master.bmp", "m"), Entry("OPTIONS.DAT", "[B]")},
       "holds 2 Options.dat entries"},
      {"a name of 1024 bytes",
       {Entry("Options.dat", "[A]"), Entry("a.bmp", "a"), Entry("b.bmp", "b"),
        Entry(std::string(1020, 'n') + ".bmp", "n")},
       "is 1024 bytes long"},
  };
  for (const auto& c : cases) {
    WritePackage(work / "p.tqz", c.files);
    const ToolRun run = Tool({"unpack", (work / "p.tqz").string(), (work / "out").string()});
    EXPECT_EQ(run.status, 1) << c.what << "\n" << run.out;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << c.what << "\n" << run.err;
    EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << c.what << "\n" << run.err;
    EXPECT_FALSE(fs::exists(work / "out")) << c.what;
    fs::remove_all(work / "out");
  }
}

// A link in the target folder is never written through, whether it was there before the
// command started or is put there while it runs (between the checks and the writes).
TEST(SkinToolUnpack, LinksInTheTargetFolderAreNotFollowed) {
  const TempFolder work;
  Write(work / "victim", "precious");
  WritePackage(work / "p.tqz", {Entry("Options.dat", "[A]"), Entry("Master.bmp", "evil")});
  fs::create_directory(work / "out");
  fs::create_symlink(work / "victim", work / "out" / "master.bmp");  // another letter case
  const ToolRun run = Tool({"unpack", (work / "p.tqz").string(), (work / "out").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("master.bmp already exists; nothing was written"), std::string::npos) << run.err;
  EXPECT_EQ(work.Get("victim"), "precious");
  EXPECT_FALSE(fs::exists(work / "out" / "Options.dat"));

  // Planted after the folder was looked at: creating the file fails, nothing is followed,
  // and what was written before is taken away again.
  fs::remove(work / "out" / "master.bmp");
  {
    FolderWriter writer(work / "out");
    writer.Write("Options.dat", std::vector<std::uint8_t>{'x'});
    fs::create_symlink(work / "victim", work / "out" / "Master.bmp");
    EXPECT_THROW(writer.Write("Master.bmp", std::vector<std::uint8_t>{'e', 'v', 'i', 'l'}),
                 std::runtime_error);
  }
  EXPECT_EQ(work.Get("victim"), "precious");
  EXPECT_FALSE(fs::exists(work / "out" / "Options.dat")) << "removed after the failure";
  EXPECT_TRUE(fs::is_symlink(work / "out" / "Master.bmp")) << "not ours to remove";
}

// A failure part-way leaves neither files nor the folder it made.
TEST(SkinToolUnpack, AFailurePartWayRemovesWhatWasWritten) {
  const TempFolder work;
  {
    FolderWriter writer(work / "made" / "out");
    writer.Write("a.bmp", std::vector<std::uint8_t>{'a'});
    EXPECT_THROW(writer.Write("a.bmp", std::vector<std::uint8_t>{'b'}), std::runtime_error);
  }
  EXPECT_FALSE(fs::exists(work / "made" / "out"));
  {
    FolderWriter writer(work / "kept");
    writer.Write("a.bmp", std::vector<std::uint8_t>{'a'});
    writer.Keep();
  }
  EXPECT_EQ(work.Get("kept/a.bmp"), "a");
}

// pack never replaces a file it was not asked to, never writes into the folder it packs,
// and replaces a link at the output instead of writing through it.
TEST(SkinToolPack, TheOutputIsReplacedOnlyWhenAskedAndNeverInsideTheFolder) {
  const TempFolder work;
  const fs::path skin = work / "D";
  fs::create_directory(skin);
  Write(skin / "Options.dat", "[GLOBALINFO]\r\n");
  Write(skin / "Master.bmp", "BM");

  const ToolRun inside = Tool({"pack", skin.string(), (skin / "Options.dat").string()});
  EXPECT_EQ(inside.status, 1);
  EXPECT_NE(inside.err.find("lies inside the folder being packed"), std::string::npos) << inside.err;
  EXPECT_EQ(work.Get("D/Options.dat"), "[GLOBALINFO]\r\n");
  const ToolRun forcedInside =
      Tool({"pack", "--force", skin.string(), (skin / "New.tqz").string()});
  EXPECT_EQ(forcedInside.status, 1);
  EXPECT_FALSE(fs::exists(skin / "New.tqz"));

  Write(work / "Old.tqz", "old");
  const ToolRun exists = Tool({"pack", skin.string(), (work / "Old.tqz").string()});
  EXPECT_EQ(exists.status, 1);
  EXPECT_NE(exists.err.find("already exists; pack --force replaces it"), std::string::npos) << exists.err;
  EXPECT_EQ(work.Get("Old.tqz"), "old");
  ASSERT_EQ(Tool({"pack", "--force", skin.string(), (work / "Old.tqz").string()}).status, 0);
  EXPECT_TRUE(ReadSkinPackageFile(work / "Old.tqz").Ok());

  Write(work / "victim", "precious");
  fs::create_symlink(work / "victim", work / "Link.tqz");
  EXPECT_EQ(Tool({"pack", skin.string(), (work / "Link.tqz").string()}).status, 1);
  ASSERT_EQ(Tool({"pack", skin.string(), (work / "Link.tqz").string(), "--force"}).status, 0);
  EXPECT_EQ(work.Get("victim"), "precious");
  EXPECT_FALSE(fs::is_symlink(work / "Link.tqz"));
  EXPECT_TRUE(ReadSkinPackageFile(work / "Link.tqz").Ok());
  EXPECT_EQ(work.Entries(), (std::vector<std::string>{"D", "Link.tqz", "Old.tqz", "victim"}))
      << "no temporary file left";

  // A link in the folder to a file outside it is not packed; one to a file inside it is.
  fs::create_symlink(work / "victim", skin / "Stolen.bmp");
  const ToolRun stolen = Tool({"pack", skin.string(), (work / "S.tqz").string()});
  EXPECT_EQ(stolen.status, 1);
  EXPECT_NE(stolen.err.find((skin / "Stolen.bmp").string() +
                            " is a symbolic link that leads out of the folder"),
            std::string::npos)
      << stolen.err;
  EXPECT_FALSE(fs::exists(work / "S.tqz"));
  fs::remove(skin / "Stolen.bmp");
  fs::create_symlink(skin / "Master.bmp", skin / "Near.bmp");
  ASSERT_EQ(Tool({"pack", skin.string(), (work / "S.tqz").string()}).status, 0);
  EXPECT_NE(ReadSkinPackageFile(work / "S.tqz").package.FindImage("NEAR.BMP"), nullptr);

  const ToolRun help = Tool({"--help"});
  EXPECT_NE(help.out.find("pack [--force] DIR OUT.tqz"), std::string::npos) << help.out;
}

// What the program meets when it loads the skin, reported by check: images that do not
// decode (the master bitmap too), image names that leave the skin, a definition that is
// no text or is named in another letter case, and entry names unpack refuses.
TEST(SkinToolCheck, ReportsWhatTheProgramMeets) {
  const TempFolder work;
  Bitmap32 small(4, 4, MakePixel(1, 2, 3));
  const std::vector<std::uint8_t> bmp = EncodeBmp(small);
  const std::string goodBmp(bmp.begin(), bmp.end());
  Write(work / "outside.bmp", goodBmp);

  const fs::path damaged = work / "Damaged";
  fs::create_directory(damaged);
  Write(damaged / "Options.dat",
        "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n"
        "[BUTTON]\r\nGLOW0=!GLOW.PNG!1!0!3\r\nPATTERN=../outside.jpg\r\n"
        "[EDIT]\r\nBORDERSMASK=!/etc/passwd.bmp!1!0!0\r\nGLYPHMASK=!LINK.BMP!1!0!2\r\n");
  Write(damaged / "Master.bmp", "BM but nothing else");
  Write(damaged / "Glow.png", "\x89PNG\r\n\x1a\n and no more");
  fs::create_symlink(work / "outside.bmp", damaged / "Link.bmp");
  const ToolRun check = Tool({"check", damaged.string()});
  EXPECT_EQ(check.status, 1);
  for (const char* line : {
           "error: [GLOBALINFO] MASTERBITMAP: the image MASTER.BMP cannot be decoded",
           "error: [BUTTON] GLOW0: the image GLOW.PNG cannot be decoded",
           "error: [BUTTON] PATTERN: the image name \"../OUTSIDE.JPG\" is not a plain file name",
           "error: [EDIT] BORDERSMASK: the image name \"/etc/passwd.bmp\" is not a plain file name",
           "error: [EDIT] GLYPHMASK: the image file \"Link.bmp\" is a symbolic link that leads out",
       }) {
    EXPECT_NE(check.out.find(line), std::string::npos) << line << "\n" << check.out;
  }

  const struct {
    const char* what;
    std::string definition;
    const char* says;
  } binaries[] = {
      {"NUL bytes", std::string("[GLOBALINFO]\0\0\0\0", 16), "(it holds NUL bytes)"},
      {"control bytes", "[A]\x01\x02\x03\x04\x05\x06\x07\x08", "control character"},
      {"UTF-16", std::string("\xFF\xFE[\0A\0]\0", 8), "it is UTF-16 text"},
  };
  const fs::path binary = work / "Binary";
  fs::create_directory(binary);
  for (const auto& c : binaries) {
    Write(binary / "Options.dat", c.definition);
    const ToolRun run = Tool({"check", binary.string()});
    EXPECT_EQ(run.status, 1) << c.what;
    EXPECT_NE(run.out.find("error: " + (binary / "Options.dat").string() + " is not a text file"),
              std::string::npos)
        << c.what << "\n" << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << c.what << "\n" << run.out;
  }

  fs::remove(binary / "Options.dat");
  fs::create_symlink(binary / "gone.dat", binary / "Options.dat");
  const ToolRun dangling = Tool({"check", binary.string()});
  EXPECT_EQ(dangling.status, 1);
  EXPECT_NE(dangling.out.find("error: Unable to read " + (binary / "Options.dat").string() +
                              ": No such file or directory"),
            std::string::npos)
      << dangling.out;

  const fs::path lower = work / "Lower";
  fs::create_directory(lower);
  Write(lower / "options.dat", "[GLOBALINFO]\r\nVERSION=7.20\r\n");
  const ToolRun named = Tool({"check", lower.string()});
  EXPECT_EQ(named.status, 0) << named.out;
  EXPECT_NE(named.out.find("warning: " + (lower / "options.dat").string() +
                           ": the definition is named \"options.dat\""),
            std::string::npos)
      << named.out;

  WritePackage(work / "Twice.tqz", {Entry("options.dat", "[GLOBALINFO]\r\n"), Entry("A.bmp", goodBmp),
                                    Entry("a.BMP", goodBmp), Entry("../x.bmp", "x")});
  const ToolRun twice = Tool({"check", (work / "Twice.tqz").string()});
  EXPECT_EQ(twice.status, 0) << twice.out;
  for (const char* line : {
           "the definition is named \"options.dat\"",
           "the names \"A.bmp\" and \"a.BMP\" differ only in letter case",
           "the name \"../x.bmp\" is not a plain file name (it holds a folder separator); "
           "unpack refuses the package",
       }) {
    EXPECT_NE(twice.out.find(line), std::string::npos) << line << "\n" << twice.out;
  }

  const char cutPackage[] = "TQzf\x01\0\0\0\x0b\0\0\0Options.dat";  // its size is missing
  Write(work / "Cut.tqz", std::string(cutPackage, sizeof cutPackage - 1));
  const ToolRun cut = Tool({"check", (work / "Cut.tqz").string()});
  EXPECT_NE(cut.out.find("error: " + (work / "Cut.tqz").string() +
                         ": Stream read error (in the entry \"Options.dat\")"),
            std::string::npos)
      << cut.out;
}

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
