#pragma once
// DrawEdge: the 3D borders of the classic look (raised buttons, sunken edit boxes,
// etched group frames), drawn in the system colours. Called by the window system's default
// painters and the standard controls.
#include "gdi/device_context.h"
#include "imaging/geometry.h"

namespace tappomat {

enum EdgeBorder : unsigned {
  BDR_RAISEDOUTER = 0x0001,
  BDR_SUNKENOUTER = 0x0002,
  BDR_RAISEDINNER = 0x0004,
  BDR_SUNKENINNER = 0x0008,
  BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER,
  BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
  EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
  EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
  EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum BorderFlags : unsigned {
  BF_LEFT = 0x0001,
  BF_TOP = 0x0002,
  BF_RIGHT = 0x0004,
  BF_BOTTOM = 0x0008,
  BF_TOPLEFT = BF_TOP | BF_LEFT,
  BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
  BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
  BF_DIAGONAL = 0x0010,
  BF_MIDDLE = 0x0800,  // fill the inside with the button face
  BF_SOFT = 0x1000,    // the brighter colour outermost at the top-left, as push buttons
  BF_ADJUST = 0x2000,  // shrink `rect` to the inside
  BF_FLAT = 0x4000,
  BF_MONO = 0x8000,
};

// Draws `edge` (BDR_* bits) along the sides of `rect` (logical) named by `flags`.
//
// Each of the outer and inner layers is a 1-pixel line per side; the top and left lines
// are drawn first and the bottom and right lines over them, so the top-right and
// bottom-left corner pixels take the bottom/right colour. A single layer is drawn in the
// outermost line. Colours (top-left / bottom-right):
//   raised outer  COLOR_3DLIGHT / COLOR_3DDKSHADOW    sunken outer  COLOR_BTNSHADOW /
//   COLOR_BTNHIGHLIGHT raised inner  COLOR_BTNHIGHLIGHT / COLOR_BTNSHADOW    sunken inner
//   COLOR_3DDKSHADOW / COLOR_3DLIGHT
// BF_SOFT exchanges COLOR_3DLIGHT with COLOR_BTNHIGHLIGHT and COLOR_BTNSHADOW with
// COLOR_3DDKSHADOW on the top-left. BF_FLAT draws the outer layer in COLOR_BTNSHADOW and
// the inner in COLOR_BTNFACE on all sides; BF_MONO (which wins over BF_FLAT) draws them in
// COLOR_WINDOWFRAME and COLOR_WINDOW. A layer with both its raised and sunken bits set is
// not drawn. BF_MIDDLE fills the inside with COLOR_BTNFACE (COLOR_WINDOW with BF_MONO).
//
// Diagonal edges are not drawn: with BF_DIAGONAL the call draws nothing and returns false.
bool DrawEdge(DeviceContext& dc, Rect& rect, unsigned edge, unsigned flags);

}  // namespace tappomat
