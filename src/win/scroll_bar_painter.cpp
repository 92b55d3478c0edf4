#include "win/scroll_bar_painter.h"

#include <algorithm>

#include "gdi/blit.h"
#include "gdi/draw_edge.h"
#include "gdi/primitives.h"
#include "gdi/system_colors.h"

namespace tappomat {
namespace {

enum class ArrowDirection { Up, Down, Left, Right };

// A filled triangle pointing in `direction`, centred in `box`: 4 rows (7, 5, 3, 1 pixels)
// in a 17-pixel button, fewer in smaller ones.
void DrawArrowGlyph(DeviceContext& dc, const Rect& box, ArrowDirection direction, ColorRef color) {
  const int side = std::min(box.Width(), box.Height());
  const int rows = std::clamp((side - 5) / 3, 1, 4);
  const bool vertical = direction == ArrowDirection::Up || direction == ArrowDirection::Down;
  const int centre = vertical ? box.left + box.Width() / 2 : box.top + box.Height() / 2;
  const int first = vertical ? box.top + (box.Height() - rows) / 2 : box.left + (box.Width() - rows) / 2;
  for (int i = 0; i < rows; ++i) {
    // Row i from the apex is 2i+1 pixels long.
    const bool apexFirst = direction == ArrowDirection::Up || direction == ArrowDirection::Left;
    const int line = first + (apexFirst ? i : rows - 1 - i);
    const Rect run = vertical ? Rect{centre - i, line, centre + i + 1, line + 1}
                              : Rect{line, centre - i, line + 1, centre + i + 1};
    FillRect(dc, run, color);
  }
}

void DrawArrowButton(DeviceContext& dc, const Rect& rect, ArrowDirection direction, bool pressed,
                     bool disabled) {
  if (rect.IsEmpty()) return;
  Rect face = rect;
  if (pressed) {
    DrawEdge(dc, face, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_FLAT);
  } else {
    DrawEdge(dc, face, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
  const Rect glyph = pressed ? rect.Offset(1, 1) : rect;
  if (disabled) {
    DrawArrowGlyph(dc, glyph.Offset(1, 1), direction, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawArrowGlyph(dc, glyph, direction, GetSysColor(COLOR_BTNSHADOW));
  } else {
    DrawArrowGlyph(dc, glyph, direction, GetSysColor(COLOR_BTNTEXT));
  }
}

// The track's checkerboard, anchored at the logical origin so that the pattern is the same
// whatever context the bar is drawn into (WM_PRINT or the screen).
void DrawTrack(DeviceContext& dc, const Rect& rect, bool pressed) {
  if (rect.IsEmpty()) return;
  if (pressed) {
    FillRect(dc, rect, GetSysColor(COLOR_3DDKSHADOW));
    return;
  }
  const Pixel light = PixelFromColor(GetSysColor(COLOR_BTNHIGHLIGHT));
  const Pixel track = PixelFromColor(GetSysColor(COLOR_SCROLLBAR));
  Bitmap32 pattern(rect.Width(), rect.Height());
  for (int y = 0; y < pattern.Height(); ++y) {
    Pixel* row = pattern.Row(y);
    for (int x = 0; x < pattern.Width(); ++x) row[x] = ((rect.left + x + rect.top + y) & 1) ? track : light;
  }
  BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), pattern, 0, 0, SRCCOPY);
}

}  // namespace

void PaintClassicScrollBar(DeviceContext& dc, const ScrollBarGeometry& g, const ScrollBarState& state) {
  const auto pressed = [&state](ScrollBarPart part) { return state.pressedPart == static_cast<int>(part); };
  const bool disabledAll = state.disabledArrows == ESB_DISABLE_BOTH;
  DrawArrowButton(dc, g.PartRect(ScrollBarPart::LineUp), g.vertical ? ArrowDirection::Up : ArrowDirection::Left,
                  pressed(ScrollBarPart::LineUp), (state.disabledArrows & ESB_DISABLE_LTUP) != 0);
  DrawArrowButton(dc, g.PartRect(ScrollBarPart::LineDown),
                  g.vertical ? ArrowDirection::Down : ArrowDirection::Right, pressed(ScrollBarPart::LineDown),
                  (state.disabledArrows & ESB_DISABLE_RTDN) != 0);
  DrawTrack(dc, g.PartRect(ScrollBarPart::PageUp), pressed(ScrollBarPart::PageUp) && !disabledAll);
  DrawTrack(dc, g.PartRect(ScrollBarPart::PageDown), pressed(ScrollBarPart::PageDown) && !disabledAll);
  Rect thumb = g.PartRect(ScrollBarPart::Thumb);
  if (!thumb.IsEmpty()) DrawEdge(dc, thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

}  // namespace tappomat
