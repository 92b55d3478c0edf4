#include "skin/paint/disabled_look.h"

#include "imaging/blend.h"
#include "imaging/hsv.h"
#include "skin/paint/color_helpers.h"

namespace tappomat {
namespace {

// Saturation taken out of a greyed control: most of its colour, not all of it.
constexpr int kGrayedSaturation = -90;
// The parent's share of a blended pixel.
constexpr double kParentShare = 0.6;

}  // namespace

void ApplyDisabledLook(Bitmap32& cache, TsDisabledKind kinds, const ParentBackground& parent,
                       ColorRef parentColor) {
  if (cache.IsEmpty()) return;
  if (kinds & dkGrayed) ChangeSaturation(cache, cache.Bounds(), kGrayedSaturation);
  if (!(kinds & dkBlended)) return;
  if (parent.ready && parent.image != nullptr) {
    const Bitmap32& image = *parent.image;
    for (int y = 0; y < cache.Height(); ++y) {
      const int py = y + parent.offset.y;
      for (int x = 0; x < cache.Width(); ++x) {
        Pixel& own = cache.At(x, y);
        const int px = x + parent.offset.x;
        if (PixelRGB(own) == kFuchsiaPixel || px < 0 || py < 0 || px >= image.Width() ||
            py >= image.Height()) {
          continue;
        }
        own = MixColors(image.At(px, py), own, kParentShare) | 0xFF000000u;
      }
    }
    return;
  }
  const ColorRef fill = parent.fill != kFuchsia ? parent.fill : parentColor;
  MixRect(cache, cache.Bounds(), fill, 50);
}

}  // namespace tappomat
