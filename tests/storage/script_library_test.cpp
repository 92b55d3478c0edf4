#include "storage/script_library.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_folder.h"

namespace tappomat {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ScriptLibraryTest, ListsEveryEntryEndingInTps) {
  TempFolder folder;
  for (const char* name : {"click.tps", "Two words.tps", "upper.TPS", "notes.txt", "a.tps.bak",
                           "double.tps.tps", ".tps", "tps", "\xCF\xF0\xE8.tps"}) {
    folder.Put(name, "");
  }
  std::filesystem::create_directory(folder / "x.tps");
  std::filesystem::create_directory(folder / "plain folder");
  const std::vector<std::string> expected = {"", "Two words", "click", "double.tps", "x",
                                             "\xCF\xF0\xE8"};
  EXPECT_EQ(Sorted(ListScripts(folder.Path())), expected);
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
