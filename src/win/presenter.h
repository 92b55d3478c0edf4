#pragma once
// Back buffers and their presentation. Each top-level window owns a window-sized back
// buffer (TopLevelState::backBuffer) into which it and its children paint; whatever a
// device context may have drawn is added to the top-level's dirty region, and the dirty
// region is shown through the platform when the loop is idle (WindowSystem::PresentDirty)
// or when a repaint is forced (RDW_UPDATENOW). Layered windows that got a picture from
// UpdateLayeredWindow show that picture instead; colour-keyed layered windows take their
// visible and input shape from the back buffer after each presentation.
// Internal to win/: paint.cpp and nonclient.cpp call these.
#include "imaging/bitmap32.h"
#include "imaging/region.h"
#include "win/window_data.h"

namespace tappomat {

// The back buffer of a top-level window, reallocated to the window's size when that
// changed; the old picture is kept at the top-left corner until it is repainted.
Bitmap32& EnsureBackBuffer(WindowData& topLevel);

// Adds an area (top-level window coordinates) to the top-level window's dirty region.
void MarkDirty(HWND topLevel, const Region& area);

// Presents the dirty region of one top-level window now, if it is shown.
void PresentTopLevel(HWND topLevel);

}  // namespace tappomat
