#pragma once
// Where every image of the "Neutral2 (internal)" master bitmap lies: the rectangle (right
// and bottom exclusive), the number of frames side by side and the mask type (1: the lower
// half of the rectangle is the alpha row of the upper half) that the skin's Options.dat
// names for it. The rectangles of the images the program's own controls use are fixed by
// their definition; the others sit in free areas. Shared by the art files and the test.
#include "imaging/geometry.h"

namespace tappomat::skin_art {

struct Slot {
  Rect rect;
  int frames;
  int maskType;
  int FrameWidth() const { return (rect.right - rect.left) / frames; }
  int FrameHeight() const { return (rect.bottom - rect.top) / (maskType + 1); }
};

constexpr int kMasterWidth = 320;
constexpr int kMasterHeight = 320;

namespace slot {
// Controls of the program.
constexpr Slot kSpeedButton{{0, 0, 108, 60}, 3, 1};      // SPEEDBUTTON BORDERSMASK
constexpr Slot kEdit{{108, 0, 135, 24}, 1, 0};           // EDIT, COMBOBOX BORDERSMASK
constexpr Slot kButton{{0, 276, 54, 312}, 3, 1};         // BUTTON BORDERSMASK
constexpr Slot kComboGlyph{{97, 156, 154, 190}, 3, 1};   // COMBOBOX GLYPHMASK
constexpr Slot kBoxChecked{{0, 192, 48, 228}, 3, 1};     // GLOBALINFO BOXCHECKED
constexpr Slot kBoxUnchecked{{49, 192, 97, 228}, 3, 1};  // GLOBALINFO BOXUNCHECKED
constexpr Slot kBoxGrayed{{97, 208, 145, 244}, 3, 1};    // GLOBALINFO BOXGRAYED
constexpr Slot kRadioChecked{{0, 156, 48, 192}, 3, 1};   // GLOBALINFO RADIOCHECKED
constexpr Slot kRadioUnchecked{{49, 156, 97, 192}, 3, 1};
constexpr Slot kSmallUnchecked{{153, 214, 189, 226}, 3, 0};  // GLOBALINFO SMALL...
constexpr Slot kSmallChecked{{153, 226, 189, 238}, 3, 0};
constexpr Slot kSmallGrayed{{153, 238, 189, 250}, 3, 0};
constexpr Slot kGrip{{54, 276, 71, 310}, 1, 1};  // GLOBALINFO GRIPIMAGE
// Caption buttons (GLOBALINFO BICON...; BICONNORM shares the maximise image).
constexpr Slot kCaptionClose{{0, 120, 54, 138}, 3, 0};
constexpr Slot kCaptionHelp{{54, 120, 108, 138}, 3, 0};
constexpr Slot kCaptionMax{{0, 138, 54, 156}, 3, 0};
constexpr Slot kCaptionMin{{54, 138, 108, 156}, 3, 0};
constexpr Slot kTitleButton{{123, 48, 177, 66}, 3, 0};  // GLOBALINFO TITLEBUTTON

// Images of the other sections, in the free area on the right.
constexpr Slot kTabTop{{192, 0, 252, 40}, 3, 1};
constexpr Slot kTabBottom{{252, 0, 312, 40}, 3, 1};
constexpr Slot kTabLeft{{192, 40, 252, 80}, 3, 1};
constexpr Slot kTabRight{{252, 40, 312, 80}, 3, 1};
constexpr Slot kScrollButton{{192, 80, 243, 114}, 3, 1};  // SCROLLBTNTOP BORDERSMASK
constexpr Slot kScrollSlider{{243, 80, 294, 114}, 3, 1};  // SCROLLSLIDERH BORDERSMASK
constexpr Slot kArrowUp{{192, 114, 219, 132}, 3, 1};      // SCROLLBTN... GLYPHMASK
constexpr Slot kArrowDown{{219, 114, 246, 132}, 3, 1};
constexpr Slot kArrowLeft{{246, 114, 273, 132}, 3, 1};
constexpr Slot kArrowRight{{273, 114, 300, 132}, 3, 1};
constexpr Slot kSliderGripH{{192, 132, 219, 150}, 3, 1};  // SCROLLSLIDERH GLYPHMASK
constexpr Slot kSliderGripV{{219, 132, 246, 150}, 3, 1};  // SCROLLSLIDERV GLYPHMASK
constexpr Slot kMenuItem{{246, 132, 282, 156}, 3, 1};
constexpr Slot kSmallButton{{282, 132, 318, 156}, 3, 1};  // SPEEDBUTTON_SMALL, TOOLBUTTON
constexpr Slot kForm{{192, 156, 216, 168}, 2, 0};         // FORM: inactive, active
constexpr Slot kGroupBox{{216, 156, 228, 180}, 1, 1};
constexpr Slot kMainMenu{{228, 156, 237, 165}, 1, 0};  // popup menu frame
constexpr Slot kStatusBar{{237, 156, 243, 168}, 1, 1};
constexpr Slot kPanel{{243, 156, 249, 162}, 1, 0};
constexpr Slot kPanelLow{{249, 156, 255, 162}, 1, 0};
constexpr Slot kGauge{{255, 156, 261, 162}, 1, 0};
constexpr Slot kHint{{261, 156, 267, 162}, 1, 0};
constexpr Slot kDividerV{{267, 156, 273, 158}, 1, 0};     // menu divider line
constexpr Slot kDivider{{273, 156, 275, 162}, 1, 0};      // tool divider line
constexpr Slot kGripPattern{{276, 156, 280, 164}, 1, 1};  // GRIPH PATTERN
constexpr Slot kTrackThumb{{192, 180, 225, 216}, 3, 1};   // TRACKBAR SLIDERHORZ
}  // namespace slot

// Every slot, so the skin's test can match each one to the image reference that names it.
constexpr Slot kAllSlots[] = {
    slot::kSpeedButton,    slot::kEdit,           slot::kButton,       slot::kComboGlyph,
    slot::kBoxChecked,     slot::kBoxUnchecked,   slot::kBoxGrayed,    slot::kRadioChecked,
    slot::kRadioUnchecked, slot::kSmallUnchecked, slot::kSmallChecked, slot::kSmallGrayed,
    slot::kGrip,           slot::kCaptionClose,   slot::kCaptionHelp,  slot::kCaptionMax,
    slot::kCaptionMin,     slot::kTitleButton,    slot::kTabTop,       slot::kTabBottom,
    slot::kTabLeft,        slot::kTabRight,       slot::kScrollButton, slot::kScrollSlider,
    slot::kArrowUp,        slot::kArrowDown,      slot::kArrowLeft,    slot::kArrowRight,
    slot::kSliderGripH,    slot::kSliderGripV,    slot::kMenuItem,     slot::kSmallButton,
    slot::kForm,           slot::kGroupBox,       slot::kMainMenu,     slot::kStatusBar,
    slot::kPanel,          slot::kPanelLow,       slot::kGauge,        slot::kHint,
    slot::kDividerV,       slot::kDivider,        slot::kGripPattern,  slot::kTrackThumb,
};

}  // namespace tappomat::skin_art
