#include "ui/string_grid.h"

#include <algorithm>
#include <stdexcept>

#include "gdi/draw_edge.h"
#include "gdi/primitives.h"
#include "platform/virtual_keys.h"
#include "ui/classic_look.h"
#include "win/paint.h"
#include "win/scroll_bar.h"
#include "win/styles.h"

namespace tappomat {

namespace {

void CheckIndex(int index, int count) {
  if (index < 0 || index >= count) throw std::out_of_range("Grid index out of range");
}

}  // namespace

TStringGrid::TStringGrid(TComponent* owner) : TCustomControl(owner) {
  // Click comes from MoveCurrent only, not from every press and release.
  m_controlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
  SetTabStop(true);
  SetColor(clWindow);
  m_colWidths.assign(5, m_defaultColWidth);
  m_rowHeights.assign(5, m_defaultRowHeight);
  ResizeCells();
  SetBounds(0, 0, 320, 120);
}

void TStringGrid::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style |= WS_VSCROLL | WS_HSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStringGrid::CreateHandle() {
  TCustomControl::CreateHandle();
  UpdateScrollBars();
}

// --- size of the table

void TStringGrid::ResizeCells() {
  m_cells.resize(m_rowHeights.size());
  for (auto& row : m_cells) row.resize(m_colWidths.size());
}

void TStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == ColCount()) return;
  m_colWidths.resize(count, m_defaultColWidth);
  m_fixedCols = std::min(m_fixedCols, count - 1);
  m_col = std::clamp(m_col, m_fixedCols, count - 1);
  ResizeCells();
  SizeChanged();
}

void TStringGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  if (count == RowCount()) return;
  m_rowHeights.resize(count, m_defaultRowHeight);
  m_fixedRows = std::min(m_fixedRows, count - 1);
  // The current row follows the shrinking table without a Click: the user chose nothing.
  m_row = std::clamp(m_row, m_fixedRows, count - 1);
  ResizeCells();
  SizeChanged();
}

void TStringGrid::SetFixedCols(int count) {
  count = std::clamp(count, 0, ColCount() - 1);
  if (count == m_fixedCols) return;
  // The current cell and the scrolling start over at the first scrolled cell, as
  // after creation.
  m_fixedCols = count;
  m_col = m_leftCol = count;
  SizeChanged();
}

void TStringGrid::SetFixedRows(int count) {
  count = std::clamp(count, 0, RowCount() - 1);
  if (count == m_fixedRows) return;
  m_fixedRows = count;
  m_row = m_topRow = count;
  SizeChanged();
}

void TStringGrid::SetDefaultColWidth(int width) {
  m_defaultColWidth = std::max(width, 0);
  std::fill(m_colWidths.begin(), m_colWidths.end(), m_defaultColWidth);
  SizeChanged();
}

void TStringGrid::SetDefaultRowHeight(int height) {
  m_defaultRowHeight = std::max(height, 0);
  std::fill(m_rowHeights.begin(), m_rowHeights.end(), m_defaultRowHeight);
  SizeChanged();
}

int TStringGrid::ColWidths(int col) const {
  CheckIndex(col, ColCount());
  return m_colWidths[col];
}

void TStringGrid::SetColWidths(int col, int width) {
  CheckIndex(col, ColCount());
  m_colWidths[col] = std::max(width, 0);
  SizeChanged();
}

int TStringGrid::RowHeights(int row) const {
  CheckIndex(row, RowCount());
  return m_rowHeights[row];
}

void TStringGrid::SetRowHeights(int row, int height) {
  CheckIndex(row, RowCount());
  m_rowHeights[row] = std::max(height, 0);
  SizeChanged();
}

void TStringGrid::SizeChanged() {
  m_topRow = std::clamp(m_topRow, m_fixedRows, MaxFirst(Vertical()));
  m_leftCol = std::clamp(m_leftCol, m_fixedCols, MaxFirst(Horizontal()));
  UpdateScrollBars();
  Invalidate();
}

// --- contents

