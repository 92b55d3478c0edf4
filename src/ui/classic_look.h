#pragma once
// The classic look: how the standard controls paint themselves when no skin is active —
// flat grey faces with 3D bevels, in the system colours of gdi/system_colors.h.
// Free functions that draw into a DeviceContext at a rectangle from a small look struct;
// the controls of ui/ call them from their paint handlers, the skin engine falls back to
// them. They depend on gdi/ and imaging/ only.
//
// This header holds the shared pieces (embossed text, dithered fill, the check mark) and
// the simple controls: edit frame, combo-box button, list item, grid cell, panel, group
// frame. Buttons, check boxes, menus and message-box icons have their own headers
// (classic_button_look.h, classic_check_look.h, classic_menu_look.h, classic_icons.h).
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tappomat {

// ---- Shared pieces --------------------------------------------------------------------

// DrawText with the classic disabled look, embossed: the text in COLOR_BTNHIGHLIGHT one
// pixel down and right, then in COLOR_BTNSHADOW in place. Uses the context's font; leaves
// the context's colours and mode as they were.
void DrawEmbossedText(DeviceContext& dc, std::string_view text, const Rect& rect, unsigned format);

// Fills the rectangle with a checkerboard of two colours, anchored at the bitmap's corner
// so that neighbouring fills line up — the 50% pattern brush of latched buttons and
// grayed check boxes.
void FillDithered(DeviceContext& dc, const Rect& rect, ColorRef first, ColorRef second);

// The classic 7x7 check mark (three-pixel-thick tick) with its top-left corner at `at`.
void DrawCheckMark(DeviceContext& dc, Point at, ColorRef color);

// Horizontal placement of a caption (TAlignment).
enum class TextAlignment { Left, Center, Right };

// ---- Edit box -------------------------------------------------------------------------

struct EditFrameLook {
  bool enabled = true;
  // A read-only edit keeps COLOR_WINDOW: the program's edits paint their own colour and
  // do not turn grey when read-only.
  bool readOnly = false;
};

// The 2-pixel sunken client edge (WS_EX_CLIENTEDGE) and the background inside it
// (COLOR_WINDOW, COLOR_BTNFACE when disabled). Returns the rectangle inside the edge.
Rect DrawEditFrame(DeviceContext& dc, const Rect& rect, const EditFrameLook& look);

// ---- Combo box button -----------------------------------------------------------------

struct ComboButtonLook {
  bool pressed = false;
  bool enabled = true;
};

// The drop-down button of a combo box: a raised button edge (flat shadow frame while
// pressed) with a 7x4 black triangle in the middle, moved one pixel down and right while
// pressed, embossed grey when disabled.
void DrawComboArrowButton(DeviceContext& dc, const Rect& rect, const ComboButtonLook& look);

// ---- List box item --------------------------------------------------------------------

struct ListItemLook {
  std::string_view text;
  bool selected = false;
  bool focused = false;  // the item with the caret: a dotted focus rectangle
  bool enabled = true;
  LogicalFont font;
};

// One owner-drawn list-box (or combo drop-down) line: the background, the text two pixels
// in, vertically centred, and the focus rectangle over the whole item.
void DrawListItem(DeviceContext& dc, const Rect& rect, const ListItemLook& look);

// ---- String grid cell -----------------------------------------------------------------

enum class GridCellKind { Fixed, Normal };

struct GridCellLook {
  std::string_view text;
  GridCellKind kind = GridCellKind::Normal;
  bool selected = false;
  bool focused = false;
  // Draw the grid lines on the cell's right and bottom edges (goVertLine and
  // goHorzLine, or their goFixed* counterparts): black beside fixed cells, clSilver
  // between normal ones.
  bool gridLines = true;
  LogicalFont font;
};

// A cell of TStringGrid: `rect` includes the grid lines; fixed cells
// are COLOR_BTNFACE with a raised one-pixel edge, normal cells COLOR_WINDOW (or the
// highlight when selected); the text starts at (left + 2, top + 2), clipped to the cell,
// without prefix processing; a focus rectangle around a focused cell.
void DrawGridCell(DeviceContext& dc, const Rect& rect, const GridCellLook& look);

// The colours between cells: black next to fixed cells, clSilver between normal ones.
constexpr ColorRef kGridFixedLineColor = RGB(0, 0, 0);
constexpr ColorRef kGridLineColor = RGB(192, 192, 192);

// ---- Panel ----------------------------------------------------------------------------

enum class PanelBevel { None, Lowered, Raised };

struct PanelLook {
  PanelBevel bevelOuter = PanelBevel::Raised;
  PanelBevel bevelInner = PanelBevel::None;
  int bevelWidth = 1;
  int borderWidth = 0;
  ColorRef color = RGB(212, 208, 200);  // the panel's Color, resolved
  ColorRef textColor = RGB(0, 0, 0);
  std::string_view caption;
  TextAlignment alignment = TextAlignment::Center;
  LogicalFont font;
};

// TPanel: outer bevel, border in the panel colour, inner bevel, the face, and the
// caption (with "&" underlines) centred vertically. Returns the rectangle inside the
// bevels and border.
Rect DrawPanel(DeviceContext& dc, const Rect& rect, const PanelLook& look);

// Frame3D: `width` rings of one-pixel lines, `topLeft` on the top and left sides,
// `bottomRight` on the bottom and right (which also take the top-right and bottom-left
// corner pixels). Shrinks `rect` by `width`.
void Frame3D(DeviceContext& dc, Rect& rect, ColorRef topLeft, ColorRef bottomRight, int width);

// ---- Group box ------------------------------------------------------------------------

struct GroupFrameLook {
  std::string_view caption;
  bool enabled = true;
  LogicalFont font;
};

// A group box: an etched frame whose top line runs through the middle of the caption, the
// caption eight pixels in on the face colour.
void DrawGroupFrame(DeviceContext& dc, const Rect& rect, const GroupFrameLook& look);

}  // namespace tappomat
