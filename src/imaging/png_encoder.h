#pragma once
// Writes bitmaps as PNG files through libpng: 8-bit RGBA with straight (not premultiplied)
// alpha, exactly the bytes of Bitmap32 reordered, no gamma, time or text chunks, so the
// same bitmap always gives the same file. Used by the skin art generator for the images
// that need per-pixel alpha (the form shadows).
#include <cstdint>
#include <vector>

#include "imaging/bitmap32.h"

namespace tappomat {

// The PNG file of the bitmap; empty for an empty bitmap (PNG has no 0-pixel images) or
// when libpng reports an error.
std::vector<std::uint8_t> EncodePng(const Bitmap32& bitmap);

}  // namespace tappomat
