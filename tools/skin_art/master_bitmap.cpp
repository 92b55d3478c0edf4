#include "master_bitmap.h"

#include "bars_art.h"
#include "controls_art.h"
#include "frame_art.h"
#include "master_layout.h"

namespace tappomat::skin_art {

Bitmap32 DrawMasterBitmap() {
  Bitmap32 master(kMasterWidth, kMasterHeight, kFuchsiaPixel | 0xFF000000);
  DrawButtons(master);
  DrawEditFrame(master);
  DrawCheckBoxes(master);
  DrawSizeGrip(master);
  DrawCaptionButtons(master);
  DrawFormBorder(master);
  DrawMenus(master);
  DrawPanels(master);
  DrawScrollBars(master);
  DrawTabs(master);
  DrawToolParts(master);
  return master;
}

}  // namespace tappomat::skin_art
