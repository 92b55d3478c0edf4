// A skin folder in the application folder's "Skins" folder with the built-in skin's name
// replaces the built-in skin at the next start: its BUTTON colours show on the buttons.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/app_folder.h"
#include "app/main.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_list_box.h"
#include "skin/controls/skinned_spin_edit.h"
#include "ui/string_grid.h"
#include "support/temp_folder.h"
#include "ui/ui_fixture.h"

namespace tappomat {
namespace {

class SkinsFolderTest : public test::UiTest {
 protected:
  SkinsFolderTest() { SetApplicationFolder(folder.Path()); }
  ~SkinsFolderTest() override { SetApplicationFolder({}); }
  TempFolder folder;
};

// A copy of the built-in skin in the Skins folder with one line of `section` replaced.
void WriteChangedSkin(const std::filesystem::path& appFolder, const std::string& section,
                      const std::string& key, const std::string& line) {
  const std::filesystem::path builtIn =
      std::filesystem::path(TAPPOMAT_SOURCE_DIR) / "skins" / "Neutral2 (internal)";
  const std::filesystem::path copy = appFolder / "Skins" / "Neutral2 (internal)";
  std::filesystem::create_directories(copy);
  std::filesystem::copy(builtIn, copy, std::filesystem::copy_options::recursive |
                                           std::filesystem::copy_options::overwrite_existing);
  std::ifstream in(builtIn / "Options.dat", std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), {}};
  const std::size_t start = text.find("\n[" + section + "]");
  ASSERT_NE(start, std::string::npos);
  const std::size_t at = text.find("\n" + key + "=", start);
  ASSERT_NE(at, std::string::npos);
  const std::size_t end = text.find_first_of("\r\n", at + 1);
  text.replace(at + 1, end - at - 1, line);
  std::ofstream(copy / "Options.dat", std::ios::binary | std::ios::trunc) << text;
}

TEST_F(SkinsFolderTest, ASkinFolderThatRecoloursButtonsShowsOnTheButtons) {
  // BUTTON's normal face becomes one plain red gradient piece (red is the low byte).
  WriteChangedSkin(folder.Path(), "BUTTON", "GRADIENTDATA", "GRADIENTDATA=255;255;100;0;0");

  TForm1* form = Create<TForm1>(app.get());
  form->Show();
  Pump();
  ASSERT_TRUE(form->SBAdd->SkinData()->Skinned(true));
  const Bitmap32* cache = form->SBAdd->SkinData()->Cache();
  ASSERT_FALSE(cache->IsEmpty());
  EXPECT_EQ(cache->At(8, 7), MakePixel(255, 0, 0));
  EXPECT_TRUE(errorBoxes.empty());
}

TEST_F(SkinsFolderTest, ASkinFolderThatRecoloursFieldsShowsInTheFieldsTheListAndTheTable) {
  WriteChangedSkin(folder.Path(), "EDIT", "COLOR", "COLOR=12648447");  // pale yellow
  TForm1* form = Create<TForm1>(app.get());
  form->Show();
  Pump();
  const auto paleYellow = static_cast<TColor>(12648447);
  EXPECT_EQ(form->SX->Color(), paleYellow);
  EXPECT_EQ(form->SDelay->Color(), paleYellow);
  EXPECT_EQ(form->SList->Color(), paleYellow);
  EXPECT_EQ(form->SG->Color(), paleYellow);
  EXPECT_TRUE(errorBoxes.empty());
}

}  // namespace
}  // namespace tappomat
