// A skin folder in the application folder's "Skins" folder with the built-in skin's name
// replaces the built-in skin at the next start: its BUTTON colours show on the buttons.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/app_folder.h"
#include "app/main.h"
#include "skin/controls/skinned_button.h"
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

TEST_F(SkinsFolderTest, ASkinFolderThatRecoloursButtonsShowsOnTheButtons) {
  const std::filesystem::path builtIn =
      std::filesystem::path(TAPPOMAT_SOURCE_DIR) / "skins" / "Neutral2 (internal)";
  const std::filesystem::path copy = folder.Path() / "Skins" / "Neutral2 (internal)";
  std::filesystem::create_directories(copy);
  std::filesystem::copy(builtIn, copy, std::filesystem::copy_options::recursive);
  std::ifstream in(builtIn / "Options.dat", std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), {}};
  // BUTTON's normal face becomes one plain red gradient piece (red is the low byte).
  const std::size_t section = text.find("\n[BUTTON]");
  ASSERT_NE(section, std::string::npos);
  const std::size_t key = text.find("\nGRADIENTDATA=", section);
  ASSERT_NE(key, std::string::npos);
  const std::size_t end = text.find_first_of("\r\n", key + 1);
  text.replace(key + 1, end - key - 1, "GRADIENTDATA=255;255;100;0;0");
  std::ofstream(copy / "Options.dat", std::ios::binary | std::ios::trunc) << text;

  TForm1* form = Create<TForm1>(app.get());
  form->Show();
  Pump();
  ASSERT_TRUE(form->SBAdd->SkinData()->Skinned(true));
  const Bitmap32* cache = form->SBAdd->SkinData()->Cache();
  ASSERT_FALSE(cache->IsEmpty());
  EXPECT_EQ(cache->At(8, 7), MakePixel(255, 0, 0));
  EXPECT_TRUE(errorBoxes.empty());
}

}  // namespace
}  // namespace tappomat
