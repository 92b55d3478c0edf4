#include "ui_fixture.h"

#include <cctype>

#include "ui/timer.h"

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

void UiTest::Type(const std::string& utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead >= 0xF0) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
    const std::string character = utf8.substr(i, length);
    // Letters and digits come with their own key; other characters only as text.
    int key = 0;
    if (length == 1 && std::isalnum(lead)) key = std::toupper(lead);
    Key(key, character);
    i += length;
  }
}

void UiTest::AnswerDialogs(std::vector<DialogAction> actions) {
  m_dialogActions.assign(actions.begin(), actions.end());
  m_unansweredTicks = 0;
  if (!m_dialogTimer) {
    m_dialogTimer = Create<TTimer>(app.get());
    m_dialogTimer->SetInterval(1);
    m_dialogTimer->OnTimer = [this](TComponent*) { AnswerShowingDialog(); };
  }
  m_dialogTimer->SetEnabled(true);
}

void UiTest::AnswerShowingDialog() {
  TForm* showing = nullptr;
  const std::vector<TForm*>& forms = Application->Forms();
  for (auto it = forms.rbegin(); it != forms.rend() && !showing; ++it) {
    if ((*it)->Modal() && (*it)->Visible() && (*it)->ModalResult() == mrNone) showing = *it;
  }
  if (!showing) {
    m_unansweredTicks = 0;
    if (m_dialogActions.empty()) m_dialogTimer->SetEnabled(false);
    return;
  }
  if (m_dialogActions.empty()) {
    // A dialog nobody answers would hang the test: after a (driven) second it fails.
    if (++m_unansweredTicks < 1000) return;
    ADD_FAILURE() << "a dialog was left open: " << showing->Caption();
    showing->SetModalResult(mrAbort);
    return;
  }
  m_unansweredTicks = 0;
  DialogAction action = std::move(m_dialogActions.front());
  m_dialogActions.pop_front();
  // Not again from a pump inside the action: one dialog, one action.
  m_dialogTimer->SetEnabled(false);
  action(*showing);
  m_dialogTimer->SetEnabled(true);
}

}  // namespace tappomat::test
