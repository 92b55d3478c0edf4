#include "bars_art.h"

#include "button_rim.h"
#include "glyphs.h"
#include "palette.h"
#include "slot_writer.h"

namespace tappomat::skin_art {
namespace {

// A rounded plate with a rim, in one of three greys by state (0 normal, 1 under the
// pointer, 2 pressed).
struct PlateLook {
  Rgb face[3];
  Rgb rim[3];
};

Canvas Plate(int width, int height, Box box, double radius, const PlateLook& look, int frame) {
  Canvas canvas(width, height);
  canvas.Fill(RoundedRect(box, radius), Solid(look.face[frame]));
  canvas.Fill(RoundedRing(box, radius, 1.0), Solid(look.rim[frame]));
  return canvas;
}

void DrawArrow(Bitmap32& master, const Slot& slot, Direction direction) {
  WriteFramesWithAlphaRow(
      master, slot,
      [direction](int frame) {
        Canvas canvas(9, 9);
        const Rgb ink = frame == 0 ? Grey(104) : frame == 1 ? Grey(56) : Grey(32);
        // The base lies on a pixel edge, so it stays crisp; the point is smoothed.
        const Point2 centre = direction == Direction::Up     ? Point2{4.5, 4}
                              : direction == Direction::Down ? Point2{4.5, 5}
                              : direction == Direction::Left ? Point2{5, 4.5}
                                                             : Point2{4, 4.5};
        canvas.Fill(ArrowHead(centre, direction, 7, 4), Solid(ink));
        return canvas;
      },
      Nothing(), palette::kTrack);
}

// Three ridges across a thumb: a dark line with a light one beside it.
Canvas Ridges(int frame) {
  Canvas canvas(9, 9);
  const Rgb dark = frame == 0 ? Grey(150) : frame == 1 ? Grey(136) : Grey(120);
  for (int i = 0; i < 3; ++i) {
    const double x = 2 + 2 * i;
    canvas.Fill(Rectangle({x, 2, x + 1, 7}), Solid(dark));
    canvas.Fill(Rectangle({x + 1, 2, x + 2, 7}), Solid(Grey(236)));
  }
  return canvas;
}

// The tab on top of a page: rounded at the top, open at the bottom when selected (frame
// 2) so it runs into the page; the others stand on the page's top line.
Canvas TopTab(int frame) {
  Canvas canvas(20, 20);
  const Box box{0, 0, 20, 23};
  const Paint faces[3] = {
      VerticalGradient({{1, Grey(232)}, {19, Grey(210)}}),
      VerticalGradient({{1, Grey(246)}, {19, Grey(226)}}),
      VerticalGradient({{1, Grey(216)}, {10, Grey(192)}}),
  };
  canvas.Fill(RoundedRect(box, 3.5), faces[frame]);
  canvas.Fill(RoundedRing(box.Inset(1), 2.5, 1.0), Solid(Grey(255)), frame == 2 ? 0.35 : 0.6);
  canvas.Fill(RoundedRing(box, 3.5, 1.0), Solid(palette::kPanelLine));
  if (frame != 2) canvas.Fill(Rectangle({0, 19, 20, 20}), Solid(palette::kPanelLine));
  return canvas;
}

}  // namespace

void DrawScrollBars(Bitmap32& master) {
  const PlateLook button{{Grey(232), Grey(220), Grey(198)}, {Grey(210), Grey(172), Grey(156)}};
  const Box buttonBox{1, 1, 16, 16};
  WriteFramesWithAlphaRow(
      master, slot::kScrollButton,
      [&](int frame) { return Plate(17, 17, buttonBox, 2.5, button, frame); },
      RoundedRect(buttonBox, 2.5), palette::kTrack);
  const PlateLook thumb{{Grey(204), Grey(188), Grey(168)}, {Grey(182), Grey(162), Grey(144)}};
  const Box thumbBox{2, 2, 15, 15};
  WriteFramesWithAlphaRow(
      master, slot::kScrollSlider,
      [&](int frame) { return Plate(17, 17, thumbBox, 3.0, thumb, frame); },
      RoundedRect(thumbBox, 3.0), palette::kTrack);
  DrawArrow(master, slot::kArrowUp, Direction::Up);
  DrawArrow(master, slot::kArrowDown, Direction::Down);
  DrawArrow(master, slot::kArrowLeft, Direction::Left);
  DrawArrow(master, slot::kArrowRight, Direction::Right);
  // A horizontal thumb gets upright ridges, a vertical one lying ridges.
  WriteFramesWithAlphaRow(master, slot::kSliderGripH, Ridges, Nothing(), Grey(204));
  WriteFramesWithAlphaRow(
      master, slot::kSliderGripV, [](int frame) { return Ridges(frame).Transposed(); }, Nothing(),
      Grey(204));
}

void DrawTabs(Bitmap32& master) {
  // Every tab is the top tab turned: pixels it leaves undrawn are its rounded corners.
  WriteFramesWithAlphaRow(master, slot::kTabTop, TopTab, Nothing(), palette::kPage);
  WriteFramesWithAlphaRow(
      master, slot::kTabBottom, [](int frame) { return TopTab(frame).FlippedVertically(); },
      Nothing(), palette::kPage);
  WriteFramesWithAlphaRow(
      master, slot::kTabLeft, [](int frame) { return TopTab(frame).Transposed(); }, Nothing(),
      palette::kPage);
  WriteFramesWithAlphaRow(
      master, slot::kTabRight,
      [](int frame) { return TopTab(frame).Transposed().FlippedHorizontally(); }, Nothing(),
      palette::kPage);
}

void DrawToolParts(Bitmap32& master) {
  // The small tool button shows its rim only under the pointer and when pressed; frame 0
  // is a faint outline for sections that draw it in every state.
  const Box small{0, 0, 12, 12};
  WriteFramesWithAlphaRow(
      master, slot::kSmallButton,
      [small](int frame) {
        Canvas canvas(12, 12);
        RimLook look = ButtonRimLook(frame);
        if (frame == 0) look = {Grey(196), Grey(255), 0.5};
        DrawButtonRim(canvas, small, 2.5, look);
        return canvas;
      },
      RoundedRect(small, 2.5), palette::kFormFace);
  WriteFramesWithAlphaRow(
      master, slot::kTrackThumb,
      [](int frame) {
        Canvas canvas(11, 18);
        const Box box{1, 1, 10, 17};
        const Paint faces[3] = {
            VerticalGradient({{1, Grey(252)}, {17, Grey(226)}}),
            VerticalGradient({{1, Grey(255)}, {17, Grey(238)}}),
            VerticalGradient({{1, Grey(212)}, {17, Grey(226)}}),
        };
        canvas.Fill(RoundedRect(box, 2.5), faces[frame]);
        canvas.Fill(RoundedRing(box, 2.5, 1.0), Solid(ButtonRimLook(frame).outline));
        return canvas;
      },
      Nothing(), palette::kFormFace);
  // One raised dot per 4 x 4 tile.
  WriteFramesWithAlphaRow(
      master, slot::kGripPattern,
      [](int) {
        Canvas canvas(4, 4);
        canvas.Fill(Rectangle({2, 2, 3, 3}), Solid(Grey(255)));
        canvas.Fill(Rectangle({1, 1, 2, 2}), Solid(Grey(150)));
        return canvas;
      },
      Everything(), palette::kFormFace);
}

}  // namespace tappomat::skin_art
