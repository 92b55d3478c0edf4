#pragma once
// The one hover-and-press state of all skinned scroll bars. Only one bar can be hovered or
// pressed at a time (a press captures the mouse), so the whole engine shares it: which
// window was last tracked, which bar and part are hovered, which part was pressed and is
// shown pressed, the running timers and what a thumb drag started from. The scroll-window
// adapters read and change it; nothing else does.
#include <cstdint>

#include "imaging/geometry.h"
#include "win/types.h"

namespace tappomat {

// Window timers of the tracked window.
inline constexpr std::uintptr_t kScrollHoverTimer = 0xFFF2;        // every 20 ms while hovering
inline constexpr std::uintptr_t kScrollFirstRepeatTimer = 0xFFFD;  // 300 ms after a press
inline constexpr std::uintptr_t kScrollRepeatTimer = 0xFFFE;       // every 55 ms after that
inline constexpr unsigned kScrollHoverPeriod = 20;
inline constexpr unsigned kScrollFirstRepeatDelay = 300;
inline constexpr unsigned kScrollRepeatPeriod = 55;

struct ScrollDrag {
  int thumbLength = 0;
  int thumbStart = 0;
  Rect bar;            // screen coordinates, at the press
  int grabOffset = 0;  // pointer minus thumb start, along the bar
  int lastTrackPos = 0;
};

struct ScrollTrackingState {
  HWND window = kNullWindow;  // whose bar was last hovered or pressed
  int hoverOrientation = -1;  // 0 horizontal, 1 vertical, -1 none
  int hoveredPart = -1;
  int previousHoveredPart = -1;
  Rect hoverRect;  // screen coordinates
  std::uintptr_t hoverTimer = 0;
  int pressedOrientation = -1;
  int pressedPart = -1;
  int shownPart = -1;      // drawn pressed: the pressed part while the pointer is on it
  UINT scrollMessage = 0;  // WM_HSCROLL or WM_VSCROLL
  std::uintptr_t repeatTimer = 0;
  ScrollDrag drag;

  // Forgets the press (after the release).
  void ResetPress() {
    pressedPart = shownPart = pressedOrientation = -1;
    repeatTimer = 0;
    scrollMessage = 0;
  }
  // Forgets the hover (the pointer left the bar).
  void ResetHover() {
    hoverOrientation = hoveredPart = previousHoveredPart = -1;
    hoverTimer = 0;
  }
};

// The engine-wide state (user-interface thread only).
ScrollTrackingState& ScrollTracking();

}  // namespace tappomat
