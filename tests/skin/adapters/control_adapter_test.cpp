// The control adapter of a form skins the standard controls that the skin manager's lists
// name by their exact class name: a string grid gets the grid adapter with the skin's
// colours (fixed cells in the global colour), a plain label the skin's text colour; the
// skin going gives every saved colour back, and a grid created later is adapted when its
// window appears.
#include "skin/adapters/control_adapter.h"

#include <gtest/gtest.h>

#include "skin/adapters/grid_window.h"
#include "skin/data/skin_message.h"
#include "skin/skin_fixture.h"
#include "ui/label.h"
#include "ui/string_grid.h"
#include "win/scroll_bar.h"

namespace tappomat::test {
namespace {

// A grid class of its own name: only exact class names are adapted.
class TMyGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  std::string ClassName() const override { return "TMyGrid"; }
};

class ControlAdapterTest : public SkinnedControlsTest {
 protected:
  ControlAdapterTest() {
    form->SetBounds(40, 40, 400, 300);
    grid = Create<TStringGrid>(form);
    grid->SetBounds(10, 10, 200, 150);
    grid->SetColor(static_cast<TColor>(15921906));
    grid->SetParent(form);
    label = Create<TLabel>(form);
    label->SetCaption("plain");
    label->SetBounds(220, 10, 60, 16);
    label->Font().SetColor(clRed);
    label->SetParent(form);
    form->Show();
    Pump();
    adapter = Create<TacCtrlAdapter>(form);
    UseNeutral2();
    Pump();
  }
  TStringGrid* grid;
  TLabel* label;
  TacCtrlAdapter* adapter;
};

TEST_F(ControlAdapterTest, TheGridTakesTheSkinsColoursAndGivesThemBack) {
  ASSERT_NE(adapter->AdapterOf(grid), nullptr) << "TStringGrid is on the grid list";
  EXPECT_NE(dynamic_cast<TacGridWnd*>(adapter->AdapterOf(grid)), nullptr);
  EXPECT_EQ(grid->Color(), RGB(255, 255, 255)) << "EDIT's colour";
  EXPECT_EQ(grid->FixedColor(), static_cast<TColor>(12632256)) << "the skin's global colour";
  EXPECT_EQ(grid->Font().Color(), RGB(0, 0, 0));
  EXPECT_EQ(label->Font().Color(), static_cast<TColor>(Tables().colors.globalFont));
  EXPECT_EQ(grid->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinned)), 1);

  manager->SetActive(false);
  Pump();
  EXPECT_EQ(adapter->AdapterOf(grid), nullptr);
  EXPECT_EQ(grid->Color(), static_cast<TColor>(15921906));
  EXPECT_EQ(grid->FixedColor(), clBtnFace);
  EXPECT_EQ(label->Font().Color(), clRed);
  EXPECT_EQ(grid->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinned)), 0);

  manager->SetActive(true);
  Pump();
  EXPECT_NE(adapter->AdapterOf(grid), nullptr) << "adapted again with the skin";
  EXPECT_EQ(grid->FixedColor(), static_cast<TColor>(12632256));
}

TEST_F(ControlAdapterTest, OnlyExactClassNamesAreAdaptedAndLateWindowsAreFound) {
  auto* mine = Create<TMyGrid>(form);
  mine->SetBounds(10, 170, 100, 100);
  mine->SetParent(form);
  auto* late = Create<TStringGrid>(form);
  late->SetBounds(220, 170, 100, 100);
  late->SetParent(form);
  Pump();
  EXPECT_EQ(adapter->AdapterOf(mine), nullptr);
  EXPECT_NE(adapter->AdapterOf(late), nullptr) << "found when its window was created";
}

TEST_F(ControlAdapterTest, TheFrameIsPaintedFromTheSkin) {
  // The grid's 2-pixel frame, on the borderless form's picture: the classic sunken edge
  // starts with the shadow grey; the skin's EDIT border takes its place.
  const auto frameAt = [&](int dx) { return PixelRGB(Shown().At(grid->Left() + dx, grid->Top() + 20)); };
  const Pixel shadow = PixelRGB(PixelFromColor(GetSysColor(COLOR_BTNSHADOW)));
  const Pixel skinned = frameAt(0);
  EXPECT_NE(skinned, shadow);
  manager->SetActive(false);
  Pump();
  EXPECT_EQ(frameAt(0), shadow);
  manager->SetActive(true);
  Pump();
  EXPECT_EQ(frameAt(0), skinned);
}

TEST_F(ControlAdapterTest, ADragOnTheGridsBarScrollsItAndItsReleaseStaysWithTheBar) {
  grid->SetRowCount(60);
  Pump();
  auto* adapter = dynamic_cast<TacGridWnd*>(this->adapter->AdapterOf(grid));
  ASSERT_NE(adapter, nullptr);
  ASSERT_TRUE(adapter->BarVisible(SB_VERT));
  int releases = 0;
  grid->OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++releases; };
  const Rect bar = adapter->BarRect(SB_VERT);
  const Point thumb{bar.left + bar.Width() / 2, bar.top + bar.Width() + 4};
  platform.UserMove(thumb);
  platform.UserButton(thumb, MouseButton::Left, true);
  Pump();
  platform.UserMove({thumb.x, bar.bottom - 2});
  Pump();
  platform.UserButton({thumb.x, bar.bottom - 2}, MouseButton::Left, false);
  Pump();
  EXPECT_GT(grid->TopRow(), 30) << "the thumb took the rows along";
  EXPECT_EQ(releases, 0) << "the grid never heard the release";
  EXPECT_FALSE(adapter->ScrollPressUnderway());
}

}  // namespace
}  // namespace tappomat::test
