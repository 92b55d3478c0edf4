#include "imaging/stretch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tappomat {
namespace {

// Bounds the products in the mappings below: (2 * dx + 1) * srcW < 2^31 * 2^30.
constexpr std::int64_t kMaxStretchExtent = std::int64_t{1} << 30;

// One axis of the mapping: destination offsets 0 .. dstLen-1 onto source offsets
// srcStart .. srcStart + srcLen - 1. Never decreasing in the offset, so the destination
// pixels whose source lies inside the source bitmap form one run.
struct AxisMap {
  std::int64_t srcStart;
  std::int64_t srcLen;
  std::int64_t dstLen;
  StretchMode mode;

  std::int64_t operator()(std::int64_t offset) const {
    if (mode == StretchMode::Nearest) return srcStart + ((2 * offset + 1) * srcLen) / (2 * dstLen);
    return srcStart + (offset * srcLen) / dstLen;
  }
};

// Narrows the destination run [from, to) (bitmap coordinates, dstStart the rectangle's
// first pixel) to the pixels whose source lies in [0, srcExtent).
void TrimToSource(const AxisMap& map, std::int64_t dstStart, int srcExtent, int& from, int& to) {
  while (from < to && map(from - dstStart) < 0) ++from;
  while (from < to && map(to - 1 - dstStart) >= srcExtent) --to;
}

std::int64_t Extent(int from, int to) { return std::int64_t{to} - from; }

}  // namespace

void StretchCopy(Bitmap32& dst, const Rect& dstRect, const Rect& dstClip, const Bitmap32& src,
                 const Rect& srcRect, StretchMode mode) {
  const std::int64_t dstW = Extent(dstRect.left, dstRect.right);
  const std::int64_t dstH = Extent(dstRect.top, dstRect.bottom);
  const std::int64_t srcW = Extent(srcRect.left, srcRect.right);
  const std::int64_t srcH = Extent(srcRect.top, srcRect.bottom);
  if (dstW <= 0 || dstH <= 0 || srcW <= 0 || srcH <= 0) return;
  if (std::max({dstW, dstH, srcW, srcH}) > kMaxStretchExtent) return;

  const Rect area = dstRect.Intersect(dstClip).Intersect(dst.Bounds());
  if (area.IsEmpty()) return;

  const AxisMap mapX{srcRect.left, srcW, dstW, mode};
  const AxisMap mapY{srcRect.top, srcH, dstH, mode};
  int left = area.left, right = area.right, top = area.top, bottom = area.bottom;
  TrimToSource(mapX, dstRect.left, src.Width(), left, right);
  TrimToSource(mapY, dstRect.top, src.Height(), top, bottom);
  if (left >= right || top >= bottom) return;

  // Source column of every destination column, worked out once for all rows.
  const int width = right - left;
  std::vector<int> columns(static_cast<std::size_t>(width));
  for (int i = 0; i < width; ++i) columns[i] = static_cast<int>(mapX(left + i - dstRect.left));
  const bool sameWidth = srcW == dstW;  // then columns are consecutive: a plain copy

  int previousSrcY = -1;
  for (int y = top; y < bottom; ++y) {
    const int srcY = static_cast<int>(mapY(y - dstRect.top));
    Pixel* d = dst.Row(y) + left;
    if (srcY == previousSrcY) {
      // Enlarging repeats source rows: repeat the destination row just written.
      const Pixel* above = dst.Row(y - 1) + left;
      std::copy(above, above + width, d);
      continue;
    }
    previousSrcY = srcY;
    const Pixel* s = src.Row(srcY);
    if (sameWidth) {
      // memmove: a bitmap stretched onto itself may overlap here.
      std::memmove(d, s + columns[0], static_cast<std::size_t>(width) * sizeof(Pixel));
    } else {
      const int* col = columns.data();
      for (int i = 0; i < width; ++i) d[i] = s[col[i]];
    }
  }
}

}  // namespace tappomat
