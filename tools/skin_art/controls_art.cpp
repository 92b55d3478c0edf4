#include "controls_art.h"

#include "button_rim.h"
#include "glyphs.h"
#include "palette.h"
#include "slot_writer.h"

namespace tappomat::skin_art {
namespace {

Box FrameBox(const Slot& slot) {
  return {0, 0, static_cast<double>(slot.FrameWidth()), static_cast<double>(slot.FrameHeight())};
}

// Outline and face of a check box or radio button in a state: 0 normal, 1 under the
// pointer, 2 pressed.
struct BoxLook {
  Rgb outline;
  Paint face;
};

BoxLook CheckLook(int frame, double top, double bottom) {
  switch (frame) {
    case 0:
      return {palette::kFrameLine, VerticalGradient({{top, Grey(255)}, {bottom, Grey(234)}})};
    case 1:
      return {palette::kHotLine, VerticalGradient({{top, Grey(255)}, {bottom, Grey(246)}})};
    default:
      return {Grey(80), VerticalGradient({{top, Grey(214)}, {bottom, Grey(230)}})};
  }
}

enum class Mark { None, Check, Grayed, Dot };

Canvas CheckBoxFrame(int frame, Mark mark) {
  Canvas canvas(16, 18);
  const Box box{1, 2, 15, 16};
  const BoxLook look = CheckLook(frame, box.top, box.bottom);
  canvas.Fill(RoundedRect(box, 2.5), look.face);
  canvas.Fill(RoundedRing(box, 2.5, 1.0), Solid(look.outline));
  if (mark == Mark::Check)
    canvas.Fill(CheckMark({4.5, 5.5, 11.5, 12.0}, 2.0), Solid(palette::kMark));
  if (mark == Mark::Grayed) canvas.Fill(RoundedRect({5, 6, 11, 12}, 1.0), Solid(Grey(120)));
  return canvas;
}

Canvas RadioFrame(int frame, Mark mark) {
  Canvas canvas(16, 18);
  const Point2 centre{8, 9};
  const BoxLook look = CheckLook(frame, 2, 16);
  canvas.Fill(Circle(centre, 7), look.face);
  canvas.Fill(CircleRing(centre, 7, 1.0), Solid(look.outline));
  if (mark == Mark::Dot) {
    canvas.Fill(Circle(centre, 3), VerticalGradient({{6, Grey(70)}, {12, Grey(30)}}));
  }
  return canvas;
}

// The small boxes of menu items are drawn colour-keyed on their own white face, so they
// carry no edge that depends on the menu behind them.
Canvas SmallBoxFrame(int frame, Mark mark) {
  Canvas canvas(12, 12);
  const Box box{1, 1, 11, 11};
  const Rgb outline = frame == 0 ? palette::kFrameLine : frame == 1 ? palette::kHotLine : Grey(80);
  canvas.Fill(Rectangle(box), Solid(frame == 2 ? Grey(224) : Grey(255)));
  canvas.Fill(Difference(Rectangle(box), Rectangle(box.Inset(1))), Solid(outline));
  if (mark == Mark::Check) canvas.Fill(CheckMark({3.2, 3.6, 8.8, 8.6}, 1.6), Solid(palette::kMark));
  if (mark == Mark::Grayed) canvas.Fill(Rectangle({4, 4, 8, 8}), Solid(Grey(120)));
  return canvas;
}

}  // namespace

void DrawButtons(Bitmap32& master) {
  const auto rim = [](const Slot& slot, double radius) {
    return [&slot, radius](int frame) {
      Canvas canvas(slot.FrameWidth(), slot.FrameHeight());
      DrawButtonRim(canvas, FrameBox(slot), radius, ButtonRimLook(frame));
      return canvas;
    };
  };
  WriteFramesWithAlphaRow(master, slot::kButton, rim(slot::kButton, 3.5),
                          RoundedRect(FrameBox(slot::kButton), 3.5), Grey(224));
  WriteFramesWithAlphaRow(master, slot::kSpeedButton, rim(slot::kSpeedButton, 3.5),
                          RoundedRect(FrameBox(slot::kSpeedButton), 3.5), Grey(214));
}

void DrawEditFrame(Bitmap32& master) {
  // An outer line and a faint inner one: the field looks set into the form.
  WriteFramesOpaque(
      master, slot::kEdit,
      [](int) {
        Canvas canvas(slot::kEdit.FrameWidth(), slot::kEdit.FrameHeight());
        const Box box = FrameBox(slot::kEdit);
        canvas.Fill(Difference(Rectangle(box), Rectangle(box.Inset(1))), Solid(Grey(150)));
        canvas.Fill(Difference(Rectangle(box.Inset(1)), Rectangle(box.Inset(2))), Solid(Grey(236)));
        return canvas;
      },
      palette::kWindow);
  WriteFramesWithAlphaRow(
      master, slot::kComboGlyph,
      [](int frame) {
        Canvas canvas(slot::kComboGlyph.FrameWidth(), slot::kComboGlyph.FrameHeight());
        const Rgb color = frame == 0 ? Grey(96) : frame == 1 ? Grey(48) : Grey(24);
        canvas.Fill(ArrowHead({9.5, 8.25}, Direction::Down, 8, 4.5),
                    Solid(color));  // base on a pixel edge
        return canvas;
      },
      Nothing(), Grey(255));
}

void DrawCheckBoxes(Bitmap32& master) {
  const auto boxes = [](Mark mark) {
    return [mark](int frame) { return CheckBoxFrame(frame, mark); };
  };
  const auto radios = [](Mark mark) {
    return [mark](int frame) { return RadioFrame(frame, mark); };
  };
  const auto small = [](Mark mark) {
    return [mark](int frame) { return SmallBoxFrame(frame, mark); };
  };
  WriteFramesWithAlphaRow(master, slot::kBoxChecked, boxes(Mark::Check), Nothing(), Grey(255));
  WriteFramesWithAlphaRow(master, slot::kBoxUnchecked, boxes(Mark::None), Nothing(), Grey(255));
  WriteFramesWithAlphaRow(master, slot::kBoxGrayed, boxes(Mark::Grayed), Nothing(), Grey(255));
  WriteFramesWithAlphaRow(master, slot::kRadioChecked, radios(Mark::Dot), Nothing(), Grey(255));
  WriteFramesWithAlphaRow(master, slot::kRadioUnchecked, radios(Mark::None), Nothing(), Grey(255));
  WriteFramesKeyed(master, slot::kSmallChecked, small(Mark::Check), Grey(255));
  WriteFramesKeyed(master, slot::kSmallUnchecked, small(Mark::None), Grey(255));
  WriteFramesKeyed(master, slot::kSmallGrayed, small(Mark::Grayed), Grey(255));
}

void DrawSizeGrip(Bitmap32& master) {
  // Six raised dots in a triangle towards the lower right corner.
  WriteFramesWithAlphaRow(
      master, slot::kGrip,
      [](int) {
        Canvas canvas(slot::kGrip.FrameWidth(), slot::kGrip.FrameHeight());
        for (int row = 0; row < 3; ++row) {
          for (int column = 2 - row; column < 3; ++column) {
            const double x = 5 + column * 4, y = 5 + row * 4;
            canvas.Fill(Rectangle({x + 1, y + 1, x + 3, y + 3}), Solid(Grey(255)));
            canvas.Fill(Rectangle({x, y, x + 2, y + 2}), Solid(Grey(140)));
          }
        }
        return canvas;
      },
      Nothing(), Grey(255));
}

}  // namespace tappomat::skin_art
