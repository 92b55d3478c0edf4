#pragma once
// What the caption does with the mouse: the modal move loop (SC_MOVE), pressing a caption
// button, and maximising to the work area and back. Internal to win/: nonclient.cpp calls
// these for DefWindowProc; caption_actions.cpp implements them.
#include "win/window_system.h"

namespace tappomat {

// The move loop of SC_MOVE from a press at `screenPoint`.
void RunMoveLoop(HWND h, Point screenPoint);
// Tracks a press on a caption button (HTCLOSE, HTMINBUTTON, HTMAXBUTTON): pushed while the
// pointer is over it; on release over it, the button's WM_SYSCOMMAND.
void TrackCaptionButton(HWND h, LRESULT button);
// SC_MAXIMIZE and SC_RESTORE of a maximised top-level window; false: not handled here.
bool MaximizeWindow(HWND h);
bool RestoreMaximizedWindow(HWND h);

}  // namespace tappomat
