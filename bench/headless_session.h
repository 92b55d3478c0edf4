#pragma once
// A headless window system with an application, for benchmarks that drive real forms.
#include <memory>

#include "platform/headless/headless_platform.h"
#include "ui/application.h"
#include "win/window_system.h"

namespace tappomat {

struct HeadlessSession {
  HeadlessPlatform platform;
  WindowSystem system{platform};
  std::unique_ptr<TApplication> app = std::make_unique<TApplication>();
  // The application goes first: its forms still need the window system.
  ~HeadlessSession() { app.reset(); }
};

}  // namespace tappomat
