#pragma once
// What the caption does with the mouse — the modal move loop (SC_MOVE from a press),
// pressing a caption button, maximising to the work area and back — and moving a window
// with the keyboard (SC_MOVE from a window menu). Internal to win/: nonclient.cpp calls
// these for DefWindowProc; caption_actions.cpp implements them, keyboard_move.cpp the
// keyboard move.
#include <functional>

#include "win/mouse_loop.h"
#include "win/window_system.h"

namespace tappomat {

// The move loop of SC_MOVE from a press at `screenPoint`.
void RunMoveLoop(HWND h, Point screenPoint);
// The move loop of SC_MOVE from the keyboard: the pointer is put on the caption, arrow
// keys and the pointer move the window, Enter or a click keeps it, Escape puts it back.
void RunKeyboardMoveLoop(HWND h);
// Tracks a press on a caption button (HTCLOSE, HTMINBUTTON, HTMAXBUTTON): pushed while the
// pointer is over it; on release over it, the button's WM_SYSCOMMAND.
void TrackCaptionButton(HWND h, LRESULT button);
// SC_MAXIMIZE and SC_RESTORE of a maximised top-level window; false: not handled here.
bool MaximizeWindow(HWND h);
bool RestoreMaximizedWindow(HWND h);

// What both move loops share. RunMoveSession: unless the window may not move (a minimised
// or maximised top-level window, or a WH_CBT hook that refuses HCBT_MOVESIZE),
// WM_ENTERSIZEMOVE, then `loop` with the window's rectangle at the start (in the parent's
// client coordinates for a child, on the screen for a top-level window); a cancelled loop
// puts the window back there; then WM_EXITSIZEMOVE.
void RunMoveSession(HWND h, const std::function<LoopEnd(const Rect& start)>& loop);
// One step of a move: the window goes to `start` moved by the pointer's travel from
// `from` to `to` (screen points), as WM_MOVING lets it.
void MoveWithPointer(HWND h, const Rect& start, Point from, Point to);

}  // namespace tappomat
