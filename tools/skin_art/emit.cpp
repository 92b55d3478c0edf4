#include "emit.h"

#include <algorithm>
#include <cmath>

#include "imaging/color.h"

namespace tappomat::skin_art {
namespace {

std::uint8_t Channel(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

Pixel ToPixel(Rgb color) { return MakePixel(Channel(color.r), Channel(color.g), Channel(color.b)); }

Pixel Over(const Canvas& canvas, int x, int y, Rgb background) {
  return ToPixel(Mix(background, canvas.Color(x, y), canvas.Alpha(x, y)));
}

}  // namespace

void WriteWithAlphaRow(Bitmap32& target, int x, int y, const Canvas& canvas, const Shape& outline,
                       Rgb hole) {
  for (int cy = 0; cy < canvas.Height(); ++cy) {
    for (int cx = 0; cx < canvas.Width(); ++cx) {
      const double alpha = canvas.Alpha(cx, cy);
      Pixel image = ToPixel(canvas.Color(cx, cy));
      if (alpha <= 0) {
        image = Canvas::Coverage(outline, cx, cy) > 0 ? ToPixel(hole) : kFuchsiaPixel | 0xFF000000;
      }
      target.At(x + cx, y + cy) = image;
      const std::uint8_t through = Channel(255.0 * (1.0 - alpha));
      target.At(x + cx, y + canvas.Height() + cy) = MakePixel(through, through, through);
    }
  }
}

void WriteKeyed(Bitmap32& target, int x, int y, const Canvas& canvas, Rgb background) {
  for (int cy = 0; cy < canvas.Height(); ++cy) {
    for (int cx = 0; cx < canvas.Width(); ++cx) {
      target.At(x + cx, y + cy) =
          canvas.Alpha(cx, cy) <= 0 ? kFuchsiaPixel | 0xFF000000 : Over(canvas, cx, cy, background);
    }
  }
}

void WriteOpaque(Bitmap32& target, int x, int y, const Canvas& canvas, Rgb background) {
  for (int cy = 0; cy < canvas.Height(); ++cy) {
    for (int cx = 0; cx < canvas.Width(); ++cx) {
      target.At(x + cx, y + cy) = Over(canvas, cx, cy, background);
    }
  }
}

}  // namespace tappomat::skin_art
