#pragma once
// The master bitmap of "Neutral2 (internal)" (Master.bmp): every image the skin cuts out
// of it, drawn into the slots of master_layout.h; everything else is fuchsia.
#include "imaging/bitmap32.h"

namespace tappomat::skin_art {

Bitmap32 DrawMasterBitmap();

}  // namespace tappomat::skin_art
