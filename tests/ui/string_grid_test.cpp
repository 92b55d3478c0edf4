// TStringGrid: the current row and when OnClick fires, hit-testing, the order and states
// of cell painting, and scrolling.
#include "gdi/system_colors.h"
#include "gdi/system_metrics.h"
#include "platform/virtual_keys.h"
#include "ui/form.h"
#include "ui/string_grid.h"
#include "ui_fixture.h"
#include "win/input.h"
#include "win/scroll_bar.h"
#include "win/styles.h"

namespace tappomat::test {
namespace {

// Default sizes: 64 x 24 cells and a 1-pixel grid line after each.
constexpr int kColStep = 65;
constexpr int kRowStep = 25;

class StringGridTest : public UiTest {
 protected:
  StringGridTest() {
    form = Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(40, 40, 500, 300);
    grid = Create<TStringGrid>(form);
    grid->SetColCount(4);
    grid->SetRowCount(10);
    grid->SetOptions(grid->Options() | goRowSelect);
    // Client area: 4 columns wide, the fixed row and 4 scrolled rows high (+ the edges
    // and the vertical bar).
    grid->SetBounds(10, 10, 4 + 4 * kColStep + GetSystemMetrics(SM_CXVSCROLL), 4 + 5 * kRowStep);
    grid->SetParent(form);
    grid->OnClick = [this](TComponent*) { ++clicks; };
    form->Show();
    Pump();
  }

