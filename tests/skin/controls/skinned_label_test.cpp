// Skinned labels: the text colour from the skin (also over a red Font), from Font without
// it or with UseSkinColor off, the grey of a disabled label (153 on white with black skin
// text), the font source found through the parents, a section painted under the text;
// web labels: the hover font and the link colours, the parent repainting the area under
// the label on entering and leaving, and the URL opened on a press.
#include "skin/controls/skinned_label.h"

#include "skin/paint/section_paint.h"
#include "skin/controls/skinned_panel.h"
#include "skin/skin_fixture.h"
#include "win/paint.h"

namespace tappomat::test {
namespace {

constexpr TColor kRed = RGB(255, 0, 0);

// Some pixel of the picture has exactly this colour.
bool Shows(const Bitmap32& picture, ColorRef color) {
  for (const Pixel p : picture.Pixels())
    if (PixelRGB(p) == PixelRGB(PixelFromColor(color))) return true;
  return false;
}

class SkinnedLabelTest : public SkinnedControlsTest {
 protected:
  template <class T = TsLabel>
  T* AddLabel(TWinControl* parent, const std::string& caption = "Wg") {
    auto* label = Create<T>(form);
    label->SetParent(parent);
    label->SetLeft(10);
    label->SetTop(10);
    label->Font().SetColor(kRed);
    label->Font().SetSize(14);
    label->SetCaption(caption);
    return label;
  }
};

TEST_F(SkinnedLabelTest, TheTextColourFollowsTheSkinUseSkinColorAndEnabled) {
  UseNeutral2();
  TsLabel* label = AddLabel(form);
  const struct {
    bool useSkinColor;
    bool enabled;
    std::optional<ColorRef> color;  // none: the standard look
  } cases[] = {
      {true, true, RGB(0, 0, 0)},         // the skin's text colour, not the red Font
      {false, true, std::nullopt},        // Font's red
      {true, false, RGB(153, 153, 153)},  // 0.4 x 0 + 0.6 x 255 on the white form
      {false, false, std::nullopt},       // the standard disabled look
  };
  for (const auto& c : cases) {
    label->SetUseSkinColor(c.useSkinColor);
    label->SetEnabled(c.enabled);
    EXPECT_EQ(label->SkinTextColor(), c.color) << c.useSkinColor << c.enabled;
    const Bitmap32 shown = ShownOf(*label);
    if (c.color) {
      EXPECT_TRUE(Shows(shown, *c.color)) << c.useSkinColor << c.enabled;
    }
    EXPECT_EQ(Shows(shown, kRed), c.useSkinColor == false && c.enabled)
        << c.useSkinColor << c.enabled;
  }
}

TEST_F(SkinnedLabelTest, WithoutTheSkinTheFontsColourShowsAtOnceAndTheSkinComesBack) {
  UseNeutral2();
  TsLabel* label = AddLabel(form);
  EXPECT_FALSE(Shows(ShownOf(*label), kRed));
  manager->SetActive(false);
  EXPECT_EQ(label->SkinTextColor(), std::nullopt);
  EXPECT_TRUE(Shows(ShownOf(*label), kRed));
  manager->SetActive(true);
  EXPECT_FALSE(Shows(ShownOf(*label), kRed));
  EXPECT_TRUE(Shows(ShownOf(*label), RGB(0, 0, 0)));
}

TEST_F(SkinnedLabelTest, TheFontSourceIsFoundThroughTheParents) {
  UseSkinText(
      "[GLOBALINFO]\r\nVERSION=7.20\r\nFONTCOLOR=8421504\r\n"
      "[PANEL]\r\nCOLOR=16777215\r\nFONTCOLOR=255\r\nGIVEOWNFONT=TRUE\r\n"
      "[CLEAR]\r\nTRANSPARENCY=80\r\nFONTCOLOR=65280\r\nGIVEOWNFONT=TRUE\r\n"
      "[HALF]\r\nTRANSPARENCY=50\r\nFONTCOLOR=65280\r\nGIVEOWNFONT=TRUE\r\n"
      "[NOFONT]\r\nFONTCOLOR=16711680\r\n"
      "[SEETHRU]\r\nTRANSPARENCY=100\r\nFONTCOLOR=4210752\r\n");
  auto* outer = Create<TsPanel>(form);
  outer->SetParent(form);
  outer->SetBounds(0, 0, 190, 110);
  auto* inner = Create<TsPanel>(form);
  inner->SetParent(outer);
  inner->SetBounds(5, 5, 100, 60);
  TsLabel* onForm = AddLabel(form);
  TsLabel* onOuter = AddLabel(outer);
  TsLabel* onInner = AddLabel(inner);
  const struct {
    const char* innerSection;
    const char* ownSection;
    ColorRef expected;
  } cases[] = {
      {"CLEAR", "", 255},              // more than half transparent: the outer panel gives it
      {"HALF", "", 65280},             // half transparent: the inner panel gives it
      {"NOFONT", "", 8421504},         // a section that does not give its font: the skin's colour
      {"NOFONT", "NOFONT", 16711680},  // the label's own opaque section
      {"HALF", "SEETHRU", 65280},      // a see-through own section looks behind it
  };
  for (const auto& c : cases) {
    inner->SkinData()->SetSkinSection(c.innerSection);
    onInner->SetSkinSection(c.ownSection);
    EXPECT_EQ(onInner->SkinTextColor(), c.expected) << c.innerSection << " " << c.ownSection;
  }
  EXPECT_EQ(onOuter->SkinTextColor(), 255u);
  EXPECT_EQ(onForm->SkinTextColor(), 8421504u) << "an unskinned form gives no font";
}

TEST_F(SkinnedLabelTest, ASkinSectionIsPaintedUnderTheText) {
  UseNeutral2();
  TsLabel* label = AddLabel(form, "");
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 40, 20);
  label->SetSkinSection("button");
  EXPECT_EQ(label->SkinSection(), "BUTTON");
  Bitmap32 expected(40, 20, 0);
  SectionPaint paint;
  paint.sectionIndex = Tables().SectionIndex("BUTTON");
  ParentBackground white;
  white.fill = RGB(255, 255, 255);
  PaintSection(expected, expected.Bounds(), Tables(), paint, white);
  EXPECT_TRUE(SameColors(ShownOf(*label), expected));
  label->SetSkinSection("");
  EXPECT_TRUE(SameColors(ShownOf(*label), Bitmap32(40, 20, MakePixel(255, 255, 255))));
}

class SkinnedWebLabelTest : public SkinnedLabelTest {
 protected:
  // The "?" of the main window: 26 x 16, centred, over the BUTTON section, bold on hover.
  TsWebLabel* AddHelp() {
    auto* help = AddLabel<TsWebLabel>(form, "?");
    help->SetAutoSize(false);
    help->SetBounds(20, 20, 26, 16);
    help->SetAlignment(TAlignment::taCenter);
    help->SetLayout(TTextLayout::tlCenter);
    help->SetSkinSection("BUTTON");
    help->HoverFont().Assign(help->Font());
    help->HoverFont().SetStyle(fsBold);
    help->HoverFont().SetColor(RGB(0, 128, 0));
    return help;
  }
  // The form's update region covers `control` (nothing else waits to be painted first).
  bool ParentRepaintsUnder(const TControl& control) {
    Rect update;
    return GetUpdateRect(form->Handle(), update) && update.Contains(control.BoundsRect());
  }
};

TEST_F(SkinnedWebLabelTest, HoveringSwitchesFontAndColourAndRepaintsTheParentUnderIt) {
  UseNeutral2();
  TsWebLabel* help = AddHelp();
  EXPECT_EQ(help->Cursor(), crHandPoint);
  Shown();
  EXPECT_EQ(help->SkinTextColor(), RGB(0, 0, 255)) << "the built-in skin has no link colour: blue";

  help->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(help->MouseOver());
  EXPECT_TRUE(ParentRepaintsUnder(*help));
  EXPECT_EQ(help->SkinTextColor(), RGB(255, 0, 0)) << "nor a hover colour: red";
  EXPECT_TRUE(Shows(ShownOf(*help), RGB(255, 0, 0)));

  help->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(help->MouseOver());
  EXPECT_TRUE(ParentRepaintsUnder(*help));
  EXPECT_TRUE(Shows(ShownOf(*help), RGB(0, 0, 255)));
  EXPECT_FALSE(Shows(ShownOf(*help), RGB(255, 0, 0)));
}

TEST_F(SkinnedWebLabelTest, TheHoverFontIsUsedWhileThePointerIsOver) {
  UseNeutral2();
  TsWebLabel* help = AddHelp();
  help->SetCaption("Help me");
  help->SetAutoSize(true);
  const int normalWidth = help->Width();
  form->Show();
  Pump();
  MoveTo(ScreenPoint(help));
  EXPECT_TRUE(help->MouseOver());
  EXPECT_GT(help->Width(), normalWidth) << "bold is wider";
  MoveTo(ScreenPoint(help, {-15, -15}));
  EXPECT_FALSE(help->MouseOver());
  EXPECT_EQ(help->Width(), normalWidth);
}

TEST_F(SkinnedWebLabelTest, LinkColoursComeFromTheSkinOrTheFonts) {
  UseSkinText("[GLOBALINFO]\r\nVERSION=7.20\r\nTCTOP=65280\r\nTCBOTTOM=8388608\r\n");
  TsWebLabel* help = AddHelp();
  EXPECT_EQ(help->SkinTextColor(), 8388608u);
  help->Perform(CM_MOUSEENTER);
  EXPECT_EQ(help->SkinTextColor(), 65280u);
  // Without the skin's colours: the hover font's colour over it, the font's otherwise.
  help->SetUseSkinColor(false);
  EXPECT_TRUE(Shows(ShownOf(*help), RGB(0, 128, 0)));
  help->Perform(CM_MOUSELEAVE);
  EXPECT_TRUE(Shows(ShownOf(*help), kRed));
}

TEST_F(SkinnedWebLabelTest, APressOpensTheUrlAndTheReleaseClicks) {
  UseNeutral2();
  TsWebLabel* link = AddHelp();
  int clicks = 0;
  link->OnClick = [&](TComponent*) { ++clicks; };
  form->Show();
  Pump();
  Click(link);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(platform.Launches().empty()) << "no URL, nothing opened";

  link->SetURL("https://example.org/help");
  Click(link);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(platform.Launches().size(), 1u) << "the desktop opens it";
  EXPECT_EQ(platform.Launches()[0].args, std::vector<std::string>{"https://example.org/help"});

  std::vector<std::string> opened;
  const TsWebLabel::UrlOpener saved = TsWebLabel::OpenUrl;
  TsWebLabel::OpenUrl = [&](const std::string& url, int) { opened.push_back(url); };
  platform.UserButton(ScreenPoint(link), MouseButton::Left, true);
  Pump();
  EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/help"}) << "on the press";
  EXPECT_EQ(clicks, 2);
  platform.UserButton(ScreenPoint(link), MouseButton::Left, false);
  Pump();
  EXPECT_EQ(clicks, 3);
  TsWebLabel::OpenUrl = saved;
}

}  // namespace
}  // namespace tappomat::test
