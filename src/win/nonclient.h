#pragma once
// The non-client protocol of the window system: client-area calculation, hit-testing,
// the classic frame and caption, moving by the caption, system commands and scroll bars
// (scroll_bar.h). Implemented in nonclient.cpp.
#include <optional>

#include "win/window_system.h"

namespace tappomat {

// For the other files of win/: the non-client part of DefWindowProc (nullopt: not one of
// its messages).
std::optional<LRESULT> DefNonClientProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace tappomat
