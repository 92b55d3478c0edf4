#include "form_shadow.h"

#include <algorithm>
#include <cmath>

namespace tappomat::skin_art {
namespace {

constexpr int kSize = 19;
constexpr int kCentre = 9;      // the pixel that stands for the window
constexpr double kDepth = 9.0;  // how far the shadow reaches

}  // namespace

Bitmap32 DrawFormShadow(ShadowKind kind) {
  const double peak = kind == ShadowKind::Active ? 0.30 : 0.16;
  Bitmap32 image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Distance from the pixel centre to the window's square.
      const double dx = std::max(0.0, std::abs(x + 0.5 - (kCentre + 0.5)) - 0.5);
      const double dy = std::max(0.0, std::abs(y + 0.5 - (kCentre + 0.5)) - 0.5);
      const double distance = std::sqrt(dx * dx + dy * dy);
      const double fade = std::max(0.0, 1.0 - distance / kDepth);
      const auto alpha = static_cast<std::uint8_t>(std::lround(255.0 * peak * fade * fade));
      image.At(x, y) = MakePixel(0, 0, 0, alpha);
    }
  }
  return image;
}

}  // namespace tappomat::skin_art
