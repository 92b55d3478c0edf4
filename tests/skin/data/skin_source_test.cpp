// Choosing where a skin comes from: the package extension, skin directories as skin makers
// write them, and package file before skin folder before internal skin.
#include "skin/data/skin_source.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "support/temp_folder.h"

namespace tappomat::test {
namespace {

namespace fs = std::filesystem;

TEST(SkinSource, ThePackageExtensionIsStrippedInAnyCase) {
  EXPECT_EQ(StripPackageExtension("Neutral2 (internal).TQZ"), "Neutral2 (internal)");
  EXPECT_EQ(StripPackageExtension("Neutral2 (internal).tqz"), "Neutral2 (internal)");
  EXPECT_EQ(StripPackageExtension(".tqz"), ".tqz") << "nothing would be left";
  EXPECT_EQ(StripPackageExtension("a.tqz.bak"), "a.tqz.bak");
}

TEST(SkinSource, SkinDirectoriesResolveAgainstTheApplicationFolder) {
  const fs::path app = "/opt/tappomat";
  const struct {
    const char* written;
    const char* resolved;
  } cases[] = {
      {"c:\\Skins", "/opt/tappomat/Skins"},  {"..\\Skins", "/opt/Skins"},
      {".\\Skins", "/opt/tappomat/Skins"},   {"./Skins", "/opt/tappomat/Skins"},
      {".", "/opt/tappomat"},                {"Skins", "/opt/tappomat/Skins"},
      {"/usr/share/skins", "/usr/share/skins"}, {"D:/My Skins", "/opt/tappomat/My Skins"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveSkinDirectory(c.written, app).lexically_normal(), fs::path(c.resolved)) << c.written;
  }
}

class ChooseSkinSourceTest : public ::testing::Test {
 protected:
  ChooseSkinSourceTest() {
    skins.Add().SetName("Aluminium (internal)");
    skins.Add().SetName("Neutral2 (internal)");
    fs::create_directories(app / "Skins");
  }
  SkinSource Choose(const std::string& name, const std::string& directory = "c:\\Skins") {
    return ChooseSkinSource(name, directory, app.Path(), skins);
  }

  TempFolder app;
  TsStoredSkins skins;
};

TEST_F(ChooseSkinSourceTest, PackageFileThenFolderThenInternalSkin) {
  EXPECT_EQ(Choose("Neutral2 (internal)").kind, SkinSource::Kind::Internal);
  EXPECT_EQ(Choose("Neutral2 (internal)").internalIndex, 1);

  fs::create_directories(app / "Skins" / "Neutral2 (internal)");
  std::ofstream(app / "Skins" / "Neutral2 (internal)" / "Options.dat") << "[GLOBALINFO]\r\n";
  const SkinSource folder = Choose("Neutral2 (internal)");
  EXPECT_EQ(folder.kind, SkinSource::Kind::Folder);
  EXPECT_EQ(folder.path, app / "Skins" / "Neutral2 (internal)");

  std::ofstream(app / "Skins" / "Neutral2 (internal).tqz") << "TQzf";
  const SkinSource package = Choose("Neutral2 (internal)");
  EXPECT_EQ(package.kind, SkinSource::Kind::PackageFile);
  EXPECT_EQ(package.path, app / "Skins" / "Neutral2 (internal).tqz");
}

TEST_F(ChooseSkinSourceTest, AnUnknownNameTakesTheFirstInternalSkin) {
  const SkinSource source = Choose("Nowhere");
  EXPECT_EQ(source.kind, SkinSource::Kind::Internal);
  EXPECT_EQ(source.internalIndex, 0);
  EXPECT_EQ(source.name, "Aluminium (internal)");
  skins.Clear();
  EXPECT_EQ(Choose("Nowhere").kind, SkinSource::Kind::None);
}

TEST_F(ChooseSkinSourceTest, ARelativeDirectoryFindsPackagesFromTheCurrentFolderAndFoldersFromTheApplication) {
  const TempFolder current;
  const fs::path before = fs::current_path();
  fs::current_path(current.Path());
  fs::create_directories(current / "Skins");
  std::ofstream(current / "Skins" / "Mine.tqz") << "TQzf";
  fs::create_directories(app / "Skins" / "Theirs");
  std::ofstream(app / "Skins" / "Theirs" / "Options.dat") << "";
  EXPECT_EQ(Choose("Mine", "Skins").kind, SkinSource::Kind::PackageFile);
  EXPECT_EQ(Choose("Theirs", "Skins").kind, SkinSource::Kind::Folder);
  fs::current_path(before);
}

// A skin folder that is there but cannot be read, or whose definition is a link that leads
// nowhere, is chosen all the same, so that loading it reports the fault instead of passing
// over it; a definition named in another letter case is found.
TEST_F(ChooseSkinSourceTest, AFolderThatIsThereIsChosenEvenWhenItCannotBeRead) {
  const fs::path skins = app / "Skins";
  fs::create_directories(skins / "Lower");
  std::ofstream(skins / "Lower" / "options.dat") << "[GLOBALINFO]\r\n";
  fs::create_directories(skins / "Dangling");
  fs::create_symlink(skins / "Dangling" / "gone.dat", skins / "Dangling" / "Options.dat");
  fs::create_directories(skins / "Looping");
  fs::create_symlink(skins / "Looping" / "Options.dat", skins / "Looping" / "Options.dat");
  fs::create_symlink(skins / "Loop", skins / "Loop");  // the folder itself
  fs::create_directories(skins / "Empty");
  for (const char* name : {"Lower", "Dangling", "Looping", "Loop"}) {
    const SkinSource source = Choose(name);
    EXPECT_EQ(source.kind, SkinSource::Kind::Folder) << name;
    EXPECT_EQ(source.path, skins / name) << name;
  }
  EXPECT_EQ(Choose("Empty").kind, SkinSource::Kind::Internal) << "a folder without a definition";
  fs::create_symlink(skins / "nowhere.tqz", skins / "Linked.tqz");
  EXPECT_EQ(Choose("Linked").kind, SkinSource::Kind::PackageFile);
}

}  // namespace
}  // namespace tappomat::test
