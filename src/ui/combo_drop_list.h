#pragma once
// TComboDropList: the drop-down list of a combo box — a pop-up window of its own
// (WS_POPUP, tool window, topmost, never activated), which the window system shows as an
// override-redirect pop-up. It paints the items in the classic list look, follows the
// pointer with its hot item, scrolls with a window scroll bar when there are more items
// than rows, and holds the mouse capture while open, so that a click anywhere else
// closes it. TComboBox owns one and decides what a chosen item means.
#include <functional>
#include <optional>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "ui/strings.h"
#include "win/window_system.h"

namespace tappomat {

class TComboDropList {
 public:
  TComboDropList();
  ~TComboDropList();
  TComboDropList(const TComboDropList&) = delete;
  TComboDropList& operator=(const TComboDropList&) = delete;

  // Shows the list at `screenBounds` (outer size, border included) with `rows` rows.
  void Open(HWND owner, const Rect& screenBounds, const TStringList& items, const LogicalFont& font,
            int itemHeight, int rows, int hotIndex);
  void Close();
  bool IsOpen() const { return static_cast<bool>(m_window); }
  HWND Handle() const { return m_window; }

  int HotIndex() const { return m_hot; }
  // Moves the hot item (clamped) and scrolls it into view.
  void SetHotIndex(int index);
  int TopIndex() const { return m_top; }
  void SetTopIndex(int index);
  int ItemCount() const { return m_items ? m_items->Count() : 0; }

  // Draws one line instead of the classic look (a skinned combo box sets it); the field
  // below the last line takes FieldColor.
  std::function<void(DeviceContext& dc, const Rect& rect, int index, bool hot)> PaintLine;
  std::optional<ColorRef> FieldColor;
  // A click chose this item (the list is still open when it is called).
  std::function<void(int index)> OnChoose;
  // A click outside the list, or the capture was taken away.
  std::function<void()> OnCancel;

 private:
  static LRESULT WindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
  void Paint();
  void UpdateScrollBar();
  int ItemAt(Point client) const;

  HWND m_window;
  const TStringList* m_items = nullptr;
  LogicalFont m_font;
  int m_itemHeight = 13;
  int m_rows = 1;
  int m_top = 0;
  int m_hot = -1;
  bool m_scrollTracking = false;  // the scroll bar's own loop holds the mouse
};

}  // namespace tappomat
