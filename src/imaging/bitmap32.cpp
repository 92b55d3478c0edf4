#include "imaging/bitmap32.h"

#include <algorithm>

namespace tappomat {

bool IsAcceptableImageSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

Bitmap32::Bitmap32(int width, int height, Pixel fill) { Reset(width, height, fill); }

void Bitmap32::Reset(int width, int height, Pixel fill) {
  if (width <= 0 || height <= 0) {
    m_width = m_height = 0;
    m_pixels.clear();
    return;
  }
  m_width = width;
  m_height = height;
  m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

void Bitmap32::Fill(Pixel value) { std::fill(m_pixels.begin(), m_pixels.end(), value); }

}  // namespace tappomat
