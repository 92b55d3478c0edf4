// The script library list on the built-in skin: its window takes the edit adapter (frame
// and field colours) only while a skin is active, the selected item shows the SELECTION
// look (grey when the list is not focused, its dark gradient with white text when it is),
// and the standard list comes back when the skin goes.
#include "skin/controls/skinned_list_box.h"

#include <gtest/gtest.h>

#include "skin/data/skin_message.h"
#include "skin/skin_fixture.h"
#include "ui/button.h"

namespace tappomat::test {
namespace {

class SkinnedListBoxTest : public SkinnedControlsTest {
 protected:
  SkinnedListBoxTest() {
    list = Create<TsListBox>(form);
    list->SetBounds(10, 10, 120, 90);
    list->SetParent(form);
    for (const char* name : {"alpha", "beta", "gamma"}) list->Items().Add(name);
    holder = Create<TButton>(form);
    holder->SetBounds(150, 10, 40, 20);
    holder->SetParent(form);
    form->Show();
    holder->SetFocus();
    Pump();
    UseNeutral2();
    Pump();
  }
  // A pixel of item `row` near its right end, clear of the text.
  Pixel ItemPixel(int row) {
    const Bitmap32 shown = ShownOf(*list);
    return PixelRGB(shown.At(list->ClientWidth() - 3, row * list->ItemHeight() + list->ItemHeight() / 2));
  }
  TsListBox* list;
  TButton* holder;
};

TEST_F(SkinnedListBoxTest, TheSelectionTakesTheSkinsLookAndTheSkinComesAndGoes) {
  ASSERT_NE(list->Adapter(), nullptr);
  EXPECT_EQ(list->Color(), RGB(255, 255, 255));
  EXPECT_EQ(ItemPixel(1), 0xFFFFFFu) << "an unselected item on the white field";
  list->SetItemIndex(1);
  Pump();
  EXPECT_EQ(ItemPixel(1), PixelRGB(MakePixel(192, 192, 192))) << "SELECTION, normal look (12632256)";
  list->SetFocus();
  Pump();
  EXPECT_NE(ItemPixel(1), PixelRGB(MakePixel(192, 192, 192))) << "focused: the hot gradient";

  manager->SetActive(false);
  Pump();
  EXPECT_EQ(list->Adapter(), nullptr);
  EXPECT_EQ(ItemPixel(1), PixelRGB(PixelFromColor(GetSysColor(COLOR_HIGHLIGHT)))) << "the standard highlight";
  EXPECT_EQ(list->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinned)), 1) << "a skinned class all the same";
  manager->SetActive(true);
  Pump();
  EXPECT_NE(list->Adapter(), nullptr);
}

}  // namespace
}  // namespace tappomat::test
