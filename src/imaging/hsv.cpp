#include "imaging/hsv.h"

#include <algorithm>

#include "imaging/pixel_loops.h"

namespace tappomat {
namespace {

constexpr ColorRef kFourthByte = 0xFF000000u;

int NormalizeDegrees(int degrees) { return (degrees % 360 + 360) % 360; }

}  // namespace

ColorRef RotateHue(ColorRef color, int degrees) {
  const int turn = NormalizeDegrees(degrees);
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  const int hi = std::max({r, g, b});
  const int lo = std::min({r, g, b});
  const int chroma = hi - lo;
  if (turn == 0 || chroma == 0) return color;

  // The hue walks round a hexagon of six 60-degree sectors. In units where a sector is
  // `chroma` long, the position is an integer; scaled by 60 more, so is any turn in degrees.
  int hue;  // 0 <= hue < 6 * chroma
  if (r == hi) {
    hue = g >= b ? g - b : 6 * chroma + g - b;
  } else if (g == hi) {
    hue = 2 * chroma + b - r;
  } else {
    hue = 4 * chroma + r - g;
  }
  const int sectorLength = 60 * chroma;
  const int position = (60 * hue + turn * chroma) % (6 * sectorLength);
  const int sector = position / sectorLength;
  const int rising = lo + (position % sectorLength + 30) / 60;  // rounded, halves up
  const int falling = hi + lo - rising;

  int nr = 0, ng = 0, nb = 0;
  switch (sector) {
    case 0: nr = hi, ng = rising, nb = lo; break;
    case 1: nr = falling, ng = hi, nb = lo; break;
    case 2: nr = lo, ng = hi, nb = rising; break;
    case 3: nr = lo, ng = falling, nb = hi; break;
    case 4: nr = rising, ng = lo, nb = hi; break;
    default: nr = hi, ng = lo, nb = falling; break;
  }
  return RGB(static_cast<std::uint8_t>(nr), static_cast<std::uint8_t>(ng),
             static_cast<std::uint8_t>(nb)) |
         (color & kFourthByte);
}

ColorRef ChangeSaturation(ColorRef color, int amount) {
  amount = std::clamp(amount, -100, 100);
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  const int hi = std::max({r, g, b});
  const int lo = std::min({r, g, b});
  const int chroma = hi - lo;
  if (amount == 0 || chroma == 0) return color;

  // S' / S as num / den: S = chroma / hi, so for amount > 0
  // S' / S = (100 * chroma + (hi - chroma) * amount) / (100 * chroma).
  const int num = amount > 0 ? 100 * chroma + lo * amount : 100 + amount;
  const int den = amount > 0 ? 100 * chroma : 100;
  auto scale = [&](int c) {
    return static_cast<std::uint8_t>(hi - ((hi - c) * num * 2 + den) / (2 * den));
  };
  return RGB(scale(r), scale(g), scale(b)) | (color & kFourthByte);
}

void RotateHue(Bitmap32& bitmap, const Rect& rect, int degrees) {
  if (NormalizeDegrees(degrees) == 0) return;
  ForEachPixel(bitmap, rect, [degrees](Pixel& p) {
    if (!IsFuchsia(p)) p = PixelFromColor(RotateHue(ColorFromPixel(p), degrees), PixelA(p));
  });
}

void ChangeSaturation(Bitmap32& bitmap, const Rect& rect, int amount) {
  if (amount == 0) return;
  ForEachPixel(bitmap, rect, [amount](Pixel& p) {
    if (!IsFuchsia(p)) p = PixelFromColor(ChangeSaturation(ColorFromPixel(p), amount), PixelA(p));
  });
}

void Grayscale(Bitmap32& bitmap, const Rect& rect) {
  ForEachPixel(bitmap, rect, [](Pixel& p) {
    if (IsFuchsia(p)) return;
    const auto grey =
        static_cast<std::uint8_t>((PixelR(p) * 77 + PixelG(p) * 151 + PixelB(p) * 28) >> 8);
    p = MakePixel(grey, grey, grey, PixelA(p));
  });
}

}  // namespace tappomat
