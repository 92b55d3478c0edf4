#include "skin/paint/skinned_text.h"

#include <algorithm>
#include <vector>

#include "gdi/system_colors.h"
#include "gdi/text.h"
#include "imaging/blend.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

// One pass of a running maximum (dilation) or a running mean (box blur) of `radius` along
// the rows or the columns of a `w` × `h` alpha plane.
void FilterPass(std::vector<int>& plane, int w, int h, int radius, bool horizontal, bool maximum) {
  const int lines = horizontal ? h : w;
  const int length = horizontal ? w : h;
  std::vector<int> line(static_cast<std::size_t>(length));
  for (int l = 0; l < lines; ++l) {
    const auto at = [&](int i) -> int& {
      return plane[static_cast<std::size_t>(horizontal ? l * w + i : i * w + l)];
    };
    for (int i = 0; i < length; ++i) line[static_cast<std::size_t>(i)] = at(i);
    for (int i = 0; i < length; ++i) {
      int result = 0;
      for (int k = std::max(0, i - radius); k <= std::min(length - 1, i + radius); ++k) {
        const int v = line[static_cast<std::size_t>(k)];
        result = maximum ? std::max(result, v) : result + v;
      }
      at(i) = maximum ? result : result / (2 * radius + 1);
    }
  }
}

// The glow: the glyph shapes drawn white on black into a scratch picture of the text
// rectangle widened by the glow size, grown by half the size and softened by a box blur
// over the rest, then used as the coverage with which the glow colour is laid over what
// is already there. The halo thus fades out about `glowSize` pixels from the glyphs.
void DrawTextGlow(DeviceContext& dc, LogicalFont font, std::string_view text, const Rect& rect,
                  unsigned format, const SkinnedTextLook& look) {
  const int size = look.glowSize;
  const Rect area = rect.Inflate(size, size);
  const int w = area.Width();
  const int h = area.Height();
  if (w <= 0 || h <= 0) return;
  Bitmap32 scratch(w, h, MakePixel(0, 0, 0));
  {
    DeviceContext sdc(scratch);
    sdc.SetOrigin({-area.left, -area.top});
    sdc.SetBkMode(BkMode::Transparent);
    font.underline = font.underline || look.underline;
    sdc.SetFont(font);
    sdc.SetTextColor(RGB(255, 255, 255));
    sdc.IntersectClipRect(rect);
    Rect r = rect;
    DrawText(sdc, text, r, format);
  }
  std::vector<int> alpha(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Pixel p = scratch.At(x, y);
      alpha[static_cast<std::size_t>(y * w + x)] = std::max({PixelR(p), PixelG(p), PixelB(p)});
    }
  const int grow = std::max(1, size / 2);
  const int blur = size - grow;
  FilterPass(alpha, w, h, grow, true, true);
  FilterPass(alpha, w, h, grow, false, true);
  if (blur > 0) {
    FilterPass(alpha, w, h, blur, true, false);
    FilterPass(alpha, w, h, blur, false, false);
  }
  Bitmap32& target = dc.Target();
  const Rect device = dc.ToDevice(area);
  const int gr = GetRValue(look.glowColor), gg = GetGValue(look.glowColor),
            gb = GetBValue(look.glowColor);
  dc.ForEachClipRect(device, [&](const Rect& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      for (int x = part.left; x < part.right; ++x) {
        const int a = alpha[static_cast<std::size_t>((y - device.top) * w + (x - device.left))];
        if (a == 0) continue;
        Pixel& d = target.At(x, y);
        const auto mix = [a](int dst, int glow) {
          return static_cast<std::uint8_t>(dst + (glow - dst) * a / 255);
        };
        d = MakePixel(mix(PixelR(d), gr), mix(PixelG(d), gg), mix(PixelB(d), gb), 255);
      }
    }
  });
}

}  // namespace

void DrawSkinnedText(DeviceContext& dc, LogicalFont font, std::string_view text, const Rect& rect,
                     unsigned format, const SkinnedTextLook& look) {
  if (look.glowSize > 0 && !look.sunken) DrawTextGlow(dc, font, text, rect, format, look);
  const DeviceContext::Saver saver(dc);
  dc.IntersectClipRect(rect);
  dc.SetBkMode(BkMode::Transparent);
  font.underline = font.underline || look.underline;
  dc.SetFont(font);
  const auto pass = [&](int dx, int dy, ColorRef color, unsigned extra) {
    Rect r = rect.Offset(dx, dy);
    dc.SetTextColor(color);
    DrawText(dc, text, r, format | extra);
  };
  if (look.sunken) {
    pass(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT), 0);
    pass(0, 0, look.text, 0);
    return;
  }
  // Contours one pixel to the left, top, right and bottom, then the text.
  const Point shifts[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  for (std::size_t side = 0; side < 4; ++side) {
    if (look.contour[side] != -1) {
      pass(shifts[side].x, shifts[side].y, static_cast<ColorRef>(look.contour[side]), DT_NOCLIP);
    }
  }
  pass(0, 0, look.text, DT_NOCLIP);
}

}  // namespace tappomat
