#pragma once
// The classic look of a window scroll bar: raised arrow buttons with triangle glyphs
// (flat and moved by a pixel while pressed, grey when disabled), a checkered track of
// COLOR_BTNHIGHLIGHT and COLOR_SCROLLBAR (dark where a page area is held down) and a
// raised thumb. Called by the default WM_NCPAINT (nonclient.cpp) in window coordinates.
#include "gdi/device_context.h"
#include "win/scroll_bar.h"

namespace tappomat {

void PaintClassicScrollBar(DeviceContext& dc, const ScrollBarGeometry& geometry,
                           const ScrollBarState& state);

}  // namespace tappomat
