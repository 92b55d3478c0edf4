#pragma once
// Writes all frames of one master-bitmap slot (master_layout.h): each frame is drawn on
// its own canvas by the caller's function (given the frame number: 0 normal, 1 under the
// pointer, 2 pressed, or whatever the slot's frames mean) and written side by side, with
// alpha rows or colour-keyed (emit.h).
#include <functional>

#include "canvas.h"
#include "imaging/bitmap32.h"
#include "master_layout.h"

namespace tappomat::skin_art {

using FrameArt = std::function<Canvas(int frame)>;

// A shape that covers nothing: every undrawn pixel of an image becomes fuchsia.
Shape Nothing();

void WriteFramesWithAlphaRow(Bitmap32& target, const Slot& slot, const FrameArt& art,
                             const Shape& outline, Rgb hole);
void WriteFramesKeyed(Bitmap32& target, const Slot& slot, const FrameArt& art, Rgb background);
void WriteFramesOpaque(Bitmap32& target, const Slot& slot, const FrameArt& art, Rgb background);

}  // namespace tappomat::skin_art
