#include "gdi/system_metrics.h"

namespace tappomat {
namespace {

constexpr Rect kDefaultScreen{0, 0, 1024, 768};

struct Screen {
  Rect screen = kDefaultScreen;
  Rect workArea = kDefaultScreen;
};

Screen& CurrentScreen() {
  static Screen screen;
  return screen;
}

// The fixed metrics; the screen-dependent ones are worked out in GetSystemMetrics.
int FixedMetric(int index) {
  switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 17;
    case SM_CYCAPTION:
      return 19;  // 18-pixel caption and the line below it
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CYMENU:
      return 19;
    case SM_MOUSEPRESENT:
      return 1;
    case SM_CXMIN:
    case SM_CXMINTRACK:
      return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK:
      return 27;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return 18;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
      return 75;
    case SM_CMOUSEBUTTONS:
      return 3;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXMINSPACING:
      return 160;
    case SM_CYMINSPACING:
      return 24;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYSMCAPTION:
      return 15;
    case SM_CXSMSIZE:
      return 12;
    case SM_CYSMSIZE:
      return 14;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
      return 18;
    case SM_ARRANGE:
      return 8;  // ARW_HIDE: minimised windows are hidden
    case SM_CXMINIMIZED:
      return 160;
    case SM_CYMINIMIZED:
      return 24;
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
      return 13;
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

int GetSystemMetrics(int index) {
  const Screen& s = CurrentScreen();
  // A maximised window's frame hangs over the work area's edges; a tracked window may be
  // as large as the screen plus such frames.
  const int frame = FixedMetric(SM_CXFRAME);
  switch (index) {
    case SM_CXSCREEN:
      return s.screen.Width();
    case SM_CYSCREEN:
      return s.screen.Height();
    case SM_CXFULLSCREEN:
      return s.workArea.Width();
    case SM_CYFULLSCREEN:
      return s.workArea.Height() - FixedMetric(SM_CYCAPTION);
    case SM_CXMAXIMIZED:
      return s.workArea.Width() + 2 * frame;
    case SM_CYMAXIMIZED:
      return s.workArea.Height() + 2 * frame;
    case SM_CXMAXTRACK:
      return s.screen.Width() + 2 * frame + 4;
    case SM_CYMAXTRACK:
      return s.screen.Height() + 2 * frame + 4;
    case SM_XVIRTUALSCREEN:
      return s.screen.left;
    case SM_YVIRTUALSCREEN:
      return s.screen.top;
    case SM_CXVIRTUALSCREEN:
      return s.screen.Width();
    case SM_CYVIRTUALSCREEN:
      return s.screen.Height();
    default:
      return FixedMetric(index);
  }
}

void SetScreenMetrics(const Rect& screen, const Rect& workArea) {
  if (screen.IsEmpty()) return;
  Screen& s = CurrentScreen();
  s.screen = screen;
  s.workArea = (workArea.IsEmpty() || !screen.Contains(workArea)) ? screen : workArea;
}

Rect ScreenRect() { return CurrentScreen().screen; }
Rect WorkAreaRect() { return CurrentScreen().workArea; }

}  // namespace tappomat
