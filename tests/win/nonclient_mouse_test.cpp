// The mouse in the non-client area, driven as a user would through the headless platform:
// moving a window by its caption and the caption buttons.
#include <gtest/gtest.h>

#include "platform/virtual_keys.h"
#include "win/input.h"
#include "win/nonclient.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

using Log = std::vector<LoggedMessage>;

class NonClientMouse : public WinTest {
 protected:
  // 200x150 at (100, 100): caption from y 104 to 122; close button at x 278..293,
  // maximise 260..275, minimise 244..259 (screen).
  HWND CreateMain() {
    const HWND h = Create("main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Rect::FromSize(100, 100, 200, 150));
    ProcessMessages();
    TakeLog();
    return h;
  }
  const HeadlessPlatform::WindowRecord& Native(HWND h) { return *platform.Window(system.Find(h)->top.native); }
};

TEST_F(NonClientMouse, DraggingTheCaptionMovesTheWindowByThePointersTravel) {
  const HWND h = CreateMain();
  platform.UserButton({150, 110}, MouseButton::Left, true);
  platform.UserMove({170, 140});
  platform.UserMove({180, 150});
  platform.UserButton({180, 150}, MouseButton::Left, false);
  ProcessMessages();
  EXPECT_EQ(GetWindowRect(h), Rect::FromSize(130, 140, 200, 150));
  EXPECT_EQ(Native(h).bounds, Rect::FromSize(130, 140, 200, 150));
  EXPECT_EQ(TakeLog({WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE}),
            (Log{{"main", WM_NCLBUTTONDOWN},
                 {"main", WM_SYSCOMMAND},
                 {"main", WM_ENTERSIZEMOVE},
                 {"main", WM_MOVING},
                 {"main", WM_MOVING},
                 {"main", WM_MOVING},
                 {"main", WM_EXITSIZEMOVE}}));
  EXPECT_EQ(GetCapture(), kNullWindow);
}

TEST_F(NonClientMouse, WmMovingCanHoldTheWindowAndEscapePutsItBack) {
  const HWND h = CreateMain();
  OnMessage(h, WM_MOVING, [](HWND, UINT, WPARAM, LPARAM l) -> LRESULT {
    Rect* r = LParamToPtr<Rect>(l);
    *r = Rect::FromSize(r->left, 100, r->Width(), r->Height());  // only sideways
    return 0;
  });
  platform.UserButton({150, 110}, MouseButton::Left, true);
  platform.UserMove({170, 140});
  platform.UserButton({170, 140}, MouseButton::Left, false);
  ProcessMessages();
  EXPECT_EQ(GetWindowRect(h), Rect::FromSize(120, 100, 200, 150));

  platform.AdvanceClock(std::chrono::seconds(1));  // not a double click
  platform.UserButton({150, 110}, MouseButton::Left, true);
  platform.UserMove({190, 110});
  platform.UserKey(VK_ESCAPE, true);
  platform.UserKey(VK_ESCAPE, false);
  platform.UserButton({190, 110}, MouseButton::Left, false);
  ProcessMessages();
  EXPECT_EQ(GetWindowRect(h), Rect::FromSize(120, 100, 200, 150));
}

TEST_F(NonClientMouse, CaptionButtonsActOnReleaseOverThemOnly) {
  const HWND h = CreateMain();
  // Pressed on close, released elsewhere: nothing.
  platform.UserButton({285, 110}, MouseButton::Left, true);
  platform.UserMove({200, 110});
  platform.UserButton({200, 110}, MouseButton::Left, false);
  ProcessMessages();
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(TakeLog({WM_SYSCOMMAND}).empty());
  EXPECT_EQ(system.Find(h)->nonClient.pushedButton, 0);

  // Maximise fills the work area; the same button restores.
  platform.SetScreen({0, 0, 1280, 1024}, {0, 0, 1280, 990});
  platform.UserClick({265, 110});
  ProcessMessages();
  EXPECT_EQ(GetWindowRect(h), (Rect{0, 0, 1280, 990}));
  EXPECT_TRUE(GetWindowStyle(h) & WS_MAXIMIZE);
  const NonClientLayout layout = GetNonClientLayout(h);
  platform.UserClick({layout.maxButton.left + 5, layout.maxButton.top + 5});
  ProcessMessages();
  EXPECT_EQ(GetWindowRect(h), Rect::FromSize(100, 100, 200, 150));

  // A double click on the caption does the same.
  platform.UserClick({150, 110});
  platform.UserClick({150, 110});
  ProcessMessages();
  EXPECT_EQ(GetWindowRect(h), (Rect{0, 0, 1280, 990}));
  SendMessage(h, WM_SYSCOMMAND, SC_RESTORE);

  // Minimise, then close.
  TakeLog();
  platform.UserClick({250, 110});
  ProcessMessages();
  EXPECT_TRUE(IsIconic(h));
  ShowWindow(h, SW_RESTORE);
  ProcessMessages();
  platform.UserClick({285, 110});
  ProcessMessages();
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(NonClientMouse, ThePressedButtonIsDrawnPushedWhileThePointerIsOverIt) {
  const HWND h = CreateMain();
  // Each repaint of the frame records the button drawn pushed, then the user acts again.
  std::vector<LRESULT> pushed;
  std::vector<std::function<void()>> user = {
      [&] { platform.UserMove({150, 110}); },
      [&] { platform.UserMove({286, 111}); },
      [&] { platform.UserMove({150, 110}); },
      [&] { platform.UserButton({150, 110}, MouseButton::Left, false); },
  };
  OnMessage(h, WM_NCPAINT, [&](HWND w, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    pushed.push_back(system.Find(w)->nonClient.pushedButton);
    if (pushed.size() <= user.size()) user[pushed.size() - 1]();
    return DefWindowProc(w, msg, wParam, lParam);
  });
  platform.UserButton({285, 110}, MouseButton::Left, true);
  ProcessMessages();
  EXPECT_EQ(pushed, (std::vector<LRESULT>{HTCLOSE, 0, HTCLOSE, 0}));
  EXPECT_TRUE(IsWindow(h));
  DestroyWindow(h);  // before `pushed` and `user`
}

}  // namespace
}  // namespace tappomat::test
