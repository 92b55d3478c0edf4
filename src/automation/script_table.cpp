#include "automation/script_table.h"

#include <algorithm>

#include "storage/script_file.h"
#include "ui/string_grid.h"

namespace tappomat {

int ScriptTable::LastRow() const { return m_grid.RowCount() - 1; }

bool ScriptTable::IsEmpty() const { return m_grid.Cells(kXCol, 1).empty(); }

const std::string& ScriptTable::Cell(ScriptColumn col, int row) const {
  return m_grid.Cells(col, row);
}

void ScriptTable::SetCell(ScriptColumn col, int row, const std::string& text) {
  m_grid.SetCells(col, row, text);
}

void ScriptTable::EmptyRow(int row) {
  for (int col = 0; col < kScriptColumns; ++col) m_grid.SetCells(col, row, "");
}

void ScriptTable::Append(int x, int y, int button, std::int64_t delay) {
  const int row = IsEmpty() ? 1 : m_grid.RowCount();
  // Every cell of the row is written, so nothing of an earlier row at that place shows.
  if (row >= m_grid.RowCount()) m_grid.SetRowCount(row + 1);
  SetCell(kMarkerCol, row, "");
  SetCell(kNumberCol, row, std::to_string(row) + ".");
  SetCell(kXCol, row, std::to_string(x));
  SetCell(kYCol, row, std::to_string(y));
  SetCell(kButtonCol, row, std::to_string(button));
  SetCell(kDelayCol, row, std::to_string(delay));
}

void ScriptTable::DeleteRow(int row) {
  if (m_grid.RowCount() <= 2) {
    EmptyRow(1);
    return;
  }
  const int last = LastRow();
  for (int i = row; i <= last; ++i) {
    for (int col = 0; col < kScriptColumns; ++col) {
      SetCell(static_cast<ScriptColumn>(col), i,
              i < last ? Cell(static_cast<ScriptColumn>(col), i + 1) : std::string());
    }
    SetCell(kNumberCol, i, std::to_string(i));
  }
  m_grid.SetRowCount(last);
}

void ScriptTable::Clear() {
  m_grid.SetRowCount(2);
  EmptyRow(1);
}

void ScriptTable::Load(std::span<const ScriptRow> rows) {
  EmptyRow(1);
  const int count = static_cast<int>(rows.size());
  m_grid.SetRowCount(std::max(count, 1) + 1);
  for (int n = 1; n <= count; ++n) {
    const ScriptRow& row = rows[n - 1];
    SetCell(kMarkerCol, n, {});
    SetCell(kNumberCol, n, std::to_string(n));
    SetCell(kXCol, n, std::to_string(row.x));
    SetCell(kYCol, n, std::to_string(row.y));
    SetCell(kButtonCol, n, std::to_string(row.button));
    SetCell(kDelayCol, n, std::to_string(row.delay));
  }
}

void ScriptTable::SetAllDelays(std::int64_t delay) {
  const std::string text = std::to_string(delay);
  for (int row = 1; row <= LastRow(); ++row) SetCell(kDelayCol, row, text);
}

void ScriptTable::PlaceStartMarker(int row) {
  for (int r = 1; r <= LastRow(); ++r) SetCell(kMarkerCol, r, "");
  SetCell(kMarkerCol, row, kStartMarker);
}

int ScriptTable::FindStartMarker() const {
  for (int row = 1; row <= LastRow(); ++row) {
    if (Cell(kMarkerCol, row) == kStartMarker) return row;
  }
  return 0;
}

}  // namespace tappomat
