// A modal dialog as the component layer will run one: the owner is disabled, a nested
// loop runs until the dialog is done, then the owner is enabled again.
#include "input_fixture.h"

namespace tappomat::test {
namespace {

class Modal : public InputTest {};

TEST_F(Modal, TheDisabledOwnerKeepsItsTimersButItsClicksOnlyBeepAndActivateTheDialog) {
  const HWND owner = Make("owner", WS_POPUP | WS_VISIBLE, {0, 0, 300, 300});
  Settle();
  HWND dialog;
  bool done = false;
  int ticks = 0;
  OnMessage(owner, WM_TIMER, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    if (++ticks == 1) {
      // The user clicks the owner, then the dialog, while the dialog runs.
      platform.UserClick(At(owner, {10, 10}));
      platform.UserClick(At(dialog, {20, 20}));
    }
    return 0;
  });

  EnableWindow(owner, false);
  dialog = Make("dialog", WS_POPUP | WS_VISIBLE, {100, 100, 200, 200}, owner);
  OnMessage(dialog, WM_LBUTTONUP, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    done = true;
    return 0;
  });
  ASSERT_EQ(GetActiveWindow(), dialog);
  SetTimer(owner, 1, 50);
  TakeLog();
  const int beeps = platform.BeepCount();

  EXPECT_TRUE(RunMessageLoopUntil([&] { return done; }));
  EXPECT_EQ(TakeLog({WM_TIMER, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_ACTIVATE, WM_MOUSEACTIVATE}),
            (Log{{"owner", WM_TIMER}, {"dialog", WM_LBUTTONDOWN}, {"dialog", WM_LBUTTONUP}}));
  EXPECT_EQ(platform.BeepCount(), beeps + 1);  // the press on the owner
  EXPECT_EQ(GetActiveWindow(), dialog);

  // The window manager focuses the owner for a click on it: the focus goes back to the
  // dialog.
  platform.UserClick(At(owner, {10, 10}));
  EXPECT_EQ(platform.FocusedWindow(), system.Find(owner)->top.native);
  ProcessMessages();
  EXPECT_EQ(platform.FocusedWindow(), system.Find(dialog)->top.native);
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(platform.BeepCount(), beeps + 2);
  EXPECT_TRUE(TakeLog({WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());

  // The dialog ends: its owner is enabled first, so that it becomes active again.
  EnableWindow(owner, true);
  DestroyWindow(dialog);
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_EQ(GetFocus(), owner);
  DestroyWindow(owner);  // before the handlers' captured locals go
}

}  // namespace
}  // namespace tappomat::test
