#include "gdi/draw_edge.h"

#include <array>

#include "gdi/primitives.h"
#include "gdi/system_colors.h"

namespace tappomat {
namespace {

// One 1-pixel layer of an edge, as system colour indices.
struct Layer {
  int topLeft;
  int bottomRight;
};

// Push buttons put the brighter of each pair outermost at the top-left.
int SoftTopLeft(int index) {
  switch (index) {
    case COLOR_3DLIGHT:
      return COLOR_BTNHIGHLIGHT;
    case COLOR_BTNHIGHLIGHT:
      return COLOR_3DLIGHT;
    case COLOR_BTNSHADOW:
      return COLOR_3DDKSHADOW;
    case COLOR_3DDKSHADOW:
      return COLOR_BTNSHADOW;
    default:
      return index;
  }
}

void DrawLayer(DeviceContext& dc, const Rect& r, const Layer& layer, unsigned flags) {
  const ColorRef topLeft = GetSysColor(layer.topLeft);
  const ColorRef bottomRight = GetSysColor(layer.bottomRight);
  if (flags & BF_TOP) FillRect(dc, {r.left, r.top, r.right, r.top + 1}, topLeft);
  if (flags & BF_LEFT) FillRect(dc, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
  if (flags & BF_BOTTOM) FillRect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  if (flags & BF_RIGHT) FillRect(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

}  // namespace

bool DrawEdge(DeviceContext& dc, Rect& rect, unsigned edge, unsigned flags) {
  if (flags & BF_DIAGONAL) return false;

  const unsigned outerBits = edge & BDR_OUTER;
  const unsigned innerBits = edge & BDR_INNER;
  const bool hasOuter = outerBits == BDR_RAISEDOUTER || outerBits == BDR_SUNKENOUTER;
  const bool hasInner = innerBits == BDR_RAISEDINNER || innerBits == BDR_SUNKENINNER;
  Layer outer = outerBits == BDR_RAISEDOUTER ? Layer{COLOR_3DLIGHT, COLOR_3DDKSHADOW}
                                             : Layer{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  Layer inner = innerBits == BDR_RAISEDINNER ? Layer{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}
                                             : Layer{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
  if (flags & BF_MONO) {
    outer = {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
    inner = {COLOR_WINDOW, COLOR_WINDOW};
  } else if (flags & BF_FLAT) {
    outer = {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
    inner = {COLOR_BTNFACE, COLOR_BTNFACE};
  } else if (flags & BF_SOFT) {
    outer.topLeft = SoftTopLeft(outer.topLeft);
    inner.topLeft = SoftTopLeft(inner.topLeft);
  }

  // A lone layer takes the outermost line.
  std::array<Layer, 2> layers{};
  int count = 0;
  if (hasOuter) layers[count++] = outer;
  if (hasInner) layers[count++] = inner;

  Rect r = rect;
  for (int i = 0; i < count; ++i) {
    DrawLayer(dc, r, layers[i], flags);
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
  }
  if (flags & BF_MIDDLE)
    FillRect(dc, r, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
  if (flags & BF_ADJUST) rect = r;
  return true;
}

}  // namespace tappomat
