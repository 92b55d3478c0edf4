#pragma once
// Decoder for baseline and progressive JPEG files through libjpeg. Called through
// DecodeImage (image_decoder.h) by the skin loader, and directly by tests.
//
// Colour JPEGs become B, G, R with alpha 255; greyscale JPEGs become grey RGB. CMYK and
// YCCK files are refused as unsupported. A file that ends before its image data does, or
// whose data segments are cut short, is an error rather than a partly grey picture;
// other problems libjpeg recovers from are accepted silently. A file too short to hold the
// size its header states (less than one bit per 8 x 8 block) is refused before anything
// is allocated for the image, and so are arithmetic-coded files, for which no such bound
// holds. libjpeg never prints anything and never ends the program.
#include <cstdint>
#include <span>

#include "imaging/image_decoder.h"

namespace tappomat {

// More than `maxPixels` pixels: refused as too large (DecodedImage::tooLarge).
DecodedImage DecodeJpeg(std::span<const std::uint8_t> data, std::int64_t maxPixels);
DecodedImage DecodeJpeg(std::span<const std::uint8_t> data);

}  // namespace tappomat
