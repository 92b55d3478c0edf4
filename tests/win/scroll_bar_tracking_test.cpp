// The mouse on a window scroll bar, driven as a user would through the headless platform:
// which WM_VSCROLL requests arrive, and when.
#include <gtest/gtest.h>

#include <chrono>

#include "win/input.h"
#include "win/scroll_bar.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

using std::chrono::milliseconds;

struct Request {
  int code;
  int position;
  milliseconds at;  // since the press
  friend bool operator==(const Request&, const Request&) = default;
};

void PrintTo(const Request& r, std::ostream* os) {
  *os << "{" << r.code << ", " << r.position << ", " << r.at.count() << "ms}";
}

// A window at (100, 100), 100x200, with a vertical scroll bar over 0..99, page 10: the bar
// is at screen x 183..199, its arrows 17 long, the thumb 17 long over a 149-pixel room.
class ScrollBarTracking : public WinTest {
 protected:
  ScrollBarTracking() {
    h = Create("h", WS_POPUP | WS_VISIBLE | WS_VSCROLL, Rect::FromSize(100, 100, 100, 200));
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMax = 99;
    info.nPage = 10;
    SetScrollInfo(h, SB_VERT, info, false);
    ProcessMessages();
    OnMessage(h, WM_VSCROLL, [this](HWND w, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
      EXPECT_EQ(lParam, 0);
      const int code = LOWORD(wParam);
      requests.push_back({code, HIWORD(wParam), std::chrono::duration_cast<milliseconds>(platform.Now() - pressed)});
      if (code == SB_THUMBTRACK) {
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(w, SB_VERT, info);
        trackPositions.push_back(info.nTrackPos);
      }
      if (onRequest) onRequest(code);
      return 0;
    });
  }
  ~ScrollBarTracking() override { DestroyWindow(h); }

  void Press(Point screen) {
    pressed = platform.Now();
    platform.UserButton(screen, MouseButton::Left, true);
  }

  HWND h;
  Platform::Clock::time_point pressed;
  std::vector<Request> requests;
  std::vector<int> trackPositions;
  std::function<void(int)> onRequest;
};

TEST_F(ScrollBarTracking, HoldingAnArrowRepeatsAfter350AndThenEvery50Milliseconds) {
  const Point downArrow{191, 290};
  int lines = 0;
  onRequest = [&](int code) {
    if (code == SB_LINEDOWN && ++lines == 4) platform.UserButton(downArrow, MouseButton::Left, false);
  };
  Press(downArrow);
  ProcessMessages();
  EXPECT_EQ(requests, (std::vector<Request>{{SB_LINEDOWN, 0, milliseconds(0)},
                                            {SB_LINEDOWN, 0, milliseconds(350)},
                                            {SB_LINEDOWN, 0, milliseconds(400)},
                                            {SB_LINEDOWN, 0, milliseconds(450)},
                                            {SB_ENDSCROLL, 0, milliseconds(450)}}));
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);  // the bar never moves itself
  EXPECT_EQ(GetCapture(), kNullWindow);
}

TEST_F(ScrollBarTracking, TheArrowRepeatsOnlyWhileThePointerIsOverIt) {
  const Point upArrow{191, 108};
  onRequest = [&](int code) {
    if (code == SB_LINEUP) platform.UserMove({191, 150});  // off the arrow at once
  };
  SetTimer(h, 1, 1000);
  OnMessage(h, WM_TIMER, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    platform.UserButton({191, 150}, MouseButton::Left, false);
    return 0;
  });
  Press(upArrow);
  ProcessMessages();
  EXPECT_EQ(requests, (std::vector<Request>{{SB_LINEUP, 0, milliseconds(0)}, {SB_ENDSCROLL, 0, milliseconds(1000)}}));
}

TEST_F(ScrollBarTracking, PagingRepeatsUntilTheThumbReachesThePointer) {
  // The window scrolls a page at each request; below the pointer at y 200 the thumb
  // arrives after five pages.
  onRequest = [&](int code) {
    if (code == SB_PAGEDOWN) SetScrollPos(h, SB_VERT, GetScrollPos(h, SB_VERT) + 10, true);
  };
  SetTimer(h, 1, 1000);
  OnMessage(h, WM_TIMER, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    platform.UserButton({191, 200}, MouseButton::Left, false);
    return 0;
  });
  Press({191, 200});
  ProcessMessages();
  EXPECT_EQ(requests, (std::vector<Request>{{SB_PAGEDOWN, 0, milliseconds(0)},
                                            {SB_PAGEDOWN, 0, milliseconds(350)},
                                            {SB_PAGEDOWN, 0, milliseconds(400)},
                                            {SB_PAGEDOWN, 0, milliseconds(450)},
                                            {SB_PAGEDOWN, 0, milliseconds(500)},
                                            {SB_ENDSCROLL, 0, milliseconds(1000)}}));
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 50);
}

TEST_F(ScrollBarTracking, DraggingTheThumbTracksAndEndsAtTheDropPosition) {
  // The thumb lies at 17..34 along the bar; dragging it 75 pixels down puts it at 92,
  // which is 75 of the 149 pixels of room: position 45 of 0..90.
  Press({191, 125});
  platform.UserMove({191, 160});
  platform.UserMove({191, 200});
  platform.UserButton({191, 200}, MouseButton::Left, false);
  ProcessMessages();
  EXPECT_EQ(requests, (std::vector<Request>{{SB_THUMBTRACK, 21, milliseconds(0)},
                                            {SB_THUMBTRACK, 45, milliseconds(0)},
                                            {SB_THUMBPOSITION, 45, milliseconds(0)},
                                            {SB_ENDSCROLL, 0, milliseconds(0)}}));
  EXPECT_EQ(trackPositions, (std::vector<int>{21, 45}));
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);
  SCROLLINFO info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(h, SB_VERT, info);
  EXPECT_EQ(info.nTrackPos, 0);  // no longer dragged
}

TEST_F(ScrollBarTracking, PressedPartsAreReportedWhileHeld) {
  SCROLLBARINFO during;
  onRequest = [&](int code) {
    if (code == SB_LINEUP) {
      GetScrollBarInfo(h, OBJID_VSCROLL, during);
      platform.UserButton({191, 108}, MouseButton::Left, false);
    }
  };
  Press({191, 108});
  ProcessMessages();
  EXPECT_EQ(during.rgstate[1], STATE_SYSTEM_PRESSED);
  SCROLLBARINFO after;
  GetScrollBarInfo(h, OBJID_VSCROLL, after);
  EXPECT_EQ(after.rgstate[1], 0u);
}

}  // namespace
}  // namespace tappomat::test
