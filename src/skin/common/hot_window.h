#pragma once
// The hot window of a skin manager: the adapted window the pointer moved over last. When
// another window becomes hot, the one before hears that it no longer is and the new one
// that it now is (skin messages with the manager as second parameter), so that what
// follows the pointer across windows (frames, glows) can come and go with it.
#include "skin/data/skin_manager.h"
#include "win/types.h"

namespace tappomat {

// The manager's hot window, or kNullWindow.
HWND HotWindowOf(const TsSkinManager* manager);
// Makes `window` the manager's hot window; nothing happens when it already is.
void SetHotWindow(TsSkinManager* manager, HWND window);
// `window` goes away (its adapter detaches): no manager keeps it as its hot window.
void ForgetHotWindow(HWND window);

}  // namespace tappomat
