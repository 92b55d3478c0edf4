#include "canvas.h"

namespace tappomat::skin_art {
namespace {

constexpr int kGrid = 16;  // samples per pixel side

}  // namespace

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height), m_samples(static_cast<std::size_t>(width) * height) {}

double Canvas::Coverage(const Shape& shape, int x, int y) {
  int inside = 0;
  for (int sy = 0; sy < kGrid; ++sy) {
    for (int sx = 0; sx < kGrid; ++sx) {
      // Sample points sit at exact binary fractions, so the result never depends on
      // rounding.
      if (shape(x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid)) ++inside;
    }
  }
  return static_cast<double>(inside) / (kGrid * kGrid);
}

void Canvas::Fill(const Shape& shape, const Paint& paint, double opacity) {
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) {
      const double cover = Coverage(shape, x, y) * opacity;
      if (cover <= 0) continue;
      const Rgb color = paint(x + 0.5, y + 0.5);
      Sample& s = At(x, y);
      const double keep = 1.0 - cover;
      s.premultiplied = {color.r * cover + s.premultiplied.r * keep,
                         color.g * cover + s.premultiplied.g * keep,
                         color.b * cover + s.premultiplied.b * keep};
      s.alpha = cover + s.alpha * keep;
    }
  }
}

Rgb Canvas::Color(int x, int y) const {
  const Sample& s = At(x, y);
  if (s.alpha <= 0) return {};
  return {s.premultiplied.r / s.alpha, s.premultiplied.g / s.alpha, s.premultiplied.b / s.alpha};
}

Canvas Canvas::FlippedVertically() const {
  Canvas out(m_width, m_height);
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) out.At(x, y) = At(x, m_height - 1 - y);
  }
  return out;
}

Canvas Canvas::FlippedHorizontally() const {
  Canvas out(m_width, m_height);
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) out.At(x, y) = At(m_width - 1 - x, y);
  }
  return out;
}

Canvas Canvas::Transposed() const {
  Canvas out(m_height, m_width);
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) out.At(y, x) = At(x, y);
  }
  return out;
}

}  // namespace tappomat::skin_art
