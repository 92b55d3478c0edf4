// The skinned panel: the built-in PANEL colour inside its border mask, the colour by the
// section's transparency, OnPaint, children that show the panel's background through the
// background query, and the standard panel while the skin is removed (its children hear
// about it through the panel).
#include "skin/controls/skinned_panel.h"

#include "gdi/primitives.h"
#include "gdi/text.h"
#include "skin/common/background_query.h"
#include "skin/paint/section_paint.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_check_box.h"
#include "skin/controls/skinned_label.h"
#include "skin/skin_fixture.h"
#include "ui/button.h"

namespace tappomat::test {
namespace {

constexpr Pixel kPanelGrey = MakePixel(224, 224, 224);  // COLOR 14737632 of the built-in PANEL
constexpr Pixel kWhite = MakePixel(255, 255, 255);

class SkinnedPanelTest : public SkinnedControlsTest {
 protected:
  TsPanel* AddPanel() {
    auto* panel = Create<TsPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 150, 90);
    return panel;
  }
  template <class T>
  T* AddChild(TWinControl* parent, Rect bounds) {
    auto* child = Create<T>(form);
    child->SetParent(parent);
    child->SetBoundsRect(bounds);
    return child;
  }
};

TEST_F(SkinnedPanelTest, ItShowsTheSectionColourInsideItsBorderMask) {
  UseNeutral2();
  TsPanel* panel = AddPanel();
  const Bitmap32 shown = ShownOf(*panel);
  EXPECT_EQ(PixelRGB(shown.At(75, 45)), PixelRGB(kPanelGrey));
  EXPECT_EQ(PixelRGB(shown.At(1, 1)), PixelRGB(kPanelGrey)) << "the border is one pixel wide";
  EXPECT_NE(PixelRGB(shown.At(0, 45)), PixelRGB(kPanelGrey));
  EXPECT_NE(PixelRGB(shown.At(75, 89)), PixelRGB(kPanelGrey));
  Bitmap32 expected(150, 90, 0);
  SectionPaint paint;
  paint.sectionIndex = Tables().SectionIndex("PANEL");
  ParentBackground white;
  white.fill = RGB(255, 255, 255);
  PaintSection(expected, expected.Bounds(), Tables(), paint, white);
  EXPECT_TRUE(SameColors(shown, expected));
}

TEST_F(SkinnedPanelTest, TheSectionsTransparencyMixesItsColourWithTheParents) {
  UseSkinText(
      "[GLOBALINFO]\r\nVERSION=7.20\r\n"
      "[PANEL]\r\nCOLOR=0\r\n[P40]\r\nCOLOR=0\r\nTRANSPARENCY=40\r\n"
      "[P100]\r\nCOLOR=0\r\nTRANSPARENCY=100\r\n");
  TsPanel* panel = AddPanel();
  const struct {
    const char* section;
    Pixel expected;
  } cases[] = {{"PANEL", MakePixel(0, 0, 0)},
               {"P40", MakePixel(102, 102, 102)},  // 40 % of the white parent
               {"P100", kWhite}};
  for (const auto& c : cases) {
    panel->SkinData()->SetSkinSection(c.section);
    EXPECT_EQ(PixelRGB(ShownOf(*panel).At(75, 45)), PixelRGB(c.expected)) << c.section;
  }
  // The panel's own colour instead of the section's.
  panel->SkinData()->SetSkinSection("PANEL");
  panel->SetColor(RGB(10, 20, 30));
  panel->SkinData()->SetCustomColor(true);
  EXPECT_EQ(PixelRGB(ShownOf(*panel).At(75, 45)), PixelRGB(MakePixel(10, 20, 30)));
}

TEST_F(SkinnedPanelTest, OnPaintDrawsOverThePanelAndUnderItsLabels) {
  UseNeutral2();
  TsPanel* panel = AddPanel();
  auto* label = AddChild<TsLabel>(panel, {20, 20, 60, 40});
  label->SetAutoSize(false);
  label->SetSkinSection("BUTTON");
  int paints = 0;
  panel->OnPaint = [&](TComponent* sender, TCanvas* canvas) {
    EXPECT_EQ(sender, panel);
    ++paints;
    FillRect(*canvas->Handle(), {10, 10, 100, 80}, RGB(0, 0, 255));
  };
  const Bitmap32 shown = ShownOf(*panel);
  EXPECT_GE(paints, 1);
  EXPECT_EQ(PixelRGB(shown.At(15, 15)), PixelRGB(MakePixel(0, 0, 255)));
  EXPECT_EQ(PixelRGB(shown.At(5, 5)), PixelRGB(kPanelGrey));
  EXPECT_NE(PixelRGB(shown.At(40, 30)), PixelRGB(MakePixel(0, 0, 255)))
      << "the label is painted last";
}

TEST_F(SkinnedPanelTest, ChildrenShowThePanelsBackgroundThroughTheQuery) {
  UseNeutral2();
  TsPanel* panel = AddPanel();
  auto* onPanel = AddChild<TsButton>(panel, {10, 10, 85, 35});
  form->SetHeight(140);
  auto* onForm = AddChild<TsButton>(form, {10, 105, 85, 130});
  auto* label = AddChild<TsLabel>(panel, {10, 50, 50, 70});
  label->SetAutoSize(false);
  label->SetSkinSection("BUTTON");
  auto* box = AddChild<TsCheckBox>(panel, {100, 10, 120, 30});

  const std::optional<ParentBackground> behind = AskParentBackground(*label);
  ASSERT_TRUE(behind.has_value());
  EXPECT_EQ(behind->fill, static_cast<ColorRef>(14737632));
  // The buttons' round corners show what lies behind them.
  EXPECT_EQ(PixelRGB(ShownOf(*onPanel).At(0, 0)), PixelRGB(kPanelGrey));
  EXPECT_EQ(PixelRGB(ShownOf(*onForm).At(0, 0)), PixelRGB(kWhite));
  EXPECT_EQ(PixelRGB(ShownOf(*label).At(0, 0)), PixelRGB(kPanelGrey));
  EXPECT_EQ(PixelRGB(ShownOf(*box).At(0, 0)), PixelRGB(kPanelGrey)) << "the see-through check box";
}

TEST_F(SkinnedPanelTest, WithoutTheSkinItIsTheStandardPanelAndItsChildrenHearOfIt) {
  UseNeutral2();
  form->SetBounds(40, 40, 200, 200);
  AddChild<TButton>(form, {165, 5, 195, 25});  // holds the focus
  TsPanel* panel = AddPanel();
  panel->SetBevelOuter(TBevelCut::bvLowered);
  auto* box = AddChild<TsCheckBox>(panel, {10, 10, 30, 30});
  box->SetCaption("Repeat");
  const int skinnedWidth = box->Width();
  const Bitmap32 skinned = ShownOf(*panel);

  manager->SetActive(false);
  EXPECT_EQ(box->Width(), skinnedWidth - 8) << "the box inside the panel took its standard size";
  // The same standard panel and box below it.
  auto* plain = AddChild<TPanel>(form, {10, 105, 160, 195});
  plain->SetBevelOuter(TBevelCut::bvLowered);
  AddChild<TCheckBox>(plain, box->BoundsRect())->SetCaption("Repeat");
  const Bitmap32 standard = ShownOf(*panel);
  EXPECT_TRUE(SameColors(standard, ShownOf(*plain)));
  EXPECT_FALSE(SameColors(standard, skinned));

  manager->SetActive(true);
  EXPECT_EQ(box->Width(), skinnedWidth);
  EXPECT_TRUE(SameColors(ShownOf(*panel), skinned));
}

}  // namespace
}  // namespace tappomat::test