  // A client point inside a cell.
  static Point In(int col, int row) { return {2 + col * kColStep + 10, 2 + row * kRowStep + 10}; }

  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
  int clicks = 0;
};

TEST_F(StringGridTest, DefaultsAndCells) {
  TStringGrid plain(nullptr);
  EXPECT_EQ(plain.ClassName(), "TStringGrid");
  EXPECT_EQ(plain.FixedRows(), 1);
  EXPECT_EQ(plain.FixedCols(), 1);
  EXPECT_EQ(plain.DefaultColWidth(), 64);
  EXPECT_EQ(plain.DefaultRowHeight(), 24);
  EXPECT_EQ(plain.Row(), 1);
  EXPECT_EQ(plain.Col(), 1);
  EXPECT_TRUE(plain.DefaultDrawing());
  EXPECT_EQ(plain.Options() & (goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine),
            goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
  plain.SetCells(2, 3, "x");
  EXPECT_EQ(plain.Cells(2, 3), "x");
  plain.SetColCount(8);  // growing keeps the texts
  EXPECT_EQ(plain.Cells(2, 3), "x");
  EXPECT_THROW(plain.Cells(8, 0), std::out_of_range);
  EXPECT_THROW(plain.SetCells(0, -1, "y"), std::out_of_range);
  EXPECT_THROW(plain.SetRow(5), std::out_of_range);
  EXPECT_EQ(GetClassName(grid->Handle()), "TStringGrid");
}

TEST_F(StringGridTest, CurrentRowAndOnClickRules) {
  struct Step {
    const char* what;
    std::function<void()> act;
    int row;
    int clicks;
  };
  const Step steps[] = {
      {"click a data row", [&] { ClickAt(grid, In(2, 3)); }, 3, 1},
      {"click the same row again", [&] { ClickAt(grid, In(1, 3)); }, 3, 2},
      {"click the fixed row", [&] { ClickAt(grid, In(2, 0)); }, 3, 2},
      {"click the fixed column", [&] { ClickAt(grid, In(0, 2)); }, 3, 2},
      {"right click", [&] { ClickAt(grid, In(2, 1), MouseButton::Right); }, 3, 2},
      {"key down", [&] { Key(VK_DOWN); }, 4, 3},
      {"key up", [&] { Key(VK_UP); }, 3, 4},
      {"Row from code", [&] { grid->SetRow(7); }, 7, 5},
      {"the same Row again", [&] { grid->SetRow(7); }, 7, 5},
      {"RowCount shrinks below Row", [&] { grid->SetRowCount(5); }, 4, 5},
      {"key down at the last row", [&] { Key(VK_DOWN); }, 4, 5},
      {"Home goes to the first row", [&] { Key(VK_HOME); }, 1, 6},
      {"End goes to the last row", [&] { Key(VK_END); }, 4, 7},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(grid->Row(), s.row) << s.what;
    EXPECT_EQ(clicks, s.clicks) << s.what;
    EXPECT_EQ(grid->Col(), 1) << s.what;  // row select keeps the first scrolled column
  }
}

TEST_F(StringGridTest, CellMovesWithoutRowSelectAndSelectCellCanRefuse) {
  grid->SetOptions(grid->Options() & ~goRowSelect);
  grid->SetFocus();
  Pump();
  Key(VK_RIGHT);
  EXPECT_EQ(grid->Col(), 2);
  Key(VK_END);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 1);
  Key(VK_HOME);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(clicks, 3);
  grid->OnSelectCell = [](TComponent*, int, int row, bool& canSelect) { canSelect = row != 2; };
  Key(VK_DOWN);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(clicks, 3);
  ClickAt(grid, In(2, 3));
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Col(), 2);
}

TEST_F(StringGridTest, MouseToCellAndCellRect) {
  struct Case {
    int topRow;
    Point p;
    int col, row;
  };
  const Case cases[] = {
      {1, {0, 0}, 0, 0},
      {1, {63, 23}, 0, 0},
      {1, {64, 24}, 0, 0},  // the grid line belongs to the cell before it
      {1, {65, 25}, 1, 1},
      {1, {3 * kColStep + 5, 4 * kRowStep + 5}, 3, 4},
      {1, {4 * kColStep + 1, 30}, -1, -1},  // right of the last column
      {1, {-1, 30}, -1, -1},
      {3, {70, 5}, 1, 0},  // fixed rows stay put
      {3, {70, kRowStep + 5}, 1, 3},
      {3, {70, 4 * kRowStep + 5}, 1, 6},
  };
  for (const Case& c : cases) {
    grid->SetTopRow(c.topRow);
    int col = -2, row = -2;
    grid->MouseToCell(c.p.x, c.p.y, col, row);
    EXPECT_EQ(col, c.col) << c.p.x << "," << c.p.y << " top " << c.topRow;
    EXPECT_EQ(row, c.row) << c.p.x << "," << c.p.y << " top " << c.topRow;
  }
  grid->SetTopRow(3);
  EXPECT_EQ(grid->CellRect(1, 3), (Rect{65, 25, 129, 49}));
  EXPECT_EQ(grid->CellRect(2, 0), (Rect{130, 0, 194, 24}));
  EXPECT_TRUE(grid->CellRect(1, 1).IsEmpty());  // scrolled away
  EXPECT_TRUE(grid->CellRect(9, 1).IsEmpty());
}

TEST_F(StringGridTest, OnDrawCellFollowsTheStandardPaintingWithStates) {
  grid->SetRow(2);
  for (int c = 0; c < 4; ++c) grid->SetCells(c, 2, "r2");
  struct Call {
    int col, row;
    TGridDrawState state;
    TColor brush;
    Pixel drawn;  // the cell's middle when the handler is called
  };
  std::vector<Call> calls;
  grid->OnDrawCell = [&](TComponent* sender, int col, int row, const Rect& rect, TGridDrawState state) {
    EXPECT_EQ(sender, grid);
    EXPECT_EQ(rect, grid->CellRect(col, row));
    DeviceContext& dc = *grid->Canvas()->Handle();
    const Point p = dc.ToDevice(Point{rect.left + 30, rect.bottom - 3});
    calls.push_back({col, row, state, grid->Canvas()->Brush().Color, dc.Target().At(p.x, p.y)});
  };
  grid->Invalidate();
  Pump();
  ASSERT_EQ(calls.size(), 4u * 5u);  // the fixed row and 4 scrolled rows
  const Pixel face = PixelFromColor(GetSysColor(COLOR_BTNFACE));
  const Pixel highlight = PixelFromColor(GetSysColor(COLOR_HIGHLIGHT));
  const Pixel window = PixelFromColor(GetSysColor(COLOR_WINDOW));
  for (const Call& c : calls) {
    SCOPED_TRACE(std::to_string(c.col) + "," + std::to_string(c.row));
    if (c.col == 0 || c.row == 0) {
      EXPECT_EQ(c.state, gdFixed);
      EXPECT_EQ(c.brush, clBtnFace);
      EXPECT_EQ(PixelRGB(c.drawn), PixelRGB(face));
    } else if (c.row == 2) {
      EXPECT_EQ(c.state & (gdSelected | gdFixed), gdSelected);
      EXPECT_EQ(c.brush, clHighlight);
      EXPECT_EQ(PixelRGB(c.drawn), PixelRGB(highlight));
    } else {
      EXPECT_EQ(c.state, 0u);
      EXPECT_EQ(c.brush, clWindow);
      EXPECT_EQ(PixelRGB(c.drawn), PixelRGB(window));
    }
  }
  // Focused: the current cell adds gdFocused.
  grid->SetFocus();
  Pump();
  calls.clear();
  grid->Invalidate();
  Pump();
  for (const Call& c : calls)
    EXPECT_EQ((c.state & gdFocused) != 0, c.col == 1 && c.row == 2) << c.col << "," << c.row;
}

TEST_F(StringGridTest, AThumbPositionBeyondSixteenBitsComesFromTheBarsState) {
  grid->SetRowCount(100000);
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = 90000;
  SetScrollInfo(grid->Handle(), SB_VERT, info, false);
  SendMessage(grid->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0xFFFF), 0);
  EXPECT_EQ(grid->TopRow(), 90000);
}

