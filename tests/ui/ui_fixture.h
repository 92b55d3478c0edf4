#pragma once
// Test fixture for the component layer: a headless platform with a driven clock, a window
// system over it and the Application, whose error box is replaced by a recorder. Helpers
// click and type at controls as a user would (through the platform's native events).
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "win/window_system.h"

namespace tappomat {
class TTimer;
}

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
  // Types a text into the focused control, one character per key press.
  void Type(const std::string& utf8);

  // Answers the modal dialogs that the next commands open, in order: each action runs
  // once its dialog is showing (from a timer inside the dialog's modal loop) and is
  // expected to close it, e.g. by Key(VK_RETURN). A dialog left without an answer fails
  // the test and is closed after a driven second.
  using DialogAction = std::function<void(TForm& dialog)>;
  void AnswerDialogs(std::vector<DialogAction> actions);
  // True when every queued dialog action has run.
  bool DialogsAnswered() const { return m_dialogActions.empty(); }
  // The first control of the form (searched through its children) of type T with this
  // caption, or any caption when empty; null when there is none.
  template <class T>
  static T* FindControl(TWinControl& parent, const std::string& caption = {}) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
      TControl* child = parent.Controls(i);
      auto* found = dynamic_cast<T*>(child);
      if (found && (caption.empty() || child->Caption() == caption)) return found;
      if (auto* inner = dynamic_cast<TWinControl*>(child))
        if (T* found = FindControl<T>(*inner, caption)) return found;
    }
    return nullptr;
  }

  HeadlessPlatform platform;
  WindowSystem system{platform};
  std::unique_ptr<TApplication> app;
  // (caption, text) of every error box shown.
  std::vector<std::pair<std::string, std::string>> errorBoxes;

 private:
  void AnswerShowingDialog();

  std::deque<DialogAction> m_dialogActions;
  TTimer* m_dialogTimer = nullptr;
  int m_unansweredTicks = 0;
};

}  // namespace tappomat::test
