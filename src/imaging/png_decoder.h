#pragma once
// Decoder for PNG files through libpng. Called through DecodeImage (image_decoder.h) by the
// skin loader, and directly by tests.
//
// Every colour type and bit depth becomes 8-bit B, G, R, A with straight (not
// premultiplied) alpha: palettes are expanded, tRNS becomes alpha, grey becomes grey RGB,
// 16-bit samples are scaled to 8 bits, and images without alpha get 255. Samples are taken
// as stored: gamma and colour-profile chunks are ignored, as the skin engine expects.
// Interlaced images are supported. Damaged files (bad CRC, broken compressed data, missing
// data) are errors; libpng's warnings are dropped.
#include <cstdint>
#include <span>

#include "imaging/image_decoder.h"

namespace tappomat {

// More than `maxPixels` pixels: refused as too large (DecodedImage::tooLarge).
DecodedImage DecodePng(std::span<const std::uint8_t> data, std::int64_t maxPixels);
DecodedImage DecodePng(std::span<const std::uint8_t> data);

}  // namespace tappomat