TEST_F(StringGridTest, RowsThatDoNotFitScroll) {
  auto hasBar = [&](std::uint32_t bit) { return (GetWindowStyle(grid->Handle()) & bit) != 0; };
  EXPECT_TRUE(hasBar(WS_VSCROLL));
  EXPECT_FALSE(hasBar(WS_HSCROLL));
  EXPECT_EQ(grid->VisibleRowCount(), 4);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(grid->Handle(), SB_VERT, info));
  EXPECT_EQ(info.nMin, 1);
  EXPECT_EQ(info.nMax, 9);
  EXPECT_EQ(info.nPage, 4u);

  // The top row follows the current row.
  grid->SetFocus();
  Pump();
  for (int i = 0; i < 4; ++i) Key(VK_DOWN);
  EXPECT_EQ(grid->Row(), 5);
  EXPECT_EQ(grid->TopRow(), 2);
  EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 2);
  grid->SetRow(9);
  EXPECT_EQ(grid->TopRow(), 6);
  Key(VK_PRIOR);
  EXPECT_EQ(grid->Row(), 5);
  EXPECT_EQ(grid->TopRow(), 5);

  // The scroll bar moves the view, not the current row.
  SendMessage(grid->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(grid->TopRow(), 1);
  SendMessage(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 5);
  SendMessage(grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 6);
  SendMessage(grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 6);
  SendMessage(grid->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 2), 0);
  EXPECT_EQ(grid->TopRow(), 6);  // without goThumbTracking only the final position counts
  SendMessage(grid->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), 0);
  EXPECT_EQ(grid->TopRow(), 2);
  grid->SetOptions(grid->Options() | goThumbTracking);
  SendMessage(grid->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 4), 0);
  EXPECT_EQ(grid->TopRow(), 4);
  EXPECT_EQ(grid->Row(), 5);

  // The wheel moves the current row, a notch a row.
  const int before = clicks;
  SendMessage(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(grid->Row(), 6);
  EXPECT_EQ(clicks, before + 1);

  // When everything fits the bar goes.
  grid->SetRowCount(4);
  EXPECT_FALSE(hasBar(WS_VSCROLL));
  EXPECT_EQ(grid->TopRow(), 1);
  grid->SetColCount(12);
  EXPECT_TRUE(hasBar(WS_HSCROLL));
}

}  // namespace
}  // namespace tappomat::test
