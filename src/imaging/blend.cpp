#include "imaging/blend.h"

#include <algorithm>
#include <cmath>

#include "imaging/pixel_loops.h"

namespace tappomat {
namespace {

// Blending works on two channels at once: a pixel's red and blue (mask 0x00FF00FF) or its
// alpha and green (shifted down by 8) sit in two 16-bit lanes of a 32-bit word. A channel
// times a weight is at most 255 * 255 + 128 < 2^16, so lanes never carry into each other.
constexpr std::uint32_t kLanes = 0x00FF00FF;

// Each lane's x / 255 rounded to nearest, for lane values 0 .. 255 * 255 (Blinn's
// (x + 128 + ((x + 128) >> 8)) >> 8, exact there; x / 255 is never a tie, 255 being odd).
// The result stays in bits 0-7 of each lane.
constexpr std::uint32_t Div255Lanes(std::uint32_t x) {
  x += 0x00800080;
  return ((x + ((x >> 8) & kLanes)) >> 8) & kLanes;
}

// Adds two lane pairs of 0..255 each, capping each lane at 255.
constexpr std::uint32_t AddLanesCapped(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t sum = a + b;                     // each lane 0..510
  const std::uint32_t over = (sum >> 8) & 0x00010001;  // 1 in each lane above 255
  return (sum | (over * 0xFF)) & kLanes;
}

void BlendPerPixel(Bitmap32& dst, const Bitmap32& src, const BlitArea& area, std::uint32_t ca) {
  // No shortcuts for transparent or opaque pixels: without branches the loop vectorises,
  // which is faster than skipping whatever the picture.
  ForEachBlitPixel(dst, src, area, [ca](Pixel& d, Pixel s) {
    const std::uint32_t keep = 255 - Div255Lanes(PixelA(s) * ca);
    const std::uint32_t rb =
        AddLanesCapped(Div255Lanes((s & kLanes) * ca), Div255Lanes((d & kLanes) * keep));
    const std::uint32_t ag = AddLanesCapped(Div255Lanes(((s >> 8) & kLanes) * ca),
                                            Div255Lanes(((d >> 8) & kLanes) * keep));
    d = rb | (ag << 8);
  });
}

void BlendConstant(Bitmap32& dst, const Bitmap32& src, const BlitArea& area, std::uint32_t ca) {
  const std::uint32_t keep = 255 - ca;
  ForEachBlitPixel(dst, src, area, [ca, keep](Pixel& d, Pixel s) {
    const std::uint32_t rb = Div255Lanes((s & kLanes) * ca + (d & kLanes) * keep);
    const std::uint32_t ag = Div255Lanes(((s >> 8) & kLanes) * ca + ((d >> 8) & kLanes) * keep);
    d = rb | (ag << 8);
  });
}

constexpr std::uint32_t Channel(Pixel p, int shift) { return (p >> shift) & 0xFF; }

// s + floor((d - s) * w / 256). Since C++20 >> of a negative int is an arithmetic shift,
// that is, division rounded towards minus infinity, which is the rule here (plain / would
// round towards zero).
constexpr std::uint32_t WeighChannel(std::uint32_t s, std::uint32_t d, int w) {
  const int sc = static_cast<int>(s);
  return static_cast<std::uint32_t>(sc + (((static_cast<int>(d) - sc) * w) >> 8));
}

// Results this close to a half are taken as the half the caller's decimal ratio meant.
constexpr double kTieTolerance = 1e-9;

std::uint32_t RoundHalfToEven(double v) {
  const double below = std::floor(v);
  const double fraction = v - below;
  double rounded;
  if (std::abs(fraction - 0.5) < kTieTolerance) {
    rounded = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
  } else {
    rounded = fraction < 0.5 ? below : below + 1.0;
  }
  return static_cast<std::uint32_t>(std::clamp(rounded, 0.0, 255.0));
}

}  // namespace

void AlphaBlend(Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect,
                std::uint8_t constantAlpha, AlphaMode mode) {
  const BlitArea area = ClipBlit(dst, dstPos, src, srcRect);
  if (area.IsEmpty() || constantAlpha == 0) return;
  if (mode == AlphaMode::PerPixel) {
    BlendPerPixel(dst, src, area, constantAlpha);
  } else {
    BlendConstant(dst, src, area, constantAlpha);
  }
}

void BlendWithWeight(Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect, int w) {
  const BlitArea area = ClipBlit(dst, dstPos, src, srcRect);
  if (area.IsEmpty()) return;
  w = std::clamp(w, 0, 256);
  ForEachBlitPixel(dst, src, area, [w](Pixel& d, Pixel s) {
    d = (d & 0xFF000000u) | WeighChannel(Channel(s, 16), Channel(d, 16), w) << 16 |
        WeighChannel(Channel(s, 8), Channel(d, 8), w) << 8 |
        WeighChannel(Channel(s, 0), Channel(d, 0), w);
  });
}

void BlendWithMask(Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect,
                   const Bitmap32& mask, const Rect& maskRect) {
  const BlitArea area = ClipMaskBlit(dst, dstPos, src, srcRect, mask, maskRect);
  const int width = area.width;  // local, as in ForEachBlitPixel
  for (int y = 0; y < area.height; ++y) {
    Pixel* d = dst.Row(area.dst.y + y) + area.dst.x;
    const Pixel* s = src.Row(area.src.y + y) + area.src.x;
    const Pixel* m = mask.Row(area.mask.y + y) + area.mask.x;
    for (int x = 0; x < width; ++x) {
      Pixel out = d[x] & 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        const int weight = static_cast<int>(Channel(m[x], shift));
        out |= WeighChannel(Channel(s[x], shift), Channel(d[x], shift), weight) << shift;
      }
      d[x] = out;
    }
  }
}

void MixRectWithColor(Bitmap32& bitmap, const Rect& rect, ColorRef color, int percent) {
  const std::uint32_t p = static_cast<std::uint32_t>(std::clamp(percent, 0, 100));
  // The colour's share of each channel, with the rounding half added once.
  const Pixel c = PixelFromColor(color);
  const std::uint32_t addR = (100 - p) * PixelR(c) + 50;
  const std::uint32_t addG = (100 - p) * PixelG(c) + 50;
  const std::uint32_t addB = (100 - p) * PixelB(c) + 50;
  ForEachPixel(bitmap, rect, [=](Pixel& px) {
    px = (px & 0xFF000000u) | ((p * Channel(px, 16) + addR) / 100) << 16 |
         ((p * Channel(px, 8) + addG) / 100) << 8 | (p * Channel(px, 0) + addB) / 100;
  });
}

ColorRef MixColors(ColorRef a, ColorRef b, double x) {
  if (!(x > 0.0)) x = 0.0;  // also catches NaN
  if (x > 1.0) x = 1.0;
  ColorRef out = a & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const double ca = Channel(a, shift);
    const double cb = Channel(b, shift);
    // One rounded multiplication: b + x * (a - b) equals x * a + (1 - x) * b.
    out |= RoundHalfToEven(cb + x * (ca - cb)) << shift;
  }
  return out;
}

}  // namespace tappomat
