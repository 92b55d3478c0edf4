#include "gdi/blit.h"

#include <algorithm>

namespace tappomat {
namespace {

constexpr Pixel kOpaque = 0xFF000000;

std::uint8_t RopCode(RasterOp rop) { return static_cast<std::uint8_t>(rop >> 16); }

// Whether the result depends on the source: compare the results with source bit 1
// (code bits 2, 3, 6, 7) and 0 (bits 0, 1, 4, 5).
bool UsesSource(std::uint8_t code) { return (((code >> 2) ^ code) & 0x33) != 0; }

// Bit i of the code is the result for pattern = i & 4, source = i & 2, destination = i & 1.
Pixel Ternary(std::uint8_t code, Pixel p, Pixel s, Pixel d) {
  Pixel result = 0;
  for (int i = 0; i < 8; ++i) {
    if (((code >> i) & 1) == 0) continue;
    result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return result;
}

template <typename Op>
void Combine(Pixel* d, const Pixel* s, int n, Op op) {
  for (int i = 0; i < n; ++i) d[i] = op(s[i], d[i]) | kOpaque;
}

template <typename Op>
void Transform(Pixel* d, int n, Op op) {
  for (int i = 0; i < n; ++i) d[i] = op(d[i]) | kOpaque;
}

// One row of a raster operation; `s` is null when the operation ignores the source.
void RopRow(std::uint8_t code, Pixel* d, const Pixel* s, int n, Pixel pattern) {
  switch (code) {
    case 0xCC:
      std::copy(s, s + n, d);
      return;  // SRCCOPY keeps the source alpha
    case 0x00:
      std::fill_n(d, n, kOpaque);
      return;
    case 0xFF:
      std::fill_n(d, n, Pixel{0xFFFFFFFF});
      return;
    case 0xF0:
      std::fill_n(d, n, pattern | kOpaque);
      return;
    case 0xEE:
      Combine(d, s, n, [](Pixel a, Pixel b) { return a | b; });
      return;
    case 0x88:
      Combine(d, s, n, [](Pixel a, Pixel b) { return a & b; });
      return;
    case 0x66:
      Combine(d, s, n, [](Pixel a, Pixel b) { return a ^ b; });
      return;
    case 0x44:
      Combine(d, s, n, [](Pixel a, Pixel b) { return a & ~b; });
      return;
    case 0x33:
      Combine(d, s, n, [](Pixel a, Pixel) { return ~a; });
      return;
    case 0x55:
      Transform(d, n, [](Pixel b) { return ~b; });
      return;
    default:
      if (s != nullptr) {
        Combine(d, s, n, [&](Pixel a, Pixel b) { return Ternary(code, pattern, a, b); });
      } else {
        Transform(d, n, [&](Pixel b) { return Ternary(code, pattern, 0, b); });
      }
      return;
  }
}

// The part `area` of `bitmap` as a bitmap of its own.
Bitmap32 CopyArea(const Bitmap32& bitmap, const Rect& area) {
  Bitmap32 copy(area.Width(), area.Height());
  for (int y = 0; y < area.Height(); ++y) {
    const Pixel* row = bitmap.Row(area.top + y) + area.left;
    std::copy(row, row + area.Width(), copy.Row(y));
  }
  return copy;
}

}  // namespace

void BitBlt(DeviceContext& dc, int x, int y, int w, int h, const Bitmap32& src, int srcX, int srcY,
            RasterOp rop) {
  if (w <= 0 || h <= 0) return;
  const std::uint8_t code = RopCode(rop);
  const Pixel pattern = PixelFromColor(dc.BrushColor());
  Bitmap32& target = dc.Target();

  if (!UsesSource(code)) {
    dc.ForEachClipRect(dc.ToDevice(Rect::FromSize(x, y, w, h)), [&](const Rect& part) {
      for (int row = part.top; row < part.bottom; ++row) {
        RopRow(code, target.Row(row) + part.left, nullptr, part.Width(), pattern);
      }
    });
    return;
  }

  Rect srcArea = Rect::FromSize(srcX, srcY, w, h).Intersect(src.Bounds());
  if (srcArea.IsEmpty()) return;
  const Rect device = dc.ToDevice(srcArea.Offset(x - srcX, y - srcY));
  if (!dc.DeviceClip().Intersects(device)) return;

  // Reading the bitmap being written would see pixels this call has already changed.
  const Bitmap32* source = &src;
  Bitmap32 copy;
  if (&src == &target) {
    copy = CopyArea(src, srcArea);
    source = &copy;
    srcArea = copy.Bounds();
  }

  dc.ForEachClipRect(device, [&](const Rect& part) {
    const int sx = srcArea.left + (part.left - device.left);
    for (int row = part.top; row < part.bottom; ++row) {
      const Pixel* s = source->Row(srcArea.top + (row - device.top)) + sx;
      RopRow(code, target.Row(row) + part.left, s, part.Width(), pattern);
    }
  });
}

void StretchBlt(DeviceContext& dc, const Rect& dst, const Bitmap32& src, const Rect& srcRect,
                RasterOp rop, StretchMode mode) {
  if (dst.IsEmpty() || srcRect.IsEmpty()) return;
  const std::uint8_t code = RopCode(rop);
  if (!UsesSource(code)) {
    BitBlt(dc, dst.left, dst.top, dst.Width(), dst.Height(), src, 0, 0, rop);
    return;
  }

  const Rect device = dc.ToDevice(dst);
  const Rect visible = device.Intersect(dc.DeviceClip().Bounds());
  if (visible.IsEmpty()) return;
  const Bitmap32* source = &src;
  Bitmap32 copy;
  if (&src == &dc.Target()) {
    copy = src;
    source = &copy;
  }

  if (code == RopCode(SRCCOPY)) {
    dc.ForEachClipRect(device, [&](const Rect& part) {
      StretchCopy(dc.Target(), device, part, *source, srcRect, mode);
    });
    return;
  }
  Bitmap32 scratch(visible.Width(), visible.Height());
  StretchCopy(scratch, device.Offset(-visible.left, -visible.top), scratch.Bounds(), *source,
              srcRect, mode);
  const Point origin = dc.Origin();
  BitBlt(dc, visible.left - origin.x, visible.top - origin.y, visible.Width(), visible.Height(),
         scratch, 0, 0, rop);
}

void AlphaBlend(DeviceContext& dc, Point dst, const Bitmap32& src, const Rect& srcRect,
                std::uint8_t constantAlpha, AlphaMode mode) {
  Rect srcArea = srcRect.Intersect(src.Bounds());
  if (srcArea.IsEmpty()) return;
  const Rect device = dc.ToDevice(srcArea.Offset(dst.x - srcRect.left, dst.y - srcRect.top));
  if (!dc.DeviceClip().Intersects(device)) return;

  const Bitmap32* source = &src;
  Bitmap32 copy;
  if (&src == &dc.Target()) {
    copy = CopyArea(src, srcArea);
    source = &copy;
    srcArea = copy.Bounds();
  }
  dc.ForEachClipRect(device, [&](const Rect& part) {
    const Rect from = part.Offset(srcArea.left - device.left, srcArea.top - device.top);
    AlphaBlend(dc.Target(), part.TopLeft(), *source, from, constantAlpha, mode);
  });
}

}  // namespace tappomat
