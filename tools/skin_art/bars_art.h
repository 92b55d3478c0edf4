#pragma once
// Images of bars and tabs: scroll bar buttons, thumbs and their arrows and grips, the
// tabs of page controls on all four sides, the small tool button, the track bar thumb and
// the dotted grip pattern of drag bars. Each function draws into its slots of the master
// bitmap.
#include "imaging/bitmap32.h"

namespace tappomat::skin_art {

void DrawScrollBars(Bitmap32& master);  // SCROLLBTN..., SCROLLSLIDER...
void DrawTabs(Bitmap32& master);        // TABTOP, TABBOTTOM, TABLEFT, TABRIGHT
void DrawToolParts(Bitmap32& master);   // SPEEDBUTTON_SMALL, TRACKBAR thumb, GRIPH

}  // namespace tappomat::skin_art
