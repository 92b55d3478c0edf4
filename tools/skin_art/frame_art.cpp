#include "frame_art.h"

#include "glyphs.h"
#include "palette.h"
#include "slot_writer.h"

namespace tappomat::skin_art {
namespace {

enum class Sign { None, Close, Maximize, Minimize, Help };

// A caption button: the sign alone when idle; on a light plate under the pointer and a
// darker one when pressed (the close button turns red). Drawn colour-keyed and blended
// over the caption's own grey, so its edges match the caption it sits on.
Canvas CaptionButton(int frame, Sign sign) {
  Canvas canvas(18, 18);
  const Shape plate = RoundedRect({0, 0, 18, 18}, 3.0);
  Rgb ink = palette::kSign;
  if (sign == Sign::Close && frame > 0) {
    canvas.Fill(plate, Solid(frame == 1 ? palette::kCloseHot : palette::kClosePressed));
    ink = Grey(255);
  } else if (frame == 1) {
    canvas.Fill(plate, Solid(Grey(252)));
    canvas.Fill(RoundedRing({0, 0, 18, 18}, 3.0, 1.0), Solid(Grey(176)));
    ink = Grey(32);
  } else if (frame == 2) {
    canvas.Fill(plate, Solid(Grey(206)));
    canvas.Fill(RoundedRing({0, 0, 18, 18}, 3.0, 1.0), Solid(Grey(150)));
    ink = Grey(16);
  } else if (sign == Sign::None) {
    // An idle user button still shows where it is.
    canvas.Fill(RoundedRing({0, 0, 18, 18}, 3.0, 1.0), Solid(Grey(196)));
  }
  switch (sign) {
    case Sign::Close:
      canvas.Fill(CloseSign({5.5, 5.5, 12.5, 12.5}, 1.7), Solid(ink));
      break;
    case Sign::Maximize:
      canvas.Fill(MaximizeSign({5, 5, 13, 13}, 1.0), Solid(ink));
      break;
    case Sign::Minimize:
      canvas.Fill(MinimizeSign({5, 5, 13, 13}, 2.0), Solid(ink));
      break;
    case Sign::Help:
      canvas.Fill(HelpSign({5.5, 3.5, 12.5, 14.5}, 1.7), Solid(ink));
      break;
    case Sign::None:
      break;
  }
  return canvas;
}

// A one-pixel line round a small frame over a face colour: the border masks of flat
// containers (edges stretched, centre left to the section's colour).
Canvas LineFrame(const Slot& slot, Rgb line, Rgb face) {
  Canvas canvas(slot.FrameWidth(), slot.FrameHeight());
  const Box box{0, 0, static_cast<double>(slot.FrameWidth()),
                static_cast<double>(slot.FrameHeight())};
  canvas.Fill(Rectangle(box), Solid(face));
  canvas.Fill(Difference(Rectangle(box), Rectangle(box.Inset(1))), Solid(line));
  return canvas;
}

}  // namespace

void DrawCaptionButtons(Bitmap32& master) {
  const auto button = [](Sign sign) {
    return [sign](int frame) { return CaptionButton(frame, sign); };
  };
  WriteFramesKeyed(master, slot::kCaptionClose, button(Sign::Close), palette::kCaption);
  WriteFramesKeyed(master, slot::kCaptionMax, button(Sign::Maximize), palette::kCaption);
  WriteFramesKeyed(master, slot::kCaptionMin, button(Sign::Minimize), palette::kCaption);
  WriteFramesKeyed(master, slot::kCaptionHelp, button(Sign::Help), palette::kCaption);
  WriteFramesKeyed(master, slot::kTitleButton, button(Sign::None), palette::kCaption);
}

void DrawFormBorder(Bitmap32& master) {
  // Frame 0 inactive, frame 1 active: a dark outer line and a light band round the client.
  WriteFramesOpaque(
      master, slot::kForm,
      [](int frame) {
        return LineFrame(slot::kForm, frame == 1 ? Grey(112) : Grey(164),
                         frame == 1 ? Grey(230) : Grey(236));
      },
      palette::kFormFace);
}

void DrawMenus(Bitmap32& master) {
  WriteFramesOpaque(
      master, slot::kMainMenu,
      [](int) { return LineFrame(slot::kMainMenu, Grey(160), palette::kMenu); }, palette::kMenu);
  // The highlight of an item: a rounded grey plate with a slightly darker rim.
  const Box item{0, 0, 12, 12};
  WriteFramesWithAlphaRow(
      master, slot::kMenuItem,
      [item](int frame) {
        Canvas canvas(12, 12);
        canvas.Fill(RoundedRect(item, 3.0), Solid(frame == 0 ? Grey(236) : Grey(218)));
        canvas.Fill(RoundedRing(item, 3.0, 1.0), Solid(frame == 0 ? Grey(206) : Grey(180)));
        return canvas;
      },
      Nothing(), palette::kMenu);
  // An engraved line: dark above light.
  WriteFramesOpaque(
      master, slot::kDividerV,
      [](int) {
        Canvas canvas(6, 2);
        canvas.Fill(Rectangle({0, 0, 6, 1}), Solid(Grey(208)));
        canvas.Fill(Rectangle({0, 1, 6, 2}), Solid(Grey(255)));
        return canvas;
      },
      palette::kMenu);
}

void DrawPanels(Bitmap32& master) {
  WriteFramesOpaque(
      master, slot::kPanel,
      [](int) { return LineFrame(slot::kPanel, palette::kPanelLine, palette::kFormFace); },
      palette::kFormFace);
  WriteFramesOpaque(
      master, slot::kGauge,
      [](int) { return LineFrame(slot::kGauge, Grey(150), palette::kWindow); }, palette::kWindow);
  WriteFramesOpaque(
      master, slot::kHint, [](int) { return LineFrame(slot::kHint, Grey(118), Grey(250)); },
      Grey(250));
  // Sunken: shade on the top and left edges, light on the bottom and right.
  WriteFramesOpaque(
      master, slot::kPanelLow,
      [](int) {
        Canvas canvas(6, 6);
        canvas.Fill(Rectangle({0, 0, 6, 6}), Solid(palette::kFormFace));
        canvas.Fill(Rectangle({0, 5, 6, 6}), Solid(Grey(252)));
        canvas.Fill(Rectangle({5, 0, 6, 6}), Solid(Grey(252)));
        canvas.Fill(Rectangle({0, 0, 6, 1}), Solid(Grey(150)));
        canvas.Fill(Rectangle({0, 0, 1, 6}), Solid(Grey(150)));
        return canvas;
      },
      palette::kFormFace);
  const Box group{0, 0, 12, 12};
  WriteFramesWithAlphaRow(
      master, slot::kGroupBox,
      [group](int) {
        Canvas canvas(12, 12);
        canvas.Fill(RoundedRing(group, 3.0, 1.0), Solid(Grey(182)));
        return canvas;
      },
      RoundedRect(group, 3.0), palette::kFormFace);
  // The status bar: a line along its top with a light line under it; the rest is its
  // own face.
  WriteFramesWithAlphaRow(
      master, slot::kStatusBar,
      [](int) {
        Canvas canvas(6, 6);
        canvas.Fill(Rectangle({0, 0, 6, 1}), Solid(Grey(176)));
        canvas.Fill(Rectangle({0, 1, 6, 2}), Solid(Grey(255)), 0.7);
        return canvas;
      },
      Everything(), palette::kFormFace);
  WriteFramesOpaque(
      master, slot::kDivider,
      [](int) {
        Canvas canvas(2, 6);
        canvas.Fill(Rectangle({0, 0, 1, 6}), Solid(Grey(184)));
        canvas.Fill(Rectangle({1, 0, 2, 6}), Solid(Grey(255)));
        return canvas;
      },
      palette::kFormFace);
}

}  // namespace tappomat::skin_art
