#include "button_huge.h"

#include "button_rim.h"
#include "slot_writer.h"

namespace tappomat::skin_art {
namespace {

constexpr int kFrame = 72;
constexpr double kRadius = 8.0;

// The face darkens towards the bottom within the outer 32 rows; the middle rows, which
// are stretched over the button's height, hardly change, so stretching shows no bands.
Paint Face(int frame) {
  switch (frame) {
    case 0:
      return VerticalGradient({{1, Grey(255)}, {32, Grey(237)}, {40, Grey(235)}, {71, Grey(214)}});
    case 1:
      return VerticalGradient({{1, Grey(255)}, {32, Grey(245)}, {40, Grey(243)}, {71, Grey(226)}});
    default:
      return VerticalGradient({{1, Grey(212)}, {32, Grey(222)}, {40, Grey(224)}, {71, Grey(234)}});
  }
}

}  // namespace

Bitmap32 DrawButtonHuge() {
  const Slot whole{{0, 0, 3 * kFrame, 2 * kFrame}, 3, 1};
  const Box box{0, 0, kFrame, kFrame};
  Bitmap32 image(whole.rect.right, whole.rect.bottom);
  WriteFramesWithAlphaRow(
      image, whole,
      [&box](int frame) {
        Canvas canvas(kFrame, kFrame);
        canvas.Fill(RoundedRect(box, kRadius), Face(frame));
        DrawButtonRim(canvas, box, kRadius, ButtonRimLook(frame));
        return canvas;
      },
      RoundedRect(box, kRadius), Grey(224));
  return image;
}

}  // namespace tappomat::skin_art
