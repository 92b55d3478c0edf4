// The skin data every skinned control keeps: the section it binds to (by default from its
// kind), the indexes looked up in the active skin, the kinds that change the common
// handling, and the answers to the common skin messages.
#include "skin/common/common_data.h"

#include <gtest/gtest.h>

#include "skin/controls/skinned_label.h"
#include "skin/data/skin_package.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/ui_fixture.h"

namespace tappomat::test {
namespace {

TEST(CommonDataKinds, DefaultSectionsAndKindSets) {
  const struct {
    int kind;
    const char* section;
  } sections[] = {{3, "EDIT"}, {8, "EDIT"}, {11, "COMBOBOX"}, {32, "CHECKBOX"}, {51, "PANEL"},
                  {52, "PANEL_LOW"}, {93, "BUTTON"}, {92, "SPEEDBUTTON"}, {165, "TRACKBAR"},
                  {999, "TMyControl"}};
  for (const auto& c : sections) EXPECT_EQ(DefaultSectionFor(c.kind, "TMyControl"), c.section) << c.kind;
  EXPECT_TRUE(IsContainerKind(51));
  EXPECT_FALSE(IsContainerKind(93));
  EXPECT_TRUE(IsBackgroundOwnerKind(226));
  EXPECT_FALSE(IsBackgroundOwnerKind(53));
  EXPECT_TRUE(IsEditKind(8));
  EXPECT_FALSE(IsEditKind(32));
}

class CommonDataTest : public UiTest {
 protected:
  CommonDataTest() {
    form = Create<TForm>(Application);
    manager = Create<TsSkinManager>(form);
    const std::string text =
        "[GLOBALINFO]\r\nVERSION=7.20\r\n[PANEL]\r\nCOLOR=12632256\r\n"
        "[EDIT]\r\nCOLOR=255\r\nFONTCOLOR=65280\r\nBORDERSMASK=!NONE.BMP\r\n";
    const std::vector<SkinPackageFile> files = {
        {"Options.dat", std::vector<std::uint8_t>(text.begin(), text.end())}};
    TsStoredSkin& skin = manager->InternalSkins().Add();
    skin.SetName("T");
    skin.SetData(WriteSkinPackage(files));
    manager->SetSkinName("T");
    panel = Create<TPanel>(form);
    panel->SetParent(form);
    form->Show();
  }
  TForm* form;
  TsSkinManager* manager;
  TPanel* panel;
};

TEST_F(CommonDataTest, TheSectionComesFromTheKindAndIsLookedUpOnce) {
  TsCommonData data(panel, true, 51);
  data.UpdateIndexes();
  EXPECT_EQ(data.SkinSection(), "PANEL");
  EXPECT_EQ(data.SkinIndex(), manager->SectionIndex("PANEL"));
  EXPECT_TRUE(data.Skinned(true));
  data.SetSkinSection("edit");
  EXPECT_EQ(data.SkinSection(), "EDIT");
  EXPECT_EQ(data.SkinIndex(), manager->SectionIndex("EDIT"));
  data.SetSkinSection("");
  EXPECT_EQ(data.SkinSection(), "UNKNOWN");
  EXPECT_EQ(data.SkinIndex(), -1);
  EXPECT_FALSE(data.Skinned());
}

TEST_F(CommonDataTest, EditKindsTakeTheSectionsColoursUnlessTheirOwnAreKept) {
  TsCommonData data(panel, false, 3);
  data.UpdateIndexes();
  data.UpdateColors(false);
  EXPECT_EQ(panel->Color(), 255);
  EXPECT_EQ(panel->Font().Color(), 65280);
  panel->SetColor(7);
  data.SetCustomColor(true);
  EXPECT_EQ(panel->Color(), 7);
  TMessage remove{WM_SKIN, SkinWParam(SkinCode::RemoveSkin), reinterpret_cast<LPARAM>(manager), 0};
  EXPECT_TRUE(data.HandleSkinMessage(remove));
  EXPECT_EQ(panel->Color(), 7) << "custom";
  EXPECT_EQ(panel->Font().Color(), clWindowText);
  EXPECT_EQ(data.SkinIndex(), -1);
}

TEST_F(CommonDataTest, TheSkinGoingTurnsThePlainLabelsOfOtherWindowedControlsToTheWindowText) {
  constexpr TColor kRed = RGB(200, 0, 0);
  constexpr TColor kGreen = RGB(0, 128, 0);
  auto* plain = Create<TLabel>(form);
  plain->SetParent(panel);
  auto* skinned = Create<TsLabel>(form);
  skinned->SetParent(panel);
  const struct {
    int kind;
    TColor plainAfter;
  } cases[] = {
      {51, clWindowText},  // a panel
      {93, clWindowText},  // a button
      {3, kRed},           // an edit takes its own colours back and leaves its labels alone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    plain->Font().SetColor(kRed);
    skinned->Font().SetColor(kGreen);
    TsCommonData data(panel, false, c.kind);
    data.UpdateIndexes();
    TMessage remove{WM_SKIN, SkinWParam(SkinCode::RemoveSkin), reinterpret_cast<LPARAM>(manager),
                    0};
    EXPECT_TRUE(data.HandleSkinMessage(remove));
    EXPECT_EQ(plain->Font().Color(), c.plainAfter);
    EXPECT_EQ(skinned->Font().Color(), kGreen) << "a skinned label's own colour is its own";
  }
  // Another manager's skin going changes nothing.
  plain->Font().SetColor(kRed);
  TsCommonData data(panel, false, 51);
  TMessage remove{WM_SKIN, SkinWParam(SkinCode::RemoveSkin), reinterpret_cast<LPARAM>(form), 0};
  EXPECT_TRUE(data.HandleSkinMessage(remove));
  EXPECT_EQ(plain->Font().Color(), kRed);
}

TEST_F(CommonDataTest, CommonSkinMessagesAreAnswered) {
  TsCommonData data(panel, true, 51);
  data.UpdateIndexes();
  data.Cache()->Reset(5, 5);
  const auto send = [&data](SkinCode code, std::uint16_t argument = 0, LPARAM lParam = 0) {
    TMessage message{WM_SKIN, SkinWParam(code, argument), lParam, -7};
    EXPECT_TRUE(data.HandleSkinMessage(message));
    return message.Result;
  };
  EXPECT_EQ(send(SkinCode::QuerySkinned), 1);
  send(SkinCode::ClearBackgroundChanged);
  EXPECT_EQ(send(SkinCode::QueryNeedsRepaint), 0);
  send(SkinCode::SetUpdating, 1);
  EXPECT_EQ(send(SkinCode::QueryNeedsRepaint), 1);
  send(SkinCode::SetUpdating, 0);
  int index = -5;
  send(SkinCode::QuerySectionIndex, 0, reinterpret_cast<LPARAM>(&index));
  EXPECT_EQ(index, data.SkinIndex());
  EXPECT_EQ(send(SkinCode::QuerySkinData), reinterpret_cast<LRESULT>(&data));
  EXPECT_EQ(send(SkinCode::SetSection, 0, reinterpret_cast<LPARAM>("edit")), 1);
  EXPECT_EQ(data.SkinSection(), "EDIT");
  send(SkinCode::EmptyCache);
  EXPECT_EQ(data.Cache()->Width(), 0);
  EXPECT_TRUE(data.BackgroundChanged());
  TMessage other{WM_PAINT, 0, 0, 0};
  EXPECT_FALSE(data.HandleSkinMessage(other));
  TMessage unknown{WM_SKIN, SkinWParam(static_cast<SkinCode>(99)), 0, 0};
  EXPECT_FALSE(data.HandleSkinMessage(unknown));
}

TEST_F(CommonDataTest, TheHotLookFollowsTheFocusAndThePointerButNotForContainers) {
  TsCommonData button(panel, false, 93), container(panel, false, 51);
  EXPECT_FALSE(button.ControlIsActive());
  button.SetMouseAbove(true);
  container.SetMouseAbove(true);
  EXPECT_TRUE(button.ControlIsActive());
  EXPECT_FALSE(container.ControlIsActive());
  container.SetForcedActive(true);
  EXPECT_TRUE(container.ControlIsActive());
  panel->SetEnabled(false);
  EXPECT_FALSE(button.ControlIsActive());
}

}  // namespace
}  // namespace tappomat::test
