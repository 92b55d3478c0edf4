#pragma once
// Where the parts of a skinned scroll bar lie: the bar thickness, the arrow-button lengths,
// the two bar rectangles beside the client area, the thumb's length and start, which part
// lies under a point, and the scroll position that a dragged thumb stands for. Pure
// arithmetic over the window's scroll state, shared by the bar painter, the window adapter
// (hit-testing, pressing, dragging) and their tests.
#include "imaging/geometry.h"

namespace tappomat {

class TsSkinManager;
struct SkinTables;

// The places on a bar. The first four equal the line and page scroll codes that a press on
// them sends.
enum ScrollPart : int {
  kPartNone = -1,
  kPartFirstArrow = 0,   // left or top arrow button
  kPartSecondArrow = 1,  // right or bottom arrow button
  kPartTrackBefore = 2,  // track between the first button and the thumb
  kPartTrackAfter = 3,   // track between the thumb and the second button
  kPartThumb = 5,
};

inline constexpr int kMinThumbLength = 16;

// A bar's orientation, and coordinates along a bar of that orientation.
enum ScrollOrientation : int { kHorizontalBar = 0, kVerticalBar = 1 };
inline int AlongBar(int orientation, Point p) { return orientation == kVerticalBar ? p.y : p.x; }
inline int BarStartOf(int orientation, const Rect& r) {
  return orientation == kVerticalBar ? r.top : r.left;
}
inline int BarLengthOf(int orientation, const Rect& r) {
  return orientation == kVerticalBar ? r.Height() : r.Width();
}

// a * b / c rounded to the nearest integer (halves away from zero), computed without
// overflow; -1 for a zero divisor or a result that does not fit an int. Positions and
// lengths are converted with it everywhere so that painting, hit-testing and dragging
// agree to the pixel.
int ScrollMulDiv(int a, int b, int c);

// What of a window's scroll state the geometry uses.
struct ScrollValues {
  int min = 0;
  int max = 0;
  int page = 0;
  int pos = 0;
  int trackPos = 0;
};

// The thumb along a bar: its length and its start (absolute, like the bar start).
struct ThumbPlace {
  int length = 0;
  int start = 0;
};

// The thumb of a bar of `length` pixels starting at `barStart`, with arrow buttons of
// `button` pixels each. A page of 0 gives a thumb as long as a button; an inverted range
// a zero-length thumb. The thumb is at least 16 long (19 when there are no buttons), even
// when that is longer than the track: it then ends where the track ends.
ThumbPlace ThumbOf(const ScrollValues& values, int barStart, int length, int button);

// The part at `along` (a coordinate along the bar) of a bar [barStart, barStart + length).
// Arrow buttons are tested first; each takes half of a bar too short for both. A thumb that
// fills the whole track leaves nothing to hit between the buttons.
int PartAlong(const ScrollValues& values, int barStart, int length, int button, int along);

// The same for a point, when it lies on the bar rectangle; kPartNone otherwise.
int PartAt(const ScrollValues& values, const Rect& bar, bool vertical, int button, Point p);

// The scroll position of a thumb dragged to `thumbOffset` pixels past the track start, on a
// track of `trackLength` with a thumb of `thumbLength`. A vertical thumb at the very end
// asks for one position beyond the last: the window's own scroll state clamps it.
int DragPosition(const ScrollValues& values, bool vertical, int thumbOffset, int trackLength,
                 int thumbLength);

// The bar thickness: the manager's scroll size when set, else the platform's scroll-bar width.
int ScrollBarThickness(const TsSkinManager* manager);
// Arrow-button lengths: `ForGeometry` for thumb places, hit-testing and dragging;
// `ForPainting` for how long the buttons are painted. Both 0 when the track section says
// the skin has no buttons.
int ButtonLengthForGeometry(const SkinTables& tables, bool vertical, int thickness);
int ButtonLengthForPainting(const SkinTables& tables, bool vertical, int thickness);

// Where the frame ends on each side and which bars take room in it.
struct ScrollFrame {
  int left = 0, top = 0, right = 0, bottom = 0;  // frame edges
  int thickness = 0;
  bool hVisible = false;
  bool vVisible = false;
  bool leftScrollBar = false;  // the vertical bar goes on the left
};

// The bar rectangles inside `window` (any coordinates; the result is in the same ones). A
// bar that takes no room gives an empty rectangle of its place.
Rect HorizontalBarRect(const Rect& window, const ScrollFrame& frame);
Rect VerticalBarRect(const Rect& window, const ScrollFrame& frame);
// The square where both bars meet; empty unless both take room.
Rect CornerBoxRect(const Rect& window, const ScrollFrame& frame);

}  // namespace tappomat
