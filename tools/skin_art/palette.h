#pragma once
// The greys of the "Neutral2 (internal)" art. The section colours of its Options.dat are
// chosen to match: the form face, the caption that the caption-button signs are blended
// over, and the page colour under selected tabs.
#include "paint.h"

namespace tappomat::skin_art::palette {

constexpr Rgb kFormFace = Grey(224);   // FORM COLOR 14737632
constexpr Rgb kCaption = Grey(236);    // middle of the FORMTITLE gradients
constexpr Rgb kPage = Grey(192);       // PAGECONTROL COLOR 12632256
constexpr Rgb kWindow = Grey(255);     // EDIT COLOR
constexpr Rgb kMenu = Grey(250);       // MAINMENU COLOR 16448250
constexpr Rgb kTrack = Grey(240);      // SCROLLBAR1H COLOR 15790320
constexpr Rgb kMark = Grey(40);        // check marks, radio dots
constexpr Rgb kSign = Grey(72);        // caption-button signs, arrows
constexpr Rgb kFrameLine = Grey(128);  // outline of buttons and boxes
constexpr Rgb kHotLine = Grey(92);
constexpr Rgb kPanelLine = Grey(170);  // panels, page controls, tabs
constexpr Rgb kCloseHot{214, 64, 58};  // the close button under the pointer
constexpr Rgb kClosePressed{176, 44, 40};

}  // namespace tappomat::skin_art::palette
