// What shows through a skinned container: its transparency flags by what its section
// paints, the colour under it, whether it repaints with its parent, and the linked
// object, as the skin messages ask them.
#include <gtest/gtest.h>

#include "skin/common/common_data.h"
#include "skin/controls/skinned_panel.h"
#include "skin/data/skin_message.h"
#include "skin/skin_fixture.h"

namespace tappomat::test {
namespace {

class TransparencyTest : public SkinnedControlsTest {
 protected:
  TransparencyTest() {
    UseSkinText(
        "[GLOBALINFO]\r\nVERSION=7.20\r\n"
        "[PLAIN]\r\nCOLOR=255\r\n"
        "[HALF]\r\nCOLOR=0\r\nTRANSPARENCY=50\r\n"
        "[CLEAR]\r\nCOLOR=0\r\nTRANSPARENCY=100\r\n"
        "[SHADED]\r\nCOLOR=0\r\nGRADIENTDATA=0;16777215;100;0;0\r\nGRADIENTPERCENT=100\r\n"
        "[ACROSS]\r\nCOLOR=0\r\nGRADIENTDATA=0;16777215;100;1;0\r\nGRADIENTPERCENT=100\r\n");
    panel = Create<TsPanel>(form);
    panel->SetBounds(10, 10, 60, 40);
    panel->SetParent(form);
    form->Show();
    Pump();
  }
  LRESULT Ask(SkinCode code, std::uint16_t argument = 0, LPARAM lParam = 0) {
    return panel->Perform(WM_SKIN, SkinWParam(code, argument), lParam);
  }
  TsPanel* panel;
};

TEST_F(TransparencyTest, TheFlagsFollowWhatTheSectionPaints) {
  const struct {
    const char* section;
    unsigned flags;
    unsigned kind;
    bool withParent;
  } cases[] = {
      {"PLAIN", kTransparentBackground, 0, false},  // a plain colour: nothing to ask the parent
      {"HALF", 0, 0, true},
      {"CLEAR", kTransparentBackground, 0, true},   // on a form that is not skinned
      {"SHADED", 0, kGradientVertical, true},
      {"ACROSS", 0, kGradientHorizontal, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section);
    panel->SkinData()->SetSkinSection(c.section);
    EXPECT_EQ(static_cast<unsigned>(Ask(SkinCode::TransparencyFlags)) & 0xFFu, c.flags);
    EXPECT_EQ(panel->SkinData()->BackgroundKind(), c.kind);
    EXPECT_EQ(Ask(SkinCode::QueryParentPaint) != 0, c.withParent);
  }
}

TEST_F(TransparencyTest, TheColourUnderMixesWithWhatLiesBehind) {
  form->SetColor(RGB(255, 255, 255));
  panel->SkinData()->SetSkinSection("PLAIN");
  EXPECT_EQ(static_cast<ColorRef>(Ask(SkinCode::QueryColorUnder)), RGB(255, 0, 0));
  panel->SkinData()->SetSkinSection("CLEAR");
  EXPECT_EQ(static_cast<ColorRef>(Ask(SkinCode::QueryColorUnder)), RGB(255, 255, 255));
  // Half: each channel moves from 0 towards 255 by 50 / 256.
  panel->SkinData()->SetSkinSection("HALF");
  EXPECT_EQ(static_cast<ColorRef>(Ask(SkinCode::QueryColorUnder)), RGB(49, 49, 49));
}

TEST_F(TransparencyTest, ARefreshWorksTheFlagsOutAgain) {
  panel->SkinData()->SetSkinSection("PLAIN");
  auto* inner = Create<TsPanel>(form);
  inner->SetBounds(5, 5, 20, 20);
  inner->SetParent(panel);
  inner->SkinData()->SetSkinSection("CLEAR");
  Pump();
  // A clear panel shows its parent, which paints a plain colour and asks nobody.
  ASSERT_EQ(inner->SkinData()->TransparencyFlags() & kTransparentBackground,
            kTransparentBackground);
  panel->SkinData()->SetSkinSection("HALF");  // the parent now mixes in what lies behind it
  inner->Perform(WM_SKIN, SkinWParam(SkinCode::Refresh), reinterpret_cast<LPARAM>(manager));
  EXPECT_EQ(inner->SkinData()->TransparencyFlags() & kTransparentBackground, 0u);
  EXPECT_EQ(inner->SkinData()->TransparencyFlags() & kTransparencyUnknown, 0u);
}

TEST_F(TransparencyTest, ObjectsLinkAndUnlink) {
  Ask(SkinCode::LinkObject, 0, reinterpret_cast<LPARAM>(form));
  EXPECT_EQ(panel->SkinData()->LinkedObject(), form);
  EXPECT_TRUE(Ask(SkinCode::TransparencyFlags) & kObjectLinked);
  Ask(SkinCode::LinkObject, 0, 0);
  EXPECT_EQ(panel->SkinData()->LinkedObject(), nullptr);
  EXPECT_FALSE(Ask(SkinCode::TransparencyFlags) & kObjectLinked);
}

}  // namespace
}  // namespace tappomat::test
