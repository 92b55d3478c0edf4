#include "automation/marker_picture.h"

#include <cmath>

namespace tappomat {
namespace {

// Radii in pixels, measured from the centre point of the picture.
constexpr double kOuterRingOuter = kMarkerPictureSize / 2.0;
constexpr double kOuterRingInner = kOuterRingOuter - 5.0;
constexpr double kInnerRingOuter = 11.0;
constexpr double kInnerRingInner = kInnerRingOuter - 5.0;
constexpr double kDotRadius = 2.0;
// The dot sits half a pixel up and left of the centre point, on the centre of pixel
// (19, 19), so that it is round on the pixel grid and still covers the centre.
constexpr double kDotCenter = kMarkerCenter - 0.5;

// Each pixel is sampled on a grid of this many points per side.
constexpr int kSamples = 16;

bool Covered(double x, double y) {
  const double dx = x - kMarkerCenter;
  const double dy = y - kMarkerCenter;
  const double ringDistance = std::sqrt(dx * dx + dy * dy);
  if (ringDistance >= kOuterRingInner && ringDistance < kOuterRingOuter) return true;
  if (ringDistance >= kInnerRingInner && ringDistance < kInnerRingOuter) return true;
  const double ddx = x - kDotCenter;
  const double ddy = y - kDotCenter;
  return ddx * ddx + ddy * ddy < kDotRadius * kDotRadius;
}

// Share of the pixel's samples inside a shape, 0 … kSamples².
int Coverage(int px, int py) {
  int inside = 0;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      if (Covered(px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples)) ++inside;
    }
  }
  return inside;
}

// A channel weighted by coverage. A covered pixel keeps at least 1 in the channels the
// colour uses: black is the windows' colour key and must mean "nothing here".
std::uint8_t Weighted(std::uint8_t full, int coverage) {
  constexpr int kAll = kSamples * kSamples;
  if (full == 0 || coverage == 0) return 0;
  const int value = (full * coverage + kAll / 2) / kAll;
  return static_cast<std::uint8_t>(value < 1 ? 1 : value);
}

}  // namespace

Pixel MarkerFullColor(MarkerColor color) {
  return color == MarkerColor::Red ? MakePixel(228, 0, 0) : MakePixel(0, 228, 54);
}

Bitmap32 DrawMarkerPicture(MarkerColor color) {
  const Pixel full = MarkerFullColor(color);
  Bitmap32 picture(kMarkerPictureSize, kMarkerPictureSize, MakePixel(0, 0, 0));
  for (int y = 0; y < kMarkerPictureSize; ++y) {
    for (int x = 0; x < kMarkerPictureSize; ++x) {
      const int coverage = Coverage(x, y);
      picture.At(x, y) =
          MakePixel(Weighted(PixelR(full), coverage), Weighted(PixelG(full), coverage),
                    Weighted(PixelB(full), coverage));
    }
  }
  return picture;
}

}  // namespace tappomat
