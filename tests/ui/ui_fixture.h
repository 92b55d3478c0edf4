#pragma once
// Test fixture for the component layer: a headless platform with a driven clock, a window
// system over it and the Application, whose error box is replaced by a recorder. Helpers
// click and type at controls as a user would (through the platform's native events).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "ui/application.h"
#include "ui/control.h"
#include "win/window_system.h"

namespace tappomat::test {

class UiTest : public ::testing::Test {
 protected:
  UiTest();
  ~UiTest() override;

  // The centre of a control (or a client point of it) on the screen.
  static Point ScreenPoint(const TControl* control);
  static Point ScreenPoint(const TControl* control, Point client);
  void Click(const TControl* control, MouseButton button = MouseButton::Left);
  void ClickAt(const TControl* control, Point client, MouseButton button = MouseButton::Left);
  void MoveTo(Point screen);
  // A key press and release; `text` is what the key types.
  void Key(int virtualKey, const std::string& text = {});
  void Pump() { Application->ProcessMessages(); }
  // Advances the driven clock and serves what became due.
  void Wait(int ms);

  HeadlessPlatform platform;
  WindowSystem system{platform};
  std::unique_ptr<TApplication> app;
  // (caption, text) of every error box shown.
  std::vector<std::pair<std::string, std::string>> errorBoxes;
};

}  // namespace tappomat::test
