#include "platform/x11/x11_factory.h"

#include "platform/x11/x11_platform.h"

namespace tappomat {

std::unique_ptr<Platform> CreateX11Platform(const char* displayName) {
  std::unique_ptr<X11Display> display = X11Display::Open(displayName);
  if (!display) return nullptr;
  return std::make_unique<X11Platform>(std::move(display));
}

}  // namespace tappomat
