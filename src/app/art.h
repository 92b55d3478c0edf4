#pragma once
// The program's small pictures, drawn by code: the language flags of the language menu,
// the stay-on-top pushpin, the endless-repeat sign, the program icon and the About box's
// computer mouse. Each call draws a fresh Bitmap32 with straight alpha (0xAARRGGBB);
// shapes are anti-aliased by sampling every pixel on a fine grid (the British flag keeps
// whole pixels). Called by the main window when it builds its menus and buttons, by
// start-up for the window icon and by the About box.
#include "imaging/bitmap32.h"

namespace tappomat {

// 16 × 11: white, blue and red stripes (4, 3 and 4 rows) with a 1-pixel darker rim.
Bitmap32 RussianFlag();
// 16 × 11: a simplified union flag: blue field, white saltire with thin red diagonals,
// white cross with a red cross on it, and the same darker rim.
Bitmap32 BritishFlag();
// 16 × 16: a blue pushpin, round head up right, needle down left, on transparent.
Bitmap32 BluePushpin();
// 16 × 10: a dark infinity sign on transparent.
Bitmap32 InfinitySign();
// size × size (32 and 16 are used; sizes below 8 or above 256 are clamped): a white mouse
// pointer with a black rim and clicking rays at its tip, on transparent.
Bitmap32 ProgramIcon(int size);
// 48 × 48: a light grey two-button mouse with a dark wheel and rim, lit from the upper
// left, its cable curling up to the right, on transparent.
Bitmap32 ComputerMouse();

// The picture with its colours multiplied by alpha, as images, glyphs and window icons
// take them.
Bitmap32 Premultiplied(Bitmap32 picture);

}  // namespace tappomat
