#pragma once
// Writing a canvas into a skin image, in the two ways skin images carry transparency:
// - with an alpha row (mask type 1): the picture on top and, just below it, a grey row of
//   the same size whose level says how much of what lies underneath shows through
//   (0 none, 255 all), so edges stay smooth on any background;
// - colour-keyed (mask type 0): opaque pixels, with fuchsia where nothing was drawn; edge
//   pixels are blended here over the colour the image will be drawn on, so they carry no
//   fringe of another colour.
// Called by the art files for every image of the master bitmap and of the big button.
#include "canvas.h"
#include "imaging/bitmap32.h"

namespace tappomat::skin_art {

// Writes the canvas at (x, y) and its alpha row at (x, y + canvas height). Pixels that the
// `outline` does not touch at all become fuchsia (the parent's background is shown there);
// other pixels where nothing was drawn take `hole`, fully see-through.
void WriteWithAlphaRow(Bitmap32& target, int x, int y, const Canvas& canvas, const Shape& outline,
                       Rgb hole);

// Writes the canvas at (x, y) laid over `background`; pixels where nothing was drawn
// become fuchsia.
void WriteKeyed(Bitmap32& target, int x, int y, const Canvas& canvas, Rgb background);

// Writes the canvas at (x, y) laid over `background`, every pixel opaque.
void WriteOpaque(Bitmap32& target, int x, int y, const Canvas& canvas, Rgb background);

}  // namespace tappomat::skin_art
