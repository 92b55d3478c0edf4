#pragma once
// Pixel and colour values, and the one place where they are converted.
//
// A Pixel is how Bitmap32 stores a pixel: bytes B, G, R, A in memory, read as the
// little-endian word 0xAARRGGBB. A ColorRef is a colour as skin definitions and the
// window system write it: 0x00BBGGRR, red in the low byte.
#include <cstdint>

namespace tappomat {

using Pixel = std::uint32_t;
using ColorRef = std::uint32_t;

constexpr ColorRef RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return ColorRef{r} | (ColorRef{g} << 8) | (ColorRef{b} << 16);
}
constexpr std::uint8_t GetRValue(ColorRef c) { return c & 0xFF; }
constexpr std::uint8_t GetGValue(ColorRef c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t GetBValue(ColorRef c) { return (c >> 16) & 0xFF; }

constexpr Pixel MakePixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
  return Pixel{b} | (Pixel{g} << 8) | (Pixel{r} << 16) | (Pixel{a} << 24);
}
constexpr std::uint8_t PixelB(Pixel p) { return p & 0xFF; }
constexpr std::uint8_t PixelG(Pixel p) { return (p >> 8) & 0xFF; }
constexpr std::uint8_t PixelR(Pixel p) { return (p >> 16) & 0xFF; }
constexpr std::uint8_t PixelA(Pixel p) { return p >> 24; }
constexpr Pixel PixelRGB(Pixel p) { return p & 0x00FFFFFF; }

// The two conversions between skin colours and pixels: red and blue change places.
constexpr Pixel PixelFromColor(ColorRef c, std::uint8_t alpha = 255) {
  return MakePixel(GetRValue(c), GetGValue(c), GetBValue(c), alpha);
}
constexpr ColorRef ColorFromPixel(Pixel p) { return RGB(PixelR(p), PixelG(p), PixelB(p)); }

// Fuchsia marks transparent pixels in skin images; it reads the same in both byte orders.
constexpr ColorRef kFuchsia = 0xFF00FF;
constexpr Pixel kFuchsiaPixel = 0xFF00FF;

inline bool IsFuchsia(Pixel p) { return PixelRGB(p) == kFuchsiaPixel; }

}  // namespace tappomat
