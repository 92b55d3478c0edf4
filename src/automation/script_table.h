#pragma once
// ScriptTable: the script operations over the main window's grid, which is the only store
// of the current script. Each data row (1 .. RowCount − 1) is one script row of six text
// cells; every operation re-reads the cells when it runs, so whatever a command changed
// is seen by the next player step. The main window's handlers, the player, the poller
// and (later) the script files and the row editor call it.
#include <cstdint>
#include <span>
#include <string>

namespace tappomat {

class TStringGrid;
struct ScriptRow;

enum ScriptColumn : int {
  kMarkerCol = 0,  // "+" on the row the player performs next
  kNumberCol = 1,  // row number, display only
  kXCol = 2,
  kYCol = 3,
  kButtonCol = 4,  // "0" left, "1" right, anything else: move only
  kDelayCol = 5,   // milliseconds to wait before the row is performed
  kScriptColumns = 6,
};

inline constexpr const char* kStartMarker = "+";

class ScriptTable {
 public:
  explicit ScriptTable(TStringGrid& grid) : m_grid(grid) {}

  TStringGrid& Grid() { return m_grid; }
  // The last data row; the table always has at least row 1.
  int LastRow() const;
  // The script is empty exactly when the X cell of row 1 is empty.
  bool IsEmpty() const;

  // Appends a point ("N." in the number cell); row 1 of an empty script is reused.
  void Append(int x, int y, int button, std::int64_t delay);
  // Deletes a data row; the rows below move up and are renumbered without a dot. The
  // only data row is emptied instead.
  void DeleteRow(int row);
  void Clear();
  // Replaces the script by `rows` (numbered "N" without a dot, no start marker); no rows
  // leave one empty data row.
  void Load(std::span<const ScriptRow> rows);
  void SetAllDelays(std::int64_t delay);
  // Empties the marker cell of every data row and marks `row`.
  void PlaceStartMarker(int row);
  // The first data row carrying the start marker, or 0.
  int FindStartMarker() const;

  const std::string& Cell(ScriptColumn col, int row) const;
  void SetCell(ScriptColumn col, int row, const std::string& text);
  void EmptyRow(int row);

 private:
  TStringGrid& m_grid;
};

}  // namespace tappomat
