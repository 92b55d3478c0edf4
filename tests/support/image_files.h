#pragma once
// Test helpers: encode bitmaps as PNG and JPEG with the system libraries (fixtures for the
// decoders and golden images) and read PNG files back. Independent of the decoders under
// test, so a decoder fault cannot hide itself.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/bitmap32.h"

namespace tappomat::test {

// 8-bit RGBA PNG of the bitmap (straight alpha).
std::vector<std::uint8_t> EncodePng(const Bitmap32& bitmap);
// Baseline 24-bit JPEG of the bitmap's colour channels.
std::vector<std::uint8_t> EncodeJpeg(const Bitmap32& bitmap, int quality);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Reads a PNG file into a bitmap; an empty bitmap when the file is missing or unreadable.
Bitmap32 ReadPngFile(const std::string& path);

}  // namespace tappomat::test
