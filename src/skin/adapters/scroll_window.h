#pragma once
// TacScrollWnd: the scroll layer of the window adapters. It takes the window's scroll bars
// out of the window system's non-client calculation, reserves the same room itself, and
// paints both bars (and the box where they meet) from the skin. Hovering, arrow and track
// presses with auto-repeat and thumb dragging are done here and turned into the ordinary
// WM_HSCROLL / WM_VSCROLL messages for the window, so the window's own code scrolls as it
// would with its classic bars. Detaching gives the window its classic bars back.
//
// The edit, grid and combo-list adapters derive from it; they paint the frame themselves
// and call PaintScrollBars from their non-client painting. A window whose adapter paints no
// frame gets the previous non-client painting with the bars painted over it.
#include <array>
#include <memory>

#include "gdi/device_context.h"
#include "skin/common/background_query.h"
#include "skin/adapters/scroll_geometry.h"
#include "skin/adapters/window_adapter.h"

namespace tappomat {

class TacScrollWnd : public TacMainWnd {
 public:
  TacScrollWnd(HWND window, TsCommonData* data, const std::string& section, TsSkinManager* manager);
  ~TacScrollWnd() override;

  // Reads the scroll state again and paints both bars, when the window is visible and its
  // skin data is not being updated.
  void RefreshScrollBars();
  // Paints both bars and the corner box into a device context in window coordinates (as
  // GetWindowDC gives it); null: the window's own device context.
  void PaintScrollBars(DeviceContext* windowDc);

  bool ThumbDragging() const { return m_thumbDragging; }
  // Set while the adapter itself sends a scroll message: the bars are not refreshed then.
  bool ScrollSuppressed() const { return m_scrollSuppressed; }
  // Set while the window system's own non-client calculation runs without the scroll styles.
  bool InOwnCalculation() const { return m_inCalculation; }

  // The frame edges found by the last non-client calculation, the bar thickness and which
  // bars take room.
  const ScrollFrame& Frame() const { return m_frame; }
  int LeftEdge() const { return m_frame.left; }
  int TopEdge() const { return m_frame.top; }
  int RightEdge() const { return m_frame.right; }
  int BottomEdge() const { return m_frame.bottom; }
  bool BarVisible(int bar) const;  // SB_HORZ or SB_VERT
  // A bar's rectangle in screen coordinates (empty when it takes no room).
  Rect BarRect(int bar) const;

  // The scroll-bar press that a button release ends: true when one of this window's bars
  // was pressed (the release is then done: scroll messages sent, capture released).
  bool ScrollPressUnderway() const;
  bool EndScrollPress();
  // A button release that ends a press on one of the bars belongs to the bar: the press
  // is ended and the window never hears the release (true: taken).
  bool TakeScrollRelease(TMessage& message);

  void WndProc(TMessage& message) override;

 protected:
  void Attached(bool repaint) override;
  void Detaching() override;

 private:
  // One bar's record.
  struct Bar {
    ScrollValues values;
    bool styleFlag = false;
    int orientation = 0;  // 0 horizontal, 1 vertical
    bool visible = false;
  };

  bool Active() const;
  int Thickness() const;
  int GeometryButton(int orientation) const;
  int PaintedButton(int orientation) const;
  void ReadValues(int orientation);
  bool BarEnabled(int orientation) const;
  bool CornerHasGrip() const;
  ParentBackground BackgroundAt(Point windowPoint, TacBGInfo& info) const;

  void CalcSize(TMessage& message);
  LRESULT HitTest(Point screen);
  void PaintBar(DeviceContext& dc, int orientation);
  void PaintBar(int orientation);  // through the window's device context
  void PaintCorner(DeviceContext& dc);

  void HoverStart(int orientation);
  void HoverTick();
  void Press(int hit, Point screen);
  void PressedPointerMove(Point screen);
  void RepeatTick();
  void DragTo(Point screen);
  void SendScroll(int code, int position);
  void KillOwnTimers();

  std::array<std::unique_ptr<Bar>, 2> m_bars;
  // The dragged bar as last painted, shown again when the frame is repainted meanwhile.
  Bitmap32 m_dragPicture;
  Point m_dragPlace;
  ScrollFrame m_frame;
  bool m_thumbDragging = false;
  bool m_scrollSuppressed = false;
  bool m_inCalculation = false;
  bool m_endingPress = false;
};

}  // namespace tappomat