const std::string& TStringGrid::Cells(int col, int row) const {
  CheckIndex(col, ColCount());
  CheckIndex(row, RowCount());
  return m_cells[row][col];
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  CheckIndex(col, ColCount());
  CheckIndex(row, RowCount());
  if (m_cells[row][col] == text) return;
  m_cells[row][col] = text;
  const Rect r = CellRect(col, row);
  if (!r.IsEmpty() && HandleAllocated()) InvalidateRect(m_handle, r, false);
}

void TStringGrid::SetOptions(TGridOptions options) {
  if (options == m_options) return;
  m_options = options;
  if (m_options & goRowSelect) m_col = m_fixedCols;
  SizeChanged();
}

void TStringGrid::SetFixedColor(TColor color) {
  if (color == m_fixedColor) return;
  m_fixedColor = color;
  Invalidate();
}

// --- geometry

int TStringGrid::LineWidth() const {
  return (m_options & (goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine)) ? 1 : 0;
}

TStringGrid::Axis TStringGrid::Horizontal() const {
  return {&m_colWidths, m_fixedCols, m_leftCol, ClientWidth()};
}

TStringGrid::Axis TStringGrid::Vertical() const {
  return {&m_rowHeights, m_fixedRows, m_topRow, ClientHeight()};
}

int TStringGrid::CellStart(const Axis& axis, int index) const {
  const auto& sizes = *axis.sizes;
  const int lw = LineWidth();
  int pos = 0;
  for (int i = 0; i < axis.fixed; ++i) {
    if (i == index) return pos;
    pos += sizes[i] + lw;
  }
  if (index < axis.first) return -1;
  for (int i = axis.first; i < index && pos < axis.extent; ++i) pos += sizes[i] + lw;
  return pos < axis.extent ? pos : -1;
}

int TStringGrid::CellAt(const Axis& axis, int offset) const {
  if (offset < 0 || offset >= axis.extent) return -1;
  const auto& sizes = *axis.sizes;
  const int count = static_cast<int>(sizes.size());
  const int lw = LineWidth();
  int pos = 0;
  auto hit = [&](int i) {
    pos += sizes[i] + lw;
    return offset < pos;
  };
  for (int i = 0; i < axis.fixed; ++i)
    if (hit(i)) return i;
  for (int i = axis.first; i < count; ++i)
    if (hit(i)) return i;
  return -1;
}

int TStringGrid::VisibleCount(const Axis& axis) const {
  const auto& sizes = *axis.sizes;
  const int count = static_cast<int>(sizes.size());
  const int lw = LineWidth();
  int pos = 0;
  for (int i = 0; i < axis.fixed; ++i) pos += sizes[i] + lw;
  int n = 0;
  for (int i = axis.first; i < count && pos + sizes[i] <= axis.extent; ++i, ++n)
    pos += sizes[i] + lw;
  return std::max(n, 1);
}

int TStringGrid::MaxFirst(const Axis& axis) const {
  const auto& sizes = *axis.sizes;
  const int count = static_cast<int>(sizes.size());
  const int lw = LineWidth();
  int room = axis.extent;
  for (int i = 0; i < axis.fixed; ++i) room -= sizes[i] + lw;
  // The smallest first cell from which everything up to the last fits.
  int first = count;
  while (first > axis.fixed && room >= sizes[first - 1]) {
    room -= sizes[first - 1] + lw;
    --first;
  }
  return std::clamp(first == count ? count - 1 : first, axis.fixed, std::max(axis.fixed, count - 1));
}

int TStringGrid::VisibleRowCount() const { return VisibleCount(Vertical()); }
int TStringGrid::VisibleColCount() const { return VisibleCount(Horizontal()); }

Rect TStringGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
  const int x = CellStart(Horizontal(), col);
  const int y = CellStart(Vertical(), row);
  if (x < 0 || y < 0) return {};
  return {x, y, x + m_colWidths[col], y + m_rowHeights[row]};
}

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
  col = CellAt(Horizontal(), x);
  row = CellAt(Vertical(), y);
  if (col < 0 || row < 0) col = row = -1;
}

