#pragma once
// Bitmap32: the 32-bit image every layer draws into. Pixels are B, G, R, A bytes
// (see color.h), rows top-down, no padding. Owned by whoever paints: device contexts,
// control caches, window back buffers, decoded skin images.
#include <cstdint>
#include <span>
#include <vector>

#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tappomat {

// Limits for images that come from outside; decoders refuse anything larger before
// allocating.
constexpr int kMaxImageSide = 16384;
constexpr std::int64_t kMaxImagePixels = 64'000'000;

// True when a width and height are positive and within the limits above.
bool IsAcceptableImageSize(std::int64_t width, std::int64_t height);

class Bitmap32 {
 public:
  Bitmap32() = default;
  // A width or height of 0 or less gives an empty bitmap.
  Bitmap32(int width, int height, Pixel fill = 0);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  Size GetSize() const { return {m_width, m_height}; }
  Rect Bounds() const { return {0, 0, m_width, m_height}; }
  bool IsEmpty() const { return m_width == 0 || m_height == 0; }

  // Reallocates to the given size, every pixel set to `fill`.
  void Reset(int width, int height, Pixel fill = 0);
  void Fill(Pixel value);

  Pixel* Row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
  const Pixel* Row(int y) const { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
  Pixel& At(int x, int y) { return Row(y)[x]; }
  Pixel At(int x, int y) const { return Row(y)[x]; }

  std::span<Pixel> Pixels() { return m_pixels; }
  std::span<const Pixel> Pixels() const { return m_pixels; }

  friend bool operator==(const Bitmap32&, const Bitmap32&) = default;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<Pixel> m_pixels;
};

}  // namespace tappomat
