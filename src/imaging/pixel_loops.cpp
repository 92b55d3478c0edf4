#include "imaging/pixel_loops.h"

#include <algorithm>
#include <cstdint>

namespace tappomat {
namespace {

// One axis of a blit. The operation covers offsets [lo, hi); a bitmap of `extent` pixels
// takes part with offset 0 at `origin`. Narrowing keeps origin + offset inside the bitmap.
// 64-bit so that far-away positions cannot overflow before they are clipped away.
void ClipAxis(std::int64_t origin, int extent, std::int64_t& lo, std::int64_t& hi) {
  lo = std::max(lo, -origin);
  hi = std::min(hi, std::int64_t{extent} - origin);
}

struct BlitPart {
  const Bitmap32* bitmap;
  Point origin;
};

// Clips a width x height operation against every part; the first part is the destination.
BlitArea Clip(std::int64_t width, std::int64_t height, const BlitPart* parts, int count) {
  std::int64_t left = 0, right = width, top = 0, bottom = height;
  for (int i = 0; i < count; ++i) {
    ClipAxis(parts[i].origin.x, parts[i].bitmap->Width(), left, right);
    ClipAxis(parts[i].origin.y, parts[i].bitmap->Height(), top, bottom);
  }
  if (right <= left || bottom <= top) return {};
  // Every corner below is inside its bitmap, so it fits an int.
  auto corner = [&](const BlitPart& part) {
    return Point{static_cast<int>(part.origin.x + left), static_cast<int>(part.origin.y + top)};
  };
  BlitArea area;
  area.dst = corner(parts[0]);
  area.src = corner(parts[1]);
  if (count > 2) area.mask = corner(parts[2]);
  area.width = static_cast<int>(right - left);
  area.height = static_cast<int>(bottom - top);
  return area;
}

std::int64_t Extent(int from, int to) { return std::int64_t{to} - from; }

}  // namespace

BlitArea ClipBlit(const Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect) {
  const BlitPart parts[] = {{&dst, dstPos}, {&src, srcRect.TopLeft()}};
  return Clip(Extent(srcRect.left, srcRect.right), Extent(srcRect.top, srcRect.bottom), parts, 2);
}

BlitArea ClipMaskBlit(const Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect,
                      const Bitmap32& mask, const Rect& maskRect) {
  const BlitPart parts[] = {{&dst, dstPos}, {&src, srcRect.TopLeft()}, {&mask, maskRect.TopLeft()}};
  const std::int64_t width =
      std::min(Extent(srcRect.left, srcRect.right), Extent(maskRect.left, maskRect.right));
  const std::int64_t height =
      std::min(Extent(srcRect.top, srcRect.bottom), Extent(maskRect.top, maskRect.bottom));
  return Clip(width, height, parts, 3);
}

}  // namespace tappomat
