// The program's windows on the headless backend with the built-in skin, compared with
// goldens in tests/golden/: the main window in both languages and inactive, the row
// editor, the About box, the hot-key help, the red marker and the skin manager's "Error"
// box.
#include <gtest/gtest.h>

#include "app/about.h"
#include "app/hot_key_help.h"
#include "app/main.h"
#include "app/row_editor.h"
#include "automation/target.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_combo_box.h"
#include "skin/controls/skinned_spin_edit.h"
#include "ui/string_grid.h"
#include "skin/controls/skinned_speed_button.h"
#include "skin/data/skin_manager.h"
#include "support/golden.h"
#include "ui/ui_fixture.h"
#include "win/input.h"
#include "win/window_data.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

class SkinnedWindowsGolden : public test::UiTest {
 protected:
  SkinnedWindowsGolden() {
    form = Create<TForm1>(app.get());
    form->Show();
    form->SetBounds(0, 0, form->Width(), form->Height());
    Pump();
  }
  ~SkinnedWindowsGolden() override { Form3 = nullptr, Form4 = nullptr; }

  Bitmap32 Picture(TForm* window) {
    Pump();
    return platform.Window(WindowSystem::Current().Find(window->Handle())->top.native)->pixels;
  }
  // Shows a dialog of the program without its modal loop, for its picture.
  template <class T>
  Bitmap32 DialogPicture() {
    T* dialog = Create<T>(app.get());
    dialog->SetBounds(40, 40, dialog->Width(), dialog->Height());
    dialog->Show();
    return Picture(dialog);
  }

  TForm1* form;
};

TEST_F(SkinnedWindowsGolden, MainWindow) {
  EXPECT_TRUE(test::MatchesGolden(Picture(form), "app_main_window_ru"));
  Click(form->SBEng);
  EXPECT_TRUE(test::MatchesGolden(Picture(form), "app_main_window_en"));
}

// A script longer than the table (the skinned scroll bar shows), its second row selected,
// and the button-choice list open over the window.
TEST_F(SkinnedWindowsGolden, MainWindowWithALongScriptAndTheButtonListOpen) {
  for (int i = 0; i < 30; ++i) {
    form->SX->SetValue(100 + i);
    form->SY->SetValue(200 + i);
    Click(form->SBAdd);
  }
  form->SG->SetRow(2);
  ClickAt(form->CLPKM, {form->CLPKM->Width() - 8, form->CLPKM->Height() / 2});
  ASSERT_TRUE(form->CLPKM->DroppedDown());
  MoveTo(form->CLPKM->ClientToScreen({10, form->CLPKM->Height() + 20}));  // over the second line
  Bitmap32 picture = Picture(form);
  const auto* list = platform.Window(WindowSystem::Current().Find(form->CLPKM->ListHandle())->top.native);
  ASSERT_NE(list, nullptr);
  const Rect main = GetWindowRect(form->Handle());
  const Rect listRect = GetWindowRect(form->CLPKM->ListHandle());
  for (int y = 0; y < list->pixels.Height(); ++y) {
    for (int x = 0; x < list->pixels.Width(); ++x) {
      const Point at{listRect.left - main.left + x, listRect.top - main.top + y};
      if (picture.Bounds().Contains(at)) picture.At(at.x, at.y) = list->pixels.At(x, y);
    }
  }
  EXPECT_TRUE(test::MatchesGolden(picture, "app_main_window_long_script"));
  Key(VK_ESCAPE);
}

TEST_F(SkinnedWindowsGolden, RowEditor) {
  EXPECT_TRUE(test::MatchesGolden(DialogPicture<TForm2>(), "app_row_editor"));
}

TEST_F(SkinnedWindowsGolden, AboutBox) {
  EXPECT_TRUE(test::MatchesGolden(DialogPicture<TFormAbout>(), "app_about"));
}

TEST_F(SkinnedWindowsGolden, HotKeyHelp) {
  EXPECT_TRUE(test::MatchesGolden(DialogPicture<TFormHotKey>(), "app_hot_key_help"));
}

// Another form of the program active: the main window's caption in its inactive look.
TEST_F(SkinnedWindowsGolden, MainWindowInactive) {
  DialogPicture<TFormAbout>();
  ASSERT_NE(GetActiveWindow(), form->Handle());
  EXPECT_TRUE(test::MatchesGolden(Picture(form), "app_main_window_ru_inactive"));
}

// The red marker, shown by its button: no frame and no caption, the rings alone.
TEST_F(SkinnedWindowsGolden, RedMarker) {
  Form3 = Create<TForm3>(app.get());
  Click(form->SBTarget);
  ASSERT_TRUE(Form3->Visible());
  EXPECT_TRUE(test::MatchesGolden(Picture(Form3), "app_red_marker"));
}

// The box the skin manager shows when a skin in the Skins folder cannot be loaded (the
// message as such a failure words it, with a fixed folder).
TEST_F(SkinnedWindowsGolden, ErrorBox) {
  Bitmap32 picture;
  AnswerDialogs({[&](TForm& dialog) {
    dialog.SetBounds(40, 40, dialog.Width(), dialog.Height());
    picture = Picture(&dialog);
    Key(VK_RETURN);
  }});
  TsSkinManager::ShowMessage("Error",
                             "[GLOBALINFO] VERSION: \"x\" is not a number\n"
                             "(skin folder /opt/tappomat/Skins/Neutral2 (internal))",
                             MessageBoxIconKind::Error);
  ASSERT_TRUE(DialogsAnswered());
  EXPECT_TRUE(test::MatchesGolden(picture, "app_error_box"));
}

}  // namespace
}  // namespace tappomat
