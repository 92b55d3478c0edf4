#pragma once
// The four 32x32 message-box icons (error, warning, question, information), drawn with
// the gdi primitives in the program's own plain style. Called by the message-box dialog
// and the confirmation box.
#include "gdi/device_context.h"
#include "imaging/geometry.h"

namespace tappomat {

enum class MessageBoxIconKind { Error, Warning, Question, Information };

inline constexpr int kMessageBoxIconSize = 32;

// Draws the icon with its top-left corner at `at`; pixels outside the figure are left
// alone, so the icon sits on whatever the dialog painted.
void DrawMessageBoxIcon(DeviceContext& dc, Point at, MessageBoxIconKind kind);

}  // namespace tappomat
