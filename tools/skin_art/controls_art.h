#pragma once
// Images of the controls the program itself shows: push buttons, speed buttons, the edit
// and combo box frame and arrow, check boxes, radio buttons, the small menu check boxes
// and the size grip. Each function draws into its fixed slot of the master bitmap.
#include "imaging/bitmap32.h"

namespace tappomat::skin_art {

void DrawButtons(Bitmap32& master);     // BUTTON, SPEEDBUTTON
void DrawEditFrame(Bitmap32& master);   // EDIT and COMBOBOX border, combo arrow
void DrawCheckBoxes(Bitmap32& master);  // BOX..., RADIO..., SMALL...
void DrawSizeGrip(Bitmap32& master);    // GRIPIMAGE

}  // namespace tappomat::skin_art
