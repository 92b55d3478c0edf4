// The application's own error box: an exception that escapes a click handler shows a
// modal message box captioned with the application's title, the message with the
// error-box full-stop rule; OK closes it and the program goes on.
#include <stdexcept>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/timer.h"
#include "ui_fixture.h"
#include "win/input.h"

namespace tappomat::test {
namespace {

class ErrorBoxTest : public UiTest {
 protected:
  ErrorBoxTest() {
    // A fresh application keeps its default error box (the fixture's records instead).
    app.reset();
    app = std::make_unique<TApplication>();
    Application->SetTitle("Tappomat");
    form = Create<TForm>(Application);
    form->SetBounds(100, 100, 300, 200);
    button = Create<TButton>(form);
    button->SetCaption("Go");
    button->SetBounds(10, 10, 75, 25);
    button->SetParent(form);
    form->Show();
    Pump();
  }
  TForm* form = nullptr;
  TButton* button = nullptr;
};

TEST_F(ErrorBoxTest, ShowsTheMessageUnderTheTitleAndOkLetsTheProgramGoOn) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a", "a."},
      {"Value out of range", "Value out of range."},
      {"Stopped.", "Stopped."},
      {"Stop!", "Stop!"},
  };
  for (const auto& [message, shown] : cases) {
    SCOPED_TRACE(message);
    std::string thrown = message;
    int handlerRuns = 0;
    button->OnClick = [&](TComponent*) {
      ++handlerRuns;
      throw std::runtime_error(thrown);
    };
    // Inspect the box once it shows, then press its OK button.
    struct Seen {
      bool shown = false;
      std::string caption, text;
      bool modal = false;
    } seen;
    auto* timer = Create<TTimer>(form);
    timer->SetInterval(10);
    timer->OnTimer = [&](TComponent*) {
      timer->SetEnabled(false);
      TForm* box = Application->Forms().back();
      if (box == form) return;
      seen.shown = true;
      seen.caption = box->Caption();
      if (auto* text = FindControl<TLabel>(*box)) seen.text = text->Caption();
      seen.modal = !IsWindowEnabled(form->Handle());
      if (TButton* ok = FindControl<TButton>(*box, "OK")) Click(ok);
    };
    Click(button);
    EXPECT_EQ(handlerRuns, 1);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, "Tappomat");
    EXPECT_EQ(seen.text, shown);
    EXPECT_TRUE(seen.modal);
    // Closed and gone; the form works again.
    EXPECT_EQ(Application->Forms().size(), 1u);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    timer->Free();
  }
  int clicks = 0;
  button->OnClick = [&](TComponent*) { ++clicks; };
  Click(button);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ErrorBoxTest, AnErrorWhileTheProgramEndsWaitsForOk) {
  Application->Terminate();
  bool shown = false;
  auto* timer = Create<TTimer>(form);
  timer->SetInterval(10);
  timer->OnTimer = [&](TComponent*) {
    TForm* box = Application->Forms().back();
    if (box == form) return;
    timer->SetEnabled(false);
    shown = true;
    if (TButton* ok = FindControl<TButton>(*box, "OK")) Click(ok);
  };
  GuardedCall([] { throw std::runtime_error("Unable to write to /x/Tappomat.ini"); });
  EXPECT_TRUE(shown) << "the box showed and was answered";
  EXPECT_TRUE(Application->Terminated()) << "the program still ends";
}

}  // namespace
}  // namespace tappomat::test
