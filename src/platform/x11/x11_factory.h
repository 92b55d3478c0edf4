#pragma once
// Creates the X11 backend of the platform.
#include <memory>

#include "platform/platform.h"

namespace tappomat {

// Connects to `displayName` (null: $DISPLAY); null when the display cannot be opened.
std::unique_ptr<Platform> CreateX11Platform(const char* displayName = nullptr);

}  // namespace tappomat