// --- the current cell

void TStringGrid::SetRow(int row) {
  CheckIndex(row, RowCount());
  if (row != m_row) MoveCurrent(m_col, row);
}

void TStringGrid::SetCol(int col) {
  CheckIndex(col, ColCount());
  if (col != m_col) MoveCurrent(col, m_row);
}

void TStringGrid::MoveCurrent(int col, int row) {
  if (m_options & goRowSelect) col = m_fixedCols;
  bool canSelect = true;
  if (OnSelectCell) GuardedCall([&] { OnSelectCell(this, col, row, canSelect); });
  if (!canSelect) return;
  m_col = col;
  m_row = row;
  ClampInView();
  Invalidate();
  Click();
}

void TStringGrid::ClampInView() {
  if (m_row >= m_fixedRows) {
    if (m_row < m_topRow) m_topRow = m_row;
    while (m_topRow < m_row && m_row >= m_topRow + VisibleRowCount()) ++m_topRow;
  }
  if (!(m_options & goRowSelect) && m_col >= m_fixedCols) {
    if (m_col < m_leftCol) m_leftCol = m_col;
    while (m_leftCol < m_col && m_col >= m_leftCol + VisibleColCount()) ++m_leftCol;
  }
  UpdateScrollBars();
}

void TStringGrid::SetTopRow(int row) {
  row = std::clamp(row, m_fixedRows, MaxFirst(Vertical()));
  if (row == m_topRow) return;
  m_topRow = row;
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::SetLeftCol(int col) {
  col = std::clamp(col, m_fixedCols, MaxFirst(Horizontal()));
  if (col == m_leftCol) return;
  m_leftCol = col;
  UpdateScrollBars();
  Invalidate();
}

// --- scroll bars

void TStringGrid::UpdateScrollBars() {
  if (!HandleAllocated() || m_updatingScrollBars) return;
  m_updatingScrollBars = true;
  // Each bar takes room from the other direction, so the first is looked at again.
  UpdateScrollBar(SB_VERT);
  UpdateScrollBar(SB_HORZ);
  UpdateScrollBar(SB_VERT);
  m_updatingScrollBars = false;
}

void TStringGrid::UpdateScrollBar(int bar) {
  const bool vertical = bar == SB_VERT;
  const Axis axis = vertical ? Vertical() : Horizontal();
  const int count = static_cast<int>(axis.sizes->size());
  const int maxFirst = MaxFirst(axis);
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = axis.fixed;
  info.nMax = std::max(axis.fixed, count - 1);
  info.nPage = static_cast<UINT>(std::max(1, count - maxFirst));
  info.nPos = axis.first;
  SetScrollInfo(m_handle, bar, info, true);
  // A new window starts with both bars shown; the rule above hides one only on a change.
  const std::uint32_t styleBit = vertical ? WS_VSCROLL : WS_HSCROLL;
  if (maxFirst <= axis.fixed && (GetWindowStyle(m_handle) & styleBit))
    ShowScrollBar(m_handle, bar, false);
  // The bar may have changed the client size: keep the first cell in range.
  if (vertical)
    m_topRow = std::clamp(m_topRow, m_fixedRows, MaxFirst(Vertical()));
  else
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, MaxFirst(Horizontal()));
}

void TStringGrid::HandleScroll(int bar, WPARAM wParam) {
  const bool vertical = bar == SB_VERT;
  const int first = vertical ? m_topRow : m_leftCol;
  const int page = vertical ? VisibleRowCount() : VisibleColCount();
  auto scrollTo = [&](int value) { vertical ? SetTopRow(value) : SetLeftCol(value); };
  switch (LOWORD(wParam)) {
    case SB_LINEUP: scrollTo(first - 1); break;
    case SB_LINEDOWN: scrollTo(first + 1); break;
    case SB_PAGEUP: scrollTo(first - page); break;
    case SB_PAGEDOWN: scrollTo(first + page); break;
    case SB_TOP: scrollTo(0); break;
    case SB_BOTTOM: scrollTo(vertical ? RowCount() : ColCount()); break;
    case SB_THUMBTRACK:
      if (!(m_options & goThumbTracking)) break;
      [[fallthrough]];
    case SB_THUMBPOSITION: {
      // The message carries 16 bits: a position beyond them arrives as 65535, and the
      // bar's state has the whole of it.
      SCROLLINFO info;
      info.fMask = SIF_TRACKPOS;
      const bool clipped = HIWORD(wParam) == 0xFFFF && GetScrollInfo(m_handle, bar, info);
      scrollTo(clipped ? info.nTrackPos : HIWORD(wParam));
      break;
    }
    default: break;
  }
}

