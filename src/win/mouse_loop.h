#pragma once
// The modal loops that run under the mouse capture. RunCaptureLoop is the frame: the
// window takes the capture and the loop reads the messages itself, handing each to the
// caller, who eats it, ends the loop, or lets it be dispatched as usual (painting, posted
// messages, timers), so the window keeps painting and timers keep firing. RunMouseLoop
// is the loop behind moving a window by its caption, pressing a caption button and
// holding a scroll bar: while the left button is held, pointer moves, the release and its
// own timers go to the caller instead of the window procedure. Called by
// caption_actions.cpp, keyboard_move.cpp and scroll_bar_tracking.cpp.
#include <functional>

#include "win/window_system.h"

namespace tappomat {

enum class LoopEnd {
  Finished,   // the caller ended it (the mouse loop: the left button went up)
  Cancelled,  // Escape, the capture went elsewhere, the window died, or WM_QUIT
};

// What the caller of RunCaptureLoop does with a message the loop read.
enum class LoopStep {
  Dispatch,  // translated and dispatched as usual
  Eat,       // taken by the caller
  Finish,    // ends the loop: LoopEnd::Finished
  Cancel,    // ends the loop: LoopEnd::Cancelled
};

// Runs the loop for `h` while it holds the capture, it lives and `keepGoing` (optional)
// holds. They are checked before each message; a change of the capture or of the active
// window wakes the loop (an empty WM_NULL thread message) to check them at once. WM_QUIT
// ends the loop and is posted again for the outer loop. The capture is released at the
// end if the window still holds it.
LoopEnd RunCaptureLoop(HWND h, const std::function<LoopStep(const MSG&)>& handle,
                       const std::function<bool()>& keepGoing = {});

// Client and non-client mouse messages, the wheel aside.
bool IsMouseMessage(UINT message);

// Timer ids at or above this are the mouse loop's own (WM_TIMER for the tracked window).
constexpr std::uintptr_t kFirstMouseLoopTimer = 0xFFF0;

struct MouseLoopHandlers {
  std::function<void(Point screen)> moved;           // the pointer moved (also before release)
  std::function<void(std::uintptr_t timerId)> timer;  // one of the loop's timers fired
};

// The mouse loop for `h` until the left button goes up (Finished) or Escape; unless the
// left button is already up (then: Cancelled at once).
LoopEnd RunMouseLoop(HWND h, const MouseLoopHandlers& handlers);

}  // namespace tappomat
