// The program's windows on the headless backend with the built-in skin, compared with
// goldens in tests/golden/: the main window in both languages, the row editor, the About
// box and the hot-key help.
#include <gtest/gtest.h>

#include "app/about.h"
#include "app/hot_key_help.h"
#include "app/main.h"
#include "app/row_editor.h"
#include "skin/controls/skinned_speed_button.h"
#include "support/golden.h"
#include "ui/ui_fixture.h"
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

  const Bitmap32& Picture(TForm* window) {
    Pump();
    return platform.Window(WindowSystem::Current().Find(window->Handle())->top.native)->pixels;
  }
  // Shows a dialog of the program without its modal loop, for its picture.
  template <class T>
  const Bitmap32& DialogPicture() {
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

TEST_F(SkinnedWindowsGolden, RowEditor) {
  EXPECT_TRUE(test::MatchesGolden(DialogPicture<TForm2>(), "app_row_editor"));
}

TEST_F(SkinnedWindowsGolden, AboutBox) {
  EXPECT_TRUE(test::MatchesGolden(DialogPicture<TFormAbout>(), "app_about"));
}

TEST_F(SkinnedWindowsGolden, HotKeyHelp) {
  EXPECT_TRUE(test::MatchesGolden(DialogPicture<TFormHotKey>(), "app_hot_key_help"));
}

}  // namespace
}  // namespace tappomat
