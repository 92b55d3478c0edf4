#pragma once
// Canvas: a small picture with coverage-based anti-aliasing, the drawing surface of the
// skin art generator. Each pixel holds a colour premultiplied by its opacity (0 to 1);
// filling a shape samples it on a 16 x 16 grid inside each pixel and lays the paint over
// what is there in proportion to the covered share. The art files draw one image (or one
// frame) per canvas and hand it to the writers of emit.h.
#include <vector>

#include "paint.h"
#include "shapes.h"

namespace tappomat::skin_art {

class Canvas {
 public:
  Canvas(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Lays `paint` over the canvas where `shape` covers it, at `opacity` (0 to 1).
  void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0);

  // The share (0 to 1) of pixel x, y that the shape covers, in steps of 1/256.
  static double Coverage(const Shape& shape, int x, int y);

  double Alpha(int x, int y) const { return At(x, y).alpha; }
  // The straight colour of a pixel (black where nothing was drawn).
  Rgb Color(int x, int y) const;

  // The picture turned about: mirrored top to bottom, mirrored left to right, or swapped
  // across its main diagonal (x and y exchange places, so a top edge becomes a left edge).
  Canvas FlippedVertically() const;
  Canvas FlippedHorizontally() const;
  Canvas Transposed() const;

 private:
  struct Sample {
    Rgb premultiplied;
    double alpha = 0;
  };
  Sample& At(int x, int y) { return m_samples[static_cast<std::size_t>(y) * m_width + x]; }
  const Sample& At(int x, int y) const {
    return m_samples[static_cast<std::size_t>(y) * m_width + x];
  }

  int m_width;
  int m_height;
  std::vector<Sample> m_samples;
};

}  // namespace tappomat::skin_art
