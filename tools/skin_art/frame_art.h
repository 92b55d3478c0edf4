#pragma once
// Images of windows and menus: the form border, the caption buttons and the user title
// button, the popup menu frame, the highlighted menu item and the menu divider, and the
// flat frames of panels, group boxes, gauges, hints and the status bar. Each function
// draws into its slot of the master bitmap.
#include "imaging/bitmap32.h"

namespace tappomat::skin_art {

void DrawCaptionButtons(Bitmap32& master);  // BICON..., TITLEBUTTON
void DrawFormBorder(Bitmap32& master);      // FORM
void DrawMenus(Bitmap32& master);           // MAINMENU, MENUITEM, DIVIDERV
void DrawPanels(Bitmap32& master);  // PANEL, PANEL_LOW, GROUPBOX, GAUGE, HINT, STATUSBAR, DIVIDER

}  // namespace tappomat::skin_art