// --- input

void TStringGrid::HandleMouseDown(Point p, bool dragging) {
  int col, row;
  MouseToCell(p.x, p.y, col, row);
  if (col < m_fixedCols || row < m_fixedRows) return;  // outside, or a fixed cell
  if (m_options & goRowSelect) col = m_fixedCols;
  // Dragging selects the cells it passes; only a press re-selects the current one.
  if (dragging && col == m_col && row == m_row) return;
  MoveCurrent(col, row);
}

void TStringGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (CanFocus() && !Focused()) SetFocus();
      m_tracking = true;
      HandleMouseDown(PointFromLParam(m.LParam), false);
      if (m.Msg == WM_LBUTTONDBLCLK) DblClick();
      break;
    case WM_MOUSEMOVE:
      if (m_tracking && (m.WParam & MK_LBUTTON)) HandleMouseDown(PointFromLParam(m.LParam), true);
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      m_tracking = false;
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      HandleScroll(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, m.WParam);
      m.Result = 0;
      return;
    case WM_MOUSEWHEEL: {
      m_wheelRemainder += static_cast<std::int16_t>(HIWORD(m.WParam));
      const int notches = m_wheelRemainder / WHEEL_DELTA;
      m_wheelRemainder -= notches * WHEEL_DELTA;
      const int target = std::clamp(m_row - notches, m_fixedRows, RowCount() - 1);
      if (notches != 0 && target != m_row && m_row >= m_fixedRows) MoveCurrent(m_col, target);
      m.Result = 0;
      return;
    }
    case WM_SIZE:
      TCustomControl::WndProc(m);
      SizeChanged();
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default: break;
  }
  TCustomControl::WndProc(m);
}

void TStringGrid::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      return;
    case WM_KEYDOWN:
      if (HandleNavigationKey(static_cast<WORD>(m.WParam), KeyboardShiftState())) {
        m.Result = 0;
        return;
      }
      break;
    default: break;
  }
  TCustomControl::DefaultHandler(m);
}

bool TStringGrid::HandleNavigationKey(WORD key, TShiftState shift) {
  const bool rowSelect = m_options & goRowSelect;
  const bool ctrl = shift & ssCtrl;
  int col = m_col, row = m_row;
  switch (key) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_PRIOR: row -= VisibleRowCount(); break;
    case VK_NEXT: row += VisibleRowCount(); break;
    case VK_HOME:
      if (rowSelect || ctrl) row = m_fixedRows;
      if (!rowSelect) col = m_fixedCols;
      break;
    case VK_END:
      if (rowSelect || ctrl) row = RowCount() - 1;
      if (!rowSelect) col = ColCount() - 1;
      break;
    case VK_LEFT:
      if (rowSelect) SetLeftCol(m_leftCol - 1); else --col;
      break;
    case VK_RIGHT:
      if (rowSelect) SetLeftCol(m_leftCol + 1); else ++col;
      break;
    default: return false;
  }
  if (RowCount() <= m_fixedRows || ColCount() <= m_fixedCols) return true;
  row = std::clamp(row, m_fixedRows, RowCount() - 1);
  col = std::clamp(col, m_fixedCols, ColCount() - 1);
  if (row != m_row || col != m_col) MoveCurrent(col, row);
  return true;
}

// --- painting

