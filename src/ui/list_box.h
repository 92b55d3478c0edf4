#pragma once
// TListBox: a single-selection list of strings in a window with a sunken client edge and
// the window system's vertical scroll bar, which shows only while the items do not fit.
// It owns its Items (a TStringList whose changes repaint the list and update the bar),
// the selection (ItemIndex) and the first visible row (TopIndex). The program's forms
// create it; the user drives it with the mouse (press, drag, wheel, double click) and the
// keyboard (arrows, pages, Home/End, first letter).
//
// OnClick fires when the user changes the selection (not when the program sets
// ItemIndex), OnDblClick on a double click. With lbOwnerDrawFixed the list prepares the
// canvas for each item — brush clHighlight and font clHighlightText when selected, the
// list's Color and font otherwise — fills the item, then calls OnDrawItem (or draws the
// text itself when there is no handler) and finally the focus rectangle.
//
// Not implemented: multiple selection, sorting by the list itself, variable item heights,
// columns, and keeping the selection on its item when items are inserted or deleted above
// it (the selection is only dropped when it falls past the end).
#include <functional>

#include "ui/strings.h"
#include "ui/win_control.h"

namespace tappomat {

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };

enum TOwnerDrawStateBits : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };
using TOwnerDrawState = unsigned;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const Rect& Rect, TOwnerDrawState State)>;

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* owner);
  std::string ClassName() const override { return "TListBox"; }

  TStringList& Items() { return m_items; }
  const TStringList& Items() const { return m_items; }
  void SetItems(const TStringList& items) { m_items.Assign(items); }
  int Count() const { return m_items.Count(); }
  void Clear() { m_items.Clear(); }

  // -1: nothing selected. Setting it scrolls the item into view; out-of-range values
  // select nothing.
  int ItemIndex() const { return m_itemIndex; }
  void SetItemIndex(int index);
  // The row height: the font's text height for lbStandard; for rows drawn by the owner at a
  // fixed height (lbOwnerDrawFixed) the value set here (the font's height until one is set).
  int ItemHeight() const;
  void SetItemHeight(int height);
  int TopIndex() const { return m_topIndex; }
  void SetTopIndex(int index);
  TListBoxStyle Style() const { return m_style; }
  void SetStyle(TListBoxStyle style);
  TCanvas* Canvas() { return &m_canvas; }

  // The item at a client point. Below the last item: -1 when `existing`, else Count (the
  // place a new item would go); points left or right of the client area give -1 as well.
  int ItemAtPos(Point pos, bool existing) const;
  // The client rectangle of an item (it may lie outside the visible area).
  Rect ItemRect(int index) const;
  // How many whole rows the client area shows (at least 1).
  int VisibleRows() const;

  TDrawItemEvent OnDrawItem;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void PaintWindow(DeviceContext& dc) override;
  // Draws one item (its selection, focus and text) into `rect`; a skinned list draws its
  // own items.
  virtual void PaintItem(DeviceContext& dc, int index, const Rect& rect);
  // The window's rows are drawn by the owner at a fixed height, so ItemHeight is the set
  // one: lbOwnerDrawFixed here; a list that draws every row itself creates its window so.
  virtual bool OwnerDrawnRows() const { return m_style == TListBoxStyle::lbOwnerDrawFixed; }

 private:
  void ItemsChanged();
  void UpdateScrollBar();
  int MaxTopIndex() const;
  void ScrollIntoView(int index);
  // Selection by the user: moves it, scrolls it into view and fires OnClick on a change.
  void SelectByUser(int index);
  void HandleScroll(WPARAM wParam);
  void HandleWheel(int delta);
  void HandleMouseDown(Point p);
  void HandleMouseDrag(Point p);
  bool HandleNavigationKey(WORD key);
  void SelectByFirstLetter(char32_t ch);

  TStringList m_items;
  TCanvas m_canvas;
  int m_itemIndex = -1;
  int m_topIndex = 0;
  int m_itemHeight = 0;  // 0: from the font
  TListBoxStyle m_style = TListBoxStyle::lbStandard;
  bool m_tracking = false;  // the left button went down on the list and is held
  int m_wheelRemainder = 0;
};

}  // namespace tappomat
