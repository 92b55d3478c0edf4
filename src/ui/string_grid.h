#pragma once
// TStringGrid: a table of strings with fixed (heading) rows and columns, a current cell
// and the window system's scroll bars, which show only while the cells do not fit. It
// owns the cell texts, the column widths and row heights, the current cell (Col, Row) and
// the first scrolled row and column (TopRow, LeftCol). The program's forms create it and
// fill it; the user moves the current cell with the mouse, the keyboard and the wheel.
// Cells cannot be typed into.
//
// Rules the program relies on:
//  - OnClick fires whenever the current cell is set by the mouse (even to the cell it
//    already was), by the keyboard (when it moves), by the wheel or by the program
//    (SetRow/SetCol to another cell) — MoveCurrent calls Click each time. It
//    does not fire when the current row moves only because RowCount shrank below it.
//  - A click on a fixed cell selects nothing; a right click does not move the current
//    cell (the program selects on right click itself when it wants to).
//  - Each cell is painted in the standard way first (DrawGridCell: fixed cells FixedColor
//    with raised edges, selected cells the highlight, the others Color, the text 2 pixels
//    in), then OnDrawCell is called with the canvas brush and font set for the cell's
//    state, so a handler may paint over the cell or add to it.
//  - With goRowSelect the current column stays at FixedCols, the whole row is selected,
//    and Home/End go to the first/last row.
//  - The wheel moves the current row by one per notch.
//
// Not implemented: the in-place editor, range selection, sizing and moving rows and
// columns with the mouse, and Cols/Rows as string lists.
#include <functional>
#include <string>
#include <vector>

#include "ui/graphic_control.h"

namespace tappomat {

enum TGridOptionBits : unsigned {
  goFixedVertLine = 0x1,
  goFixedHorzLine = 0x2,
  goVertLine = 0x4,
  goHorzLine = 0x8,
  goRangeSelect = 0x10,
  goDrawFocusSelected = 0x20,
  goRowSizing = 0x40,
  goColSizing = 0x80,
  goRowMoving = 0x100,
  goColMoving = 0x200,
  goEditing = 0x400,
  goTabs = 0x800,
  goRowSelect = 0x1000,
  goAlwaysShowEditor = 0x2000,
  goThumbTracking = 0x4000,
};
using TGridOptions = unsigned;

enum TGridDrawStateBits : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

using TDrawCellEvent = std::function<void(TComponent* Sender, int ACol, int ARow,
                                          const Rect& Rect, TGridDrawState State)>;
using TSelectCellEvent =
    std::function<void(TComponent* Sender, int ACol, int ARow, bool& CanSelect)>;

class TStringGrid : public TCustomControl {
 public:
  explicit TStringGrid(TComponent* owner);
  std::string ClassName() const override { return "TStringGrid"; }

  // --- size of the table
  int ColCount() const { return static_cast<int>(m_colWidths.size()); }
  void SetColCount(int count);
  int RowCount() const { return static_cast<int>(m_rowHeights.size()); }
  void SetRowCount(int count);
  int FixedCols() const { return m_fixedCols; }
  void SetFixedCols(int count);
  int FixedRows() const { return m_fixedRows; }
  void SetFixedRows(int count);

  int DefaultColWidth() const { return m_defaultColWidth; }
  void SetDefaultColWidth(int width);  // resets every column to it
  int DefaultRowHeight() const { return m_defaultRowHeight; }
  void SetDefaultRowHeight(int height);  // resets every row to it
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);

  // --- contents (an index outside the table throws std::out_of_range)
  const std::string& Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);

  // --- the current cell and scrolling
  int Col() const { return m_col; }
  void SetCol(int col);
  int Row() const { return m_row; }
  void SetRow(int row);
  int TopRow() const { return m_topRow; }
  void SetTopRow(int row);
  int LeftCol() const { return m_leftCol; }
  void SetLeftCol(int col);
  // Scrolled rows (columns) that fit wholly below (beside) the fixed ones, at least 1.
  int VisibleRowCount() const;
  int VisibleColCount() const;

  TGridOptions Options() const { return m_options; }
  void SetOptions(TGridOptions options);
  TColor FixedColor() const { return m_fixedColor; }
  void SetFixedColor(TColor color);
  bool DefaultDrawing() const { return m_defaultDrawing; }
  void SetDefaultDrawing(bool on) { m_defaultDrawing = on; }

  // The cell under a client point; col and row are -1 where the point is outside cells.
  void MouseToCell(int x, int y, int& col, int& row) const;
  // The client rectangle of a visible cell without its grid lines; empty when the cell is
  // scrolled out of view.
  Rect CellRect(int col, int row) const;

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void Paint() override;
  // Paints one cell: the standard look, then OnDrawCell.
  virtual void DrawCell(int col, int row, const Rect& rect, TGridDrawState state);

 private:
  // One axis of the table: where its cells lie (columns along x, rows along y).
  struct Axis {
    const std::vector<int>* sizes;
    int fixed;
    int first;   // the first scrolled cell shown
    int extent;  // the client width or height
  };
  Axis Horizontal() const;
  Axis Vertical() const;
  int LineWidth() const;
  // Start offset of a cell along its axis; -1 when it is scrolled out of view.
  int CellStart(const Axis& axis, int index) const;
  int CellAt(const Axis& axis, int offset) const;
  int VisibleCount(const Axis& axis) const;
  int MaxFirst(const Axis& axis) const;

  // Makes (col, row) the current cell when OnSelectCell allows, scrolls it into view and
  // fires OnClick.
  void MoveCurrent(int col, int row);
  void ClampInView();
  void ResizeCells();
  void SizeChanged();
  void UpdateScrollBars();
  void UpdateScrollBar(int bar);
  void HandleScroll(int bar, WPARAM wParam);
  void HandleMouseDown(Point p, bool dragging);
  bool HandleNavigationKey(WORD key, TShiftState shift);
  TGridDrawState CellState(int col, int row) const;

  std::vector<int> m_colWidths;
  std::vector<int> m_rowHeights;
  std::vector<std::vector<std::string>> m_cells;  // [row][col]
  int m_fixedCols = 1;
  int m_fixedRows = 1;
  int m_defaultColWidth = 64;
  int m_defaultRowHeight = 24;
  int m_col = 1;
  int m_row = 1;
  int m_topRow = 1;
  int m_leftCol = 1;
  TGridOptions m_options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  TColor m_fixedColor = clBtnFace;
  bool m_defaultDrawing = true;
  bool m_tracking = false;
  bool m_updatingScrollBars = false;
  int m_wheelRemainder = 0;
};

}  // namespace tappomat
