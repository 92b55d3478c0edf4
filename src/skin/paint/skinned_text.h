#pragma once
// Captions drawn on a skin: in the colours of a SkinnedTextLook, with the contour passes
// and glow it asks for, or plainly with the sunken look of disabled text. Every skinned
// control draws its caption through it; caption_look.h says which look a control's
// caption takes.
#include <array>
#include <cstdint>
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "imaging/color.h"

namespace tappomat {

// The colours of one caption: the contour passes (left, top, right, bottom; -1 none) and
// the text itself; `sunken` draws a disabled caption twice (highlight below, shadow on top).
struct SkinnedTextLook {
  std::array<std::int32_t, 4> contour{-1, -1, -1, -1};
  ColorRef text = 0;
  bool sunken = false;
  bool underline = false;
  // A soft halo of this many pixels in `glowColor` drawn behind the text; 0: none.
  int glowSize = 0;
  ColorRef glowColor = 0;
};

// Draws `text` in `rect` (DrawText flags in `format`), clipped to the rectangle, on a
// transparent background. A glow is drawn first, under the text and up to its size beyond
// the rectangle (as far as the device context's clip allows).
void DrawSkinnedText(DeviceContext& dc, LogicalFont font, std::string_view text, const Rect& rect,
                     unsigned format, const SkinnedTextLook& look);

}  // namespace tappomat
