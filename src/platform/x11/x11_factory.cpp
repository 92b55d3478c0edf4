#include "platform/x11/x11_factory.h"

#include <sys/prctl.h>

#include "platform/x11/x11_platform.h"

namespace tappomat {

std::unique_ptr<Platform> CreateX11Platform(const char* displayName) {
  std::unique_ptr<X11Display> display = X11Display::Open(displayName);
  if (!display) return nullptr;
  // Timers are the program's clock (click playback): let the kernel wake the event wait at
  // its deadline instead of up to 50 µs later, which it may add by default to save power.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  return std::make_unique<X11Platform>(std::move(display));
}

}  // namespace tappomat
