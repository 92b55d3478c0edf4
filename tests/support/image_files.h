#pragma once
// Test helpers: encode bitmaps as PNG and JPEG with the system libraries (fixtures for the
// decoders and golden images) and read PNG files back. Independent of the decoders under
// test, so a decoder fault cannot hide itself.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bitmap32.h"

namespace tappomat::test {

// 8-bit RGBA PNG of the bitmap (straight alpha).
std::vector<std::uint8_t> EncodePng(const Bitmap32& bitmap);
// Baseline 24-bit JPEG of the bitmap's colour channels.
std::vector<std::uint8_t> EncodeJpeg(const Bitmap32& bitmap, int quality);

// A PNG written by libpng's classic API from rows packed as the file stores them, for the
// colour types, depths and interlacing that EncodePng does not produce.
struct PngRows {
  int width = 0;
  int height = 0;
  int colorType = 0;  // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<std::uint8_t> palette{};             // R, G, B per entry
  std::vector<std::uint8_t> paletteAlpha{};        // tRNS of a palette image
  std::optional<std::uint16_t> transparentGrey{};  // tRNS of a grey image
  std::vector<std::vector<std::uint8_t>> rows{};   // 16-bit samples big-endian
};
std::vector<std::uint8_t> EncodePngRows(const PngRows& image);

enum class JpegColors { Rgb, Grey, Cmyk };
struct JpegOptions {
  int quality = 90;
  JpegColors colors = JpegColors::Rgb;  // Grey stores (R + G + B) / 3
  bool progressive = false;
};
std::vector<std::uint8_t> EncodeJpeg(const Bitmap32& bitmap, const JpegOptions& options);

// The parts of a BMP file, written out field by field by AssembleBmp, so that a test states
// every header value, wrong ones included.
struct BmpParts {
  std::uint32_t headerSize = 40;  // 12 (OS/2 core), 40, 52, 56, 108 or 124
  std::int32_t width = 0;         // the core header keeps the low 16 bits
  std::int32_t height = 0;        // negative: rows stored top-down
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;  // BI_RGB
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint32_t> masks{};          // after a 40-byte header, else inside the header
  std::vector<std::uint8_t> palette{};         // entries exactly as stored
  std::vector<std::uint8_t> pixels{};          // rows exactly as stored, padding included
  std::optional<std::uint32_t> pixelOffset{};  // default: right after the palette
};
std::vector<std::uint8_t> AssembleBmp(const BmpParts& parts);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Reads a PNG file into a bitmap; an empty bitmap when the file is missing or unreadable.
Bitmap32 ReadPngFile(const std::string& path);

}  // namespace tappomat::test
