#include "automation/script_table.h"

#include <gtest/gtest.h>

#include "automation_fakes.h"
#include "ui/string_grid.h"
#include "ui/ui_fixture.h"

namespace tappomat {
namespace {

class ScriptTableTest : public test::UiTest {
 protected:
  std::string Row(int row) const {
    std::string text;
    for (int col = 0; col < kScriptColumns; ++col) {
      text += (col ? "|" : "") + grid->Cells(col, row);
    }
    return text;
  }

  TStringGrid* grid = test::MakeScriptGrid(app.get());
  ScriptTable table{*grid};
};

TEST_F(ScriptTableTest, AppendReusesRowOneOfAnEmptyScriptThenGrows) {
  EXPECT_TRUE(table.IsEmpty());
  table.Append(10, 20, 0, 300);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(Row(1), "|1.|10|20|0|300");
  table.Append(30, 40, 1, 250);
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(Row(2), "|2.|30|40|1|250");
  EXPECT_EQ(grid->Row(), 1) << "the current row does not move";
}

TEST_F(ScriptTableTest, AppendAfterSetAllDelaysOverwritesRowOne) {
  table.SetAllDelays(500);
  EXPECT_TRUE(table.IsEmpty());
  EXPECT_EQ(Row(1), "|||||500");
  table.Append(1, 2, -1, 300);
  EXPECT_EQ(Row(1), "|1.|1|2|-1|300");
}

TEST_F(ScriptTableTest, EmptinessLooksOnlyAtTheXCellOfRowOne) {
  table.SetCell(kYCol, 1, "5");
  table.SetCell(kDelayCol, 1, "5");
  EXPECT_TRUE(table.IsEmpty());
  table.SetCell(kXCol, 1, "0");
  EXPECT_FALSE(table.IsEmpty());
}

TEST_F(ScriptTableTest, DeleteMovesRowsUpWithTheirMarkerAndRenumbers) {
  for (int i = 1; i <= 4; ++i) table.Append(i, i * 10, 0, i * 100);
  table.PlaceStartMarker(3);
  EXPECT_EQ(Row(3), "+|3.|3|30|0|300");
  table.DeleteRow(2);
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(Row(1), "|1.|1|10|0|100") << "rows above keep their dotted number";
  EXPECT_EQ(Row(2), "+|2|3|30|0|300");
  EXPECT_EQ(Row(3), "|3|4|40|0|400");
  EXPECT_EQ(table.FindStartMarker(), 2);
}

TEST_F(ScriptTableTest, DeleteTheMarkedLastRowRemovesTheMarker) {
  for (int i = 1; i <= 3; ++i) table.Append(i, i, 0, 1);
  table.PlaceStartMarker(3);
  table.DeleteRow(3);
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(table.FindStartMarker(), 0);
}

TEST_F(ScriptTableTest, DeleteTheOnlyRowEmptiesIt) {
  table.Append(5, 6, 1, 7);
  table.PlaceStartMarker(1);
  table.DeleteRow(1);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(Row(1), "|||||");
  EXPECT_TRUE(table.IsEmpty());
}

TEST_F(ScriptTableTest, ClearKeepsOneEmptyRowWithoutMarker) {
  for (int i = 1; i <= 3; ++i) table.Append(i, i, 0, 1);
  table.PlaceStartMarker(1);
  table.Clear();
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(Row(1), "|||||");
}

TEST_F(ScriptTableTest, PlaceStartMarkerLeavesExactlyOne) {
  for (int i = 1; i <= 3; ++i) table.Append(i, i, 0, 1);
  table.SetCell(kMarkerCol, 1, "+");
  table.SetCell(kMarkerCol, 3, "+");
  table.PlaceStartMarker(2);
  EXPECT_EQ(grid->Cells(0, 1) + grid->Cells(0, 2) + grid->Cells(0, 3), "+");
  EXPECT_EQ(table.FindStartMarker(), 2);
}

}  // namespace
}  // namespace tappomat
