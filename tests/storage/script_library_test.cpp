#include "storage/script_library.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "support/temp_folder.h"

namespace tappomat {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ScriptLibraryTest, ListsEveryRegularFileEndingInTpsInAnyCase) {
  TempFolder folder;
  for (const char* name : {"click.tps", "Two words.tps", "upper.TPS", "Mixed.Tps", "notes.txt",
                           "a.tps.bak", "double.tps.tps", ".tps", "tps", "\xCF\xF0\xE8.tps"}) {
    folder.Put(name, "");
  }
  // Neither a folder nor a FIFO is a script (a FIFO would block its load for ever); a link
  // to a script is one.
  std::filesystem::create_directory(folder / "x.tps");
  std::filesystem::create_directory(folder / "plain folder");
  ASSERT_EQ(::mkfifo((folder / "pipe.tps").c_str(), 0600), 0);
  std::filesystem::create_symlink(folder / "click.tps", folder / "link.tps");
  std::filesystem::create_symlink(folder / "nothing", folder / "dangling.tps");
  const std::vector<std::string> expected = {"",     "Mixed", "Two words", "click", "double.tps",
                                             "link", "upper", "\xCF\xF0\xE8"};
  EXPECT_EQ(Sorted(ListScripts(folder.Path())), expected);
}

TEST(ScriptLibraryTest, AScriptsFileIsFoundWhateverTheCaseOfItsExtension) {
  TempFolder folder;
  folder.Put("Upper.TPS", "");
  folder.Put("both.tps", "");
  folder.Put("both.TPS", "");
  std::filesystem::create_directory(folder / "dir.tps");
  EXPECT_EQ(ScriptFilePath(folder.Path(), "Upper"), folder / "Upper.TPS");
  EXPECT_EQ(ScriptFilePath(folder.Path(), "both"), folder / "both.tps") << "lower case first";
  EXPECT_EQ(ScriptFilePath(folder.Path(), "new"), folder / "new.tps");
  EXPECT_EQ(ScriptFilePath(folder.Path(), "upper"), folder / "upper.tps") << "the name's case counts";
  EXPECT_EQ(ScriptFilePath(folder.Path(), "dir"), folder / "dir.tps");
}

TEST(ScriptLibraryTest, KeepsTheFoldersOwnOrder) {
  TempFolder folder;
  for (const char* name : {"c.tps", "a.tps", "b.tps"}) folder.Put(name, "");
  std::vector<std::string> onDisk;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    const std::string name = entry.path().filename().string();
    onDisk.push_back(name.substr(0, name.size() - 4));
  }
  EXPECT_EQ(ListScripts(folder.Path()), onDisk);
}

TEST(ScriptLibraryTest, MissingFolderListsNothing) {
  TempFolder folder;
  EXPECT_TRUE(ListScripts(folder / "missing").empty());
}

}  // namespace
}  // namespace tappomat
