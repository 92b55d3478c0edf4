#include "ui_fixture.h"

namespace tappomat::test {

UiTest::UiTest() {
  app = std::make_unique<TApplication>();
  app->ShowErrorBox = [this](const std::string& caption, const std::string& text) {
    errorBoxes.emplace_back(caption, text);
  };
}

UiTest::~UiTest() { app.reset(); }

Point UiTest::ScreenPoint(const TControl* control) {
  return ScreenPoint(control, {control->Width() / 2, control->Height() / 2});
}

Point UiTest::ScreenPoint(const TControl* control, Point client) {
  return control->ClientToScreen(client);
}

void UiTest::Click(const TControl* control, MouseButton button) {
  ClickAt(control, {control->Width() / 2, control->Height() / 2}, button);
}

void UiTest::ClickAt(const TControl* control, Point client, MouseButton button) {
  platform.UserClick(ScreenPoint(control, client), button);
  Pump();
}

void UiTest::MoveTo(Point screen) {
  platform.UserMove(screen);
  Pump();
}

void UiTest::Key(int virtualKey, const std::string& text) {
  platform.UserKey(virtualKey, true, text);
  platform.UserKey(virtualKey, false);
  Pump();
}

void UiTest::Wait(int ms) {
  platform.AdvanceClock(std::chrono::milliseconds(ms));
  Pump();
}

}  // namespace tappomat::test
