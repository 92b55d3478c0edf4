// A skin folder in the application folder's "Skins" folder with the built-in skin's name
// replaces the built-in skin at the next start: its BUTTON colours show on the buttons.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/about.h"
#include "app/app_folder.h"
#include "app/main.h"
#include "app/row_editor.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_list_box.h"
#include "skin/controls/skinned_spin_edit.h"
#include "ui/label.h"
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

// FORMTITLE made blue in both states: every caption of the program is blue.
TEST_F(SkinsFolderTest, ASkinFolderThatRecoloursTheTitleShowsOnEveryCaption) {
  WriteChangedSkin(folder.Path(), "FORMTITLE", "GRADIENTDATA", "GRADIENTDATA=16711680;16711680;100;0;0");
  // (The hot state's gradient too: the active caption uses it.)
  const std::filesystem::path options = folder / "Skins" / "Neutral2 (internal)" / "Options.dat";
  std::ifstream in(options, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), {}};
  in.close();
  const std::size_t at = text.find("HOTGRADIENTDATA=", text.find("[FORMTITLE]"));
  ASSERT_NE(at, std::string::npos);
  text.replace(at, text.find_first_of("\r\n", at) - at, "HOTGRADIENTDATA=16711680;16711680;100;0;0");
  std::ofstream(options, std::ios::binary | std::ios::trunc) << text;

  TForm1* form = Create<TForm1>(app.get());
  TForm* about = Create<TFormAbout>(app.get());
  TForm* editor = Create<TForm2>(app.get());
  for (TForm* shown : {static_cast<TForm*>(form), about, editor}) {
    shown->Show();
    Pump();
    const auto* top = WindowSystem::Current().Find(shown->Handle());
    const Bitmap32& pixels = platform.Window(top->top.native)->pixels;
    // In the caption bar, right of the caption text and left of the buttons.
    EXPECT_EQ(PixelRGB(pixels.At(pixels.Width() / 2 + 40, 6)), PixelRGB(MakePixel(0, 0, 255)))
        << shown->Caption();
  }
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

// The definition of a skin folder may be named in any letter case.
TEST_F(SkinsFolderTest, ASkinFolderWhoseDefinitionIsNamedInLowerCaseShows) {
  WriteChangedSkin(folder.Path(), "BUTTON", "GRADIENTDATA", "GRADIENTDATA=255;255;100;0;0");
  const std::filesystem::path copy = folder / "Skins" / "Neutral2 (internal)";
  std::filesystem::rename(copy / "Options.dat", copy / "options.dat");

  TForm1* form = Create<TForm1>(app.get());
  form->Show();
  Pump();
  EXPECT_EQ(form->SBAdd->SkinData()->Cache()->At(8, 7), MakePixel(255, 0, 0));
  EXPECT_TRUE(errorBoxes.empty());
}

// A skin folder that names its master bitmap by a path outside itself is reported in the
// "Error" box, with the key and the folder, and the built-in skin is drawn instead.
TEST_F(SkinsFolderTest, ASkinFolderThatReachesOutsideItselfIsReportedAndTheBuiltInSkinShows) {
  // Red buttons would show that the copy was used.
  WriteChangedSkin(folder.Path(), "BUTTON", "GRADIENTDATA", "GRADIENTDATA=255;255;100;0;0");
  std::string text = folder.Get("Skins/Neutral2 (internal)/Options.dat");
  const std::string master = "MASTERBITMAP=MASTER.BMP";
  ASSERT_NE(text.find(master), std::string::npos);
  text.replace(text.find(master), master.size(),
               "MASTERBITMAP=../../Skins/Neutral2 (internal)/Master.bmp");
  folder.Put("Skins/Neutral2 (internal)/Options.dat", text);
  std::string shown;
  AnswerDialogs({[&](TForm& dialog) {
    shown = dialog.Caption() + ": " + FindControl<TLabel>(dialog)->Caption();
    Key(VK_RETURN);
  }});
  TForm1* form = Create<TForm1>(app.get());
  form->Show();
  Pump();
  EXPECT_TRUE(DialogsAnswered());
  EXPECT_NE(shown.find("Error: [GLOBALINFO] MASTERBITMAP: the image name"), std::string::npos) << shown;
  EXPECT_NE(shown.find((folder / "Skins" / "Neutral2 (internal)").string()), std::string::npos) << shown;
  ASSERT_TRUE(form->SBAdd->SkinData()->Skinned(true));
  ASSERT_FALSE(form->SBAdd->SkinData()->Cache()->IsEmpty());
  EXPECT_NE(form->SBAdd->SkinData()->Cache()->At(8, 7), MakePixel(255, 0, 0)) << "the built-in skin";
}

}  // namespace
}  // namespace tappomat
