// The classic look of a list box and a string grid on a form, against a golden image: a
// list with a selected item and its scroll bar, and a six-column grid with a fixed row,
// row selection on row 2 and a vertical scroll bar.
#include "support/golden.h"
#include "ui/form.h"
#include "ui/list_box.h"
#include "ui/string_grid.h"
#include "ui_fixture.h"
#include "win/window_data.h"

namespace tappomat::test {
namespace {

using ListGridGoldenTest = UiTest;

TEST_F(ListGridGoldenTest, ListBoxAndStringGrid) {
  auto* form = Create<TForm>(Application);
  form->SetBorderStyle(TFormBorderStyle::bsNone);
  form->SetBounds(0, 0, 520, 170);

  auto* list = Create<TListBox>(form);
  list->SetBounds(8, 8, 130, 150);
  for (const char* name : {"Left click", "Right click", "Double click", "Middle click", "Hold",
                           "Release", "Move", "Wait", "Repeat", "Key press", "Key hold",
                           "Scroll up", "Scroll down", "Stop"})
    list->Items().Add(name);
  list->SetItemIndex(2);
  list->SetParent(form);

  auto* grid = Create<TStringGrid>(form);
  grid->SetBounds(146, 8, 366, 150);
  grid->SetColCount(6);
  grid->SetRowCount(9);
  grid->SetDefaultColWidth(54);
  grid->SetColWidths(0, 24);
  grid->SetDefaultRowHeight(18);
  grid->SetOptions(grid->Options() | goRowSelect);
  const char* headings[] = {"", "Action", "X", "Y", "Delay", "Count"};
  for (int c = 0; c < 6; ++c) grid->SetCells(c, 0, headings[c]);
  for (int r = 1; r < 9; ++r) {
    grid->SetCells(0, r, std::to_string(r));
    grid->SetCells(1, r, r % 2 ? "Click" : "Move");
    grid->SetCells(2, r, std::to_string(100 + 10 * r));
    grid->SetCells(3, r, std::to_string(200 - 5 * r));
    grid->SetCells(4, r, std::to_string(50 * r));
    grid->SetCells(5, r, "1");
  }
  grid->SetRow(2);
  grid->SetParent(form);

  form->Show();
  Pump();
  const Bitmap32& pixels =
      platform.Window(WindowSystem::Current().Find(form->Handle())->top.native)->pixels;
  EXPECT_TRUE(MatchesGolden(pixels, "ui_list_grid"));
}

}  // namespace
}  // namespace tappomat::test
