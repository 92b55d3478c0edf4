// The skinned combo box: the arrow button's place (from the skin's scroll-bar size), its
// section state (pressed while the list is down, hot while active) and the arrow mask
// centred on it, the text area drawn on the cache (highlighted for the list style with
// the focus), the editor that paints itself only with the focus, the hook that hears of
// each shown list window, ReadOnly, and the standard look while the skin is removed.
#include "skin/controls/skinned_combo_box.h"

#include "gdi/system_metrics.h"
#include "platform/virtual_keys.h"
#include "skin/paint/mask_paint.h"
#include "skin/skin_fixture.h"
#include "ui/button.h"

namespace tappomat::test {
namespace {

constexpr ColorRef kBox = RGB(255, 255, 255);
constexpr ColorRef kButton = RGB(0, 128, 0);
constexpr ColorRef kHotButton = RGB(0, 0, 255);
constexpr ColorRef kHighlight = RGB(128, 0, 128);

// Counts the list windows it was told of.
class ListWatchingCombo : public TsComboBox {
 public:
  using TsComboBox::TsComboBox;
  std::vector<HWND> shown;

 protected:
  void DropDownListShown(HWND list) override {
    TsComboBox::DropDownListShown(list);
    shown.push_back(list);
  }
};

class SkinnedComboBoxTest : public SkinnedControlsTest {
 protected:
  SkinnedComboBoxTest() {
    sink = Create<TButton>(form);
    sink->SetParent(form);
    sink->SetBounds(150, 90, 40, 20);
    combo = Create<ListWatchingCombo>(form);
    combo->SetParent(form);
    combo->SetBounds(20, 20, 100, 21);
    combo->Items().Add("Left");
    combo->Items().Add("Right");
    combo->SetItemIndex(0);
    form->Show();
    sink->SetFocus();
    Pump();
  }
  // Plain sections: a white box, a green button (blue when hot), no arrow mask; the
  // highlight colour (purple) comes from the menu item's hot colour.
  void UsePlainSkin(const std::string& extra = {}) {
    UseSkinText("[GLOBALINFO]\r\nVERSION=7.20\r\n"
                "[MENUITEM]\r\nHOTCOLOR=8388736\r\n"
                "[COMBOBOX]\r\nSTATES=1\r\nCOLOR=16777215\r\nFONTCOLOR=0\r\n"
                "[COMBOBTN]\r\nSTATES=2\r\nCOLOR=32768\r\nHOTCOLOR=16711680\r\n" + extra);
    Pump();
  }
  ColorRef ShownAt(int x, int y) { return ColorFromPixel(ShownOf(*combo).At(x, y)); }

