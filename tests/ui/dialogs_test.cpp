// The standard dialogs driven by queued user input: which key or button answers what,
// the text shown, the edit's proposal and limit, and the confirmation box's look.
#include "platform/virtual_keys.h"
#include "support/golden.h"
#include "ui/dialogs.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/timer.h"
#include "ui_fixture.h"
#include "win/input.h"

namespace tappomat::test {
namespace {

class DialogsTest : public UiTest {
 protected:
  void QueueKey(int key, const std::string& text = {}) {
    platform.UserKey(key, true, text);
    platform.UserKey(key, false);
  }
  // Runs `inspect` on the dialog once it shows, then queues `input`.
  void WhenShown(std::function<void(TForm*)> inspect) {
    timer = Create<TTimer>(Application);
    timer->SetInterval(1);
    timer->OnTimer = [this, inspect](TComponent*) {
      timer->SetEnabled(false);
      TForm* dialog = Application->Forms().back();
      inspect(dialog);
    };
  }
  // Answers the next dialog with these keys (Alt held when `alt`).
  void AnswerWith(std::vector<std::pair<int, std::string>> keys, bool alt = false) {
    WhenShown([this, keys, alt](TForm*) {
      if (alt) platform.UserKey(VK_MENU, true);
      for (const auto& [key, text] : keys) QueueKey(key, text);
      if (alt) platform.UserKey(VK_MENU, false);
    });
  }
  TTimer* timer = nullptr;
};

TEST_F(DialogsTest, MessageBoxShowsItsTextAndClosesWithEnterOrEscape) {
  std::string shown;
  int width = 0;
  WhenShown([&](TForm* f) {
    shown = FindControl<TLabel>(*f)->Caption();
    width = f->ClientWidth();
    QueueKey(VK_RETURN);
  });
  MessageDlgBox("Note", "Saved all files", MessageBoxIconKind::Information);
  EXPECT_EQ(shown, "Saved all files");
  EXPECT_GT(width, kMessageBoxIconSize + 40);
  AnswerWith({{VK_ESCAPE, ""}});
  MessageDlgBox("Note", "Again");  // returns: Esc closed it
}

TEST_F(DialogsTest, ConfirmAnswers) {
  AnswerWith({{VK_RETURN, ""}});
  EXPECT_TRUE(ConfirmBox("Delete it?"));
  AnswerWith({{VK_ESCAPE, ""}});
  EXPECT_FALSE(ConfirmBox("Delete it?"));
  AnswerWith({{'N', "n"}}, true);
  EXPECT_FALSE(ConfirmBox("Delete it?"));
  AnswerWith({{'Y', "y"}}, true);
  EXPECT_TRUE(ConfirmBox("Delete it?"));
  WhenShown([&](TForm* f) {
    for (int i = 0; i < f->ControlCount(); ++i)
      if (f->Controls(i)->Caption() == "&No") Click(f->Controls(i));
  });
  EXPECT_FALSE(ConfirmBox("Delete it?"));
}

TEST_F(DialogsTest, InputQuerySelectsTheProposalAndReturnsWhatWasTyped) {
  std::string value = "old";
  int selLength = 0, maxLength = 0;
  WhenShown([&](TForm* f) {
    auto* edit = FindControl<TEdit>(*f);
    selLength = edit->SelLength();
    maxLength = edit->MaxLength();
    QueueKey('N', "n");
    QueueKey('E', "e");
    QueueKey('W', "w");
    QueueKey(VK_RETURN);
  });
  EXPECT_TRUE(InputQueryBox("Name", "New name:", value));
  EXPECT_EQ(value, "new");
  EXPECT_EQ(selLength, 3);
  EXPECT_EQ(maxLength, 255);
  AnswerWith({{'X', "x"}, {VK_ESCAPE, ""}});
  EXPECT_FALSE(InputQueryBox("Name", "New name:", value));
  EXPECT_EQ(value, "new");
}

TEST_F(DialogsTest, AMessageBoxWithALongPathStaysOnTheWorkArea) {
  platform.SetScreen({0, 0, 800, 600}, {0, 0, 800, 560});
  const std::string longPath = "Unable to write to /home/user/" + std::string(300, 'x') + "/" +
                               std::string(200, 'y') + ".tps";
  const std::string manyLines = [] {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
    return text;
  }();
  for (const std::string& text : {longPath, manyLines}) {
    SCOPED_TRACE(text.substr(0, 40));
    Rect bounds;
    std::string shown;
    WhenShown([&](TForm* f) {
      bounds = f->BoundsRect();
      shown = FindControl<TLabel>(*f)->Caption();
      QueueKey(VK_RETURN);
    });
    MessageDlgBox("Tappomat", text, MessageBoxIconKind::Error);
    EXPECT_GE(bounds.left, 0);
    EXPECT_GE(bounds.top, 0);
    EXPECT_LE(bounds.right, 800);
    EXPECT_LE(bounds.bottom, 560);
    EXPECT_LT(bounds.Width(), 500) << "the long word is broken, not the box widened";
    std::string withoutBreaks = shown;
    std::erase(withoutBreaks, '\n');
    EXPECT_EQ(withoutBreaks, [&] {
      std::string t = text;
      std::erase(t, '\n');
      return t;
    }()) << "nothing of the text is lost by the breaks";
  }
}

TEST_F(DialogsTest, ConfirmationLook) {
  bool matched = false;
  WhenShown([&](TForm* f) {
    Pump();
    const auto* record = platform.Window(WindowSystem::Current().Find(f->Handle())->top.native);
    matched = record && MatchesGolden(record->pixels, "ui_dialogs");
    QueueKey(VK_RETURN);
  });
  ConfirmBox("Delete the selected clicking script?");
  EXPECT_TRUE(matched);
}

}  // namespace
}  // namespace tappomat::test