TGridDrawState TStringGrid::CellState(int col, int row) const {
  if (col < m_fixedCols || row < m_fixedRows) return gdFixed;
  TGridDrawState state = 0;
  const bool current = (m_options & goRowSelect) ? row == m_row : (row == m_row && col == m_col);
  if (current) state |= gdSelected;
  if (row == m_row && col == m_col && Focused()) state |= gdFocused;
  return state;
}

void TStringGrid::Paint() {
  DeviceContext& dc = *Canvas()->Handle();
  const Rect client = ClientRect();
  FillRect(dc, client, ColorToRGB(Color()));
  const int lw = LineWidth();
  auto visible = [this](const Axis& axis) {
    const int count = static_cast<int>(axis.sizes->size());
    std::vector<int> cells;
    for (int i = 0; i < std::min(axis.fixed, count); ++i) cells.push_back(i);
    for (int i = axis.first; i < count && CellStart(axis, i) >= 0; ++i) cells.push_back(i);
    return cells;
  };
  const std::vector<int> rows = visible(Vertical());
  const std::vector<int> cols = visible(Horizontal());
  for (int row : rows) {
    for (int col : cols) {
      const Rect rect = CellRect(col, row);
      if (!dc.RectVisible({rect.left, rect.top, rect.right + lw, rect.bottom + lw})) continue;
      DrawCell(col, row, rect, CellState(col, row));
    }
  }
  // A selected row has one focus rectangle round its scrolled cells.
  if ((m_options & goRowSelect) && Focused() && m_row >= m_fixedRows && !cols.empty()) {
    const Rect first = CellRect(std::max(m_leftCol, m_fixedCols), m_row);
    const Rect last = CellRect(cols.back(), m_row);
    if (!first.IsEmpty() && !last.IsEmpty())
      DrawFocusRect(dc, {first.left, first.top, std::min(last.right, client.right), first.bottom});
  }
}

void TStringGrid::DrawCell(int col, int row, const Rect& rect, TGridDrawState state) {
  DeviceContext& dc = *Canvas()->Handle();
  const bool fixed = state & gdFixed;
  const bool highlighted = (state & gdSelected) &&
      (!(state & gdFocused) || (m_options & (goDrawFocusSelected | goRowSelect)));
  const TColor background = fixed ? m_fixedColor : highlighted ? clHighlight : Color();
  if (m_defaultDrawing) {
    const int lw = LineWidth();
    const unsigned lines = fixed ? (goFixedVertLine | goFixedHorzLine) : (goVertLine | goHorzLine);
    GridCellLook look;
    look.text = m_cells[row][col];
    look.kind = fixed ? GridCellKind::Fixed : GridCellKind::Normal;
    look.selected = highlighted;
    look.focused = (state & gdFocused) && !(m_options & goRowSelect);
    look.gridLines = lw > 0 && (m_options & lines);
    look.font = Font().ToLogicalFont();
    DrawGridCell(dc, {rect.left, rect.top, rect.right + lw, rect.bottom + lw}, look);
    // The classic look knows the system colours only; a grid with colours of its own
    // repaints the face in them.
    const TColor standard = fixed ? clBtnFace : highlighted ? clHighlight : clWindow;
    if (background != standard) {
      DeviceContext::Saver saver(dc);
      FillRect(dc, rect, ColorToRGB(background));
      Rect edge = rect;
      if (fixed) DrawEdge(dc, edge, BDR_RAISEDINNER, BF_RECT);
      dc.IntersectClipRect(rect);
      Canvas()->Font().Assign(Font());
      Canvas()->Brush().Style = TBrushStyle::bsClear;
      Canvas()->TextOut(rect.left + 2, rect.top + 2, m_cells[row][col]);
    }
  }
  if (!OnDrawCell) return;
  TCanvas& canvas = *Canvas();
  canvas.Brush().Style = TBrushStyle::bsSolid;
  canvas.Brush().Color = background;
  canvas.Font().Assign(Font());
  if (highlighted) canvas.Font().SetColor(clHighlightText);
  GuardedCall([&] { OnDrawCell(this, col, row, rect, state); });
}

}  // namespace tappomat