  TButton* sink;
  ListWatchingCombo* combo;
};

TEST_F(SkinnedComboBoxTest, TheButtonSitsAtTheRightEdgeAsWideAsTheScrollSizePlusOne) {
  UsePlainSkin();
  const int standard = GetSystemMetrics(SM_CXVSCROLL) + 1;
  EXPECT_EQ(combo->SkinButtonRect(), (Rect{100 - standard - 2, 2, 98, 19}));
  manager->ScrollsOptions.ScrollSize = 14;
  EXPECT_EQ(combo->SkinButtonRect(), (Rect{83, 2, 98, 19}));
  EXPECT_EQ(combo->SkinTextRect(), (Rect{3, 3, 82, 18}));
  manager->ScrollsOptions.ScrollSize = 0;
  EXPECT_EQ(combo->SkinButtonRect(), (Rect{97, 2, 98, 19}));
  combo->SetStyle(TComboBoxStyle::csSimple);
  EXPECT_TRUE(combo->SkinButtonRect().IsEmpty());
}

TEST_F(SkinnedComboBoxTest, TheButtonShowsItsStateInTheComboButtonSection) {
  manager->ScrollsOptions.ScrollSize = 14;
  UsePlainSkin();
  EXPECT_EQ(combo->ButtonState(), 0);
  EXPECT_EQ(ShownAt(90, 10), kButton);
  EXPECT_EQ(ShownAt(82, 10), kBox) << "left of the button";
  EXPECT_EQ(ShownAt(83, 2), kButton);
  EXPECT_EQ(ShownAt(97, 18), kButton);
  EXPECT_EQ(ShownAt(98, 10), kBox) << "right of the button";

  MoveTo(combo->ClientToScreen({50, 10}));
  EXPECT_EQ(combo->ButtonState(), 1);
  EXPECT_EQ(ShownAt(90, 10), kHotButton);
  MoveTo(form->ClientToScreen({180, 5}));
  EXPECT_EQ(ShownAt(90, 10), kButton);

  combo->SetDroppedDown(true);
  Pump();
  EXPECT_TRUE(combo->ListDown());
  EXPECT_EQ(combo->ButtonState(), 2);
  EXPECT_EQ(ShownAt(90, 10), kHotButton) << "two states: the pressed look uses the hot record";
  combo->SetDroppedDown(false);
  Pump();
  EXPECT_FALSE(combo->ListDown());
  EXPECT_EQ(ShownAt(90, 10), kButton) << "rebuilt when the list closed";
}

TEST_F(SkinnedComboBoxTest, EachShownListWindowReachesTheHook) {
  UsePlainSkin();
  combo->SetDroppedDown(true);
  Pump();
  ASSERT_EQ(combo->shown.size(), 1u);
  EXPECT_EQ(combo->shown[0], combo->ListHandle());
  combo->SetDroppedDown(false);
  combo->SetDroppedDown(true);
  EXPECT_EQ(combo->shown.size(), 2u);
  combo->SetDroppedDown(false);
}

TEST_F(SkinnedComboBoxTest, TheArrowMaskIsCentredOnTheButton) {
  UseNeutral2();
  const int mask = Tables().indices.Of(SkinSectionId::COMBOBOX).glyphMask;
  ASSERT_GE(mask, 0);
  const TsMaskData* arrow = MaskAt(Tables(), mask);
  ASSERT_NE(arrow, nullptr);
  const Rect button = combo->SkinButtonRect();
  const Point at{button.left + (button.Width() - arrow->FrameWidth()) / 2,
                 (combo->Height() - arrow->FrameHeight()) / 2};
  // Drawn over the box's own look the mask gives exactly what the box shows there.
  combo->Invalidate();
  const Bitmap32 shown = ShownOf(*combo);
  EXPECT_TRUE(SameColors(shown, *combo->SkinData()->Cache())) << "the whole box is its cache when not focused";
  // The button area is the box's white with the arrow drawn at `at`, and nothing else.
  Bitmap32 expected(button.Width(), button.Height(), MakePixel(255, 255, 255));
  DrawImageMask(expected, {at.x - button.left, at.y - button.top}, 0, Tables(), mask);
  int arrowPixels = 0;
  for (int y = 0; y < button.Height(); ++y)
    for (int x = 0; x < button.Width(); ++x) {
      const ColorRef want = ColorFromPixel(expected.At(x, y));
      if (want != RGB(255, 255, 255)) ++arrowPixels;
      EXPECT_EQ(ColorFromPixel(shown.At(button.left + x, button.top + y)), want) << x << "," << y;
    }
  EXPECT_GT(arrowPixels, 0);
}

TEST_F(SkinnedComboBoxTest, TheEditorPaintsItselfOnlyWithTheFocus) {
  UsePlainSkin();
  TEdit* edit = combo->EditControl();
  ASSERT_NE(edit, nullptr);
  EXPECT_LE(edit->Left() + edit->Width(), combo->SkinButtonRect().left) << "clear of the button";
  EXPECT_FALSE(combo->EditPaintsNatively());
  combo->SetFocus();
  Pump();
  EXPECT_TRUE(edit->Focused());
  EXPECT_TRUE(combo->EditPaintsNatively());
  combo->SetReadOnly(true);
  EXPECT_FALSE(combo->EditPaintsNatively());
  // Read-only: the whole box, the editor's place included, is the cache.
  const Bitmap32 shown = ShownOf(*combo);
  EXPECT_TRUE(SameColors(shown, *combo->SkinData()->Cache()));
  // And typing or stepping changes nothing.
  Key(VK_DOWN);
  Type("x");
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), "Left");
}

TEST_F(SkinnedComboBoxTest, AFocusedListStyleBoxShowsItsTextHighlighted) {
  UsePlainSkin();
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  combo->SetItemIndex(1);
  EXPECT_EQ(ShownAt(5, 10), kBox);
  combo->SetFocus();
  Pump();
  // No SELECTION section: the highlight colour fills the text area.
  EXPECT_EQ(ShownAt(combo->SkinTextRect().left + 1, 16), kHighlight);
  EXPECT_EQ(ShownAt(combo->SkinTextRect().right - 2, 10), kHighlight);
  EXPECT_EQ(ShownAt(combo->SkinTextRect().right, 10), kBox) << "only the text area";
}

TEST_F(SkinnedComboBoxTest, WithoutTheSkinItIsTheStandardComboBoxAndBackAtOnce) {
  UsePlainSkin();
  auto* plain = Create<TComboBox>(form);
  plain->SetParent(form);
  plain->SetBounds(20, 60, 100, 21);
  plain->Items().Add("Left");
  plain->SetItemIndex(0);
  const Bitmap32 skinned = ShownOf(*combo);
  manager->SetActive(false);
  EXPECT_TRUE(SameColors(ShownOf(*combo), ShownOf(*plain)));
  manager->SetActive(true);
  EXPECT_TRUE(SameColors(ShownOf(*combo), skinned));
}

}  // namespace
}  // namespace tappomat::test
