#include "skin/paint/focus_rect.h"

namespace tappomat {

void DrawDottedFocusRect(Bitmap32& bitmap, const Rect& rect, ColorRef color) {
  const Pixel ink = PixelFromColor(color);
  const auto put = [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height()) bitmap.At(x, y) = ink;
  };
  const int w = rect.Width();
  const int h = rect.Height();
  for (int i = 0; i < w / 2; ++i) {
    put(rect.left + 1 + 2 * i, rect.top);
    put(rect.left + 1 + 2 * i, rect.bottom - 1);
  }
  for (int i = 0; i < h / 2; ++i) {
    put(rect.left, rect.top + 1 + 2 * i);
    put(rect.right - 1, rect.top + 1 + 2 * i);
  }
}

}  // namespace tappomat
