#pragma once
// Decoder for Windows and OS/2 bitmap files, the format most skin images come in. Called
// through DecodeImage (image_decoder.h) by the skin loader, and directly by tests.
//
// Accepted: the OS/2 12-byte core header (1, 4, 8, 24 bits, 3-byte palette entries) and
// the Windows 40/52/56/108/124-byte headers with 1, 4, 8, 16, 24 or 32 bits per pixel,
// bottom-up (positive height) or top-down (negative height), BI_RGB, BI_BITFIELDS and
// BI_ALPHABITFIELDS. Masks follow a 40-byte header and sit inside the larger headers.
// RLE and embedded JPEG/PNG compression are refused as unsupported.
//
// The result is the bitmap "as stored", which the skin engine expects:
// - 1, 4, 8, 16 (BI_RGB, 5-5-5) and 24 bits: alpha 255.
// - 32 bits BI_RGB: the fourth byte is kept as stored, not forced to 255; the skin engine
//   decides later whether it is alpha.
// - BI_BITFIELDS: channels are scaled from their masks to 8 bits; alpha comes from the
//   alpha mask when there is one, else 255.
// - A palette index beyond the colours the file holds gives opaque black; palettes with
//   more entries than the bit depth can address are an error.
// - The pixel data is found through the file header's pixel offset and must be wholly
//   inside the file; only the last row may lack its padding.
#include <cstdint>
#include <span>

#include "imaging/image_decoder.h"

namespace tappomat {

// More than `maxPixels` pixels: refused as too large (DecodedImage::tooLarge).
DecodedImage DecodeBmp(std::span<const std::uint8_t> data, std::int64_t maxPixels);
DecodedImage DecodeBmp(std::span<const std::uint8_t> data);

}  // namespace tappomat
