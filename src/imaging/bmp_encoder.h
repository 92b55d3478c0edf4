#pragma once
// Writes bitmaps as BMP files: 24-bit (alpha dropped) or 32-bit (alpha kept), bottom-up
// rows with the 40-byte information header, as skin images are stored. Used by the skin
// art generator and by tests that build skins.
#include <cstdint>
#include <vector>

#include "imaging/bitmap32.h"

namespace tappomat {

enum class BmpDepth { Bits24, Bits32 };

std::vector<std::uint8_t> EncodeBmp(const Bitmap32& bitmap, BmpDepth depth = BmpDepth::Bits24);

}  // namespace tappomat
