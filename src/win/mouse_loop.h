#pragma once
// The modal mouse loop behind moving a window by its caption, pressing a caption button
// and holding a scroll bar: the window takes the capture, and while the left button is
// held the loop reads the messages itself — pointer moves, the release and its own timers
// go to the caller instead of the window procedure; everything else (painting, posted
// messages, other timers) is dispatched as usual, so the window keeps painting. Called by
// nonclient.cpp and scroll_bar_tracking.cpp.
#include <functional>

#include "win/window_system.h"

namespace tappomat {

enum class MouseLoopEnd {
  Released,   // the left button went up
  Cancelled,  // Escape, the capture went elsewhere, the window died, or WM_QUIT
};

// Timer ids at or above this are the loop's own (WM_TIMER for the tracked window).
constexpr std::uintptr_t kFirstMouseLoopTimer = 0xFFF0;

struct MouseLoopHandlers {
  std::function<void(Point screen)> moved;           // the pointer moved (also before release)
  std::function<void(std::uintptr_t timerId)> timer;  // one of the loop's timers fired
};

// Runs the loop for `h` unless the left button is already up (then: Cancelled at once).
// The capture is released at the end if the window still holds it.
MouseLoopEnd RunMouseLoop(HWND h, const MouseLoopHandlers& handlers);

}  // namespace tappomat
