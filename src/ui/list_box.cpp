#include "ui/list_box.h"

#include <algorithm>

#include "gdi/primitives.h"
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "ui/classic_look.h"
#include "win/scroll_bar.h"
#include "win/styles.h"

namespace tappomat {

namespace {

char32_t FoldAscii(char32_t c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

}  // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  // The list fires OnClick and OnDblClick itself (on selection changes and double clicks),
  // and captures the mouse itself while the button is held.
  m_controlStyle = csSetCaption | csDoubleClicks | csOpaque;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
  m_items.OnChange = [this] { ItemsChanged(); };
}

void TListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_VSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateHandle() {
  TWinControl::CreateHandle();
  UpdateScrollBar();
}

// --- properties

int TListBox::ItemHeight() const {
  if (OwnerDrawnRows() && m_itemHeight > 0) return m_itemHeight;
  return std::max(1, GetTextMetrics(Font().ToLogicalFont()).height);
}

void TListBox::SetItemHeight(int height) {
  if (height <= 0 || height == m_itemHeight) return;
  m_itemHeight = height;
  UpdateScrollBar();
  Invalidate();
}

void TListBox::SetStyle(TListBoxStyle style) {
  if (style == m_style) return;
  m_style = style;
  UpdateScrollBar();
  Invalidate();
}

int TListBox::VisibleRows() const { return std::max(1, ClientHeight() / ItemHeight()); }

int TListBox::MaxTopIndex() const { return std::max(0, Count() - VisibleRows()); }

void TListBox::SetTopIndex(int index) {
  index = std::clamp(index, 0, MaxTopIndex());
  if (index == m_topIndex) return;
  m_topIndex = index;
  UpdateScrollBar();
  Invalidate();
}

void TListBox::SetItemIndex(int index) {
  if (index < 0 || index >= Count()) index = -1;
  if (index != m_itemIndex) {
    m_itemIndex = index;
    Invalidate();
  }
  if (index >= 0) ScrollIntoView(index);
}

void TListBox::ScrollIntoView(int index) {
  if (index < m_topIndex)
    SetTopIndex(index);
  else if (index >= m_topIndex + VisibleRows())
    SetTopIndex(index - VisibleRows() + 1);
}

void TListBox::SelectByUser(int index) {
  if (Count() == 0) return;
  index = std::clamp(index, 0, Count() - 1);
  const bool changed = index != m_itemIndex;
  SetItemIndex(index);
  if (changed) Click();
}

void TListBox::ItemsChanged() {
  if (m_itemIndex >= Count()) m_itemIndex = -1;
  m_topIndex = std::min(m_topIndex, MaxTopIndex());
  UpdateScrollBar();
  Invalidate();
}

// --- geometry

Rect TListBox::ItemRect(int index) const {
  const int h = ItemHeight();
  const int top = (index - m_topIndex) * h;
  return {0, top, ClientWidth(), top + h};
}

int TListBox::ItemAtPos(Point pos, bool existing) const {
  if (pos.x < 0 || pos.x >= ClientWidth() || pos.y < 0) return -1;
  const int index = m_topIndex + pos.y / ItemHeight();
  if (index < Count()) return index;
  return existing ? -1 : Count();
}

// --- scroll bar

void TListBox::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, Count() - 1);
  info.nPage = static_cast<UINT>(VisibleRows());
  info.nPos = m_topIndex;
  SetScrollInfo(m_handle, SB_VERT, info, true);
  // A new window starts with the bar shown; the rule above hides it only on a change.
  if (Count() <= VisibleRows() && (GetWindowStyle(m_handle) & WS_VSCROLL))
    ShowScrollBar(m_handle, SB_VERT, false);
}

void TListBox::HandleScroll(WPARAM wParam) {
  const int rows = VisibleRows();
  switch (LOWORD(wParam)) {
    case SB_LINEUP: SetTopIndex(m_topIndex - 1); break;
    case SB_LINEDOWN: SetTopIndex(m_topIndex + 1); break;
    case SB_PAGEUP: SetTopIndex(m_topIndex - std::max(1, rows - 1)); break;
    case SB_PAGEDOWN: SetTopIndex(m_topIndex + std::max(1, rows - 1)); break;
    case SB_TOP: SetTopIndex(0); break;
    case SB_BOTTOM: SetTopIndex(MaxTopIndex()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetTopIndex(HIWORD(wParam)); break;
    default: break;
  }
}

void TListBox::HandleWheel(int delta) {
  m_wheelRemainder += delta;
  const int notches = m_wheelRemainder / WHEEL_DELTA;
  m_wheelRemainder -= notches * WHEEL_DELTA;
  if (notches != 0) SetTopIndex(m_topIndex - notches * 3);
}

// --- mouse

void TListBox::HandleMouseDown(Point p) {
  if (CanFocus() && !Focused()) SetFocus();
  m_tracking = true;
  SetMouseCapture(true);
  const int index = ItemAtPos(p, true);
  if (index >= 0) SelectByUser(index);
}

void TListBox::HandleMouseDrag(Point p) {
  if (Count() == 0) return;
  // Above or below the list the selection steps one row past the visible ones, which
  // scrolls the list while the pointer is held there.
  int index;
  if (p.y < 0)
    index = m_topIndex - 1;
  else if (p.y >= VisibleRows() * ItemHeight())
    index = m_topIndex + VisibleRows();
  else
    index = m_topIndex + p.y / ItemHeight();
  SelectByUser(std::clamp(index, 0, Count() - 1));
}

void TListBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      // The selection moves before OnMouseDown runs, so the handler sees the pressed item.
      HandleMouseDown(PointFromLParam(m.LParam));
      break;
    case WM_LBUTTONDBLCLK:
      HandleMouseDown(PointFromLParam(m.LParam));
      DblClick();
      break;
    case WM_MOUSEMOVE:
      if (m_tracking && (m.WParam & MK_LBUTTON)) HandleMouseDrag(PointFromLParam(m.LParam));
      break;
    case WM_LBUTTONUP:
      m_tracking = false;
      break;
    case WM_CAPTURECHANGED:
      m_tracking = false;
      break;
    case WM_VSCROLL:
      HandleScroll(m.WParam);
      m.Result = 0;
      return;
    case WM_MOUSEWHEEL:
      HandleWheel(static_cast<std::int16_t>(HIWORD(m.WParam)));
      m.Result = 0;
      return;
    case WM_SIZE:
      TWinControl::WndProc(m);
      m_topIndex = std::min(m_topIndex, MaxTopIndex());
      UpdateScrollBar();
      Invalidate();
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();  // the focus rectangle
      break;
    case CM_FONTCHANGED:
      UpdateScrollBar();
      break;
    default: break;
  }
  TWinControl::WndProc(m);
}

// --- keyboard (what OnKeyDown and OnKeyPress left over reaches the list here)

void TListBox::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_KEYDOWN:
      if (HandleNavigationKey(static_cast<WORD>(m.WParam))) {
        m.Result = 0;
        return;
      }
      break;
    case WM_CHAR:
      if (m.WParam > ' ') {
        SelectByFirstLetter(static_cast<char32_t>(m.WParam));
        m.Result = 0;
        return;
      }
      break;
    default: break;
  }
  TWinControl::DefaultHandler(m);
}

bool TListBox::HandleNavigationKey(WORD key) {
  if (Count() == 0) return false;
  const int rows = VisibleRows();
  const int current = m_itemIndex;
  const int lastVisible = m_topIndex + rows - 1;
  int target;
  switch (key) {
    case VK_UP: target = current < 0 ? m_topIndex : current - 1; break;
    case VK_DOWN: target = current < 0 ? m_topIndex : current + 1; break;
    // Paging goes first to the top (bottom) visible row, from there a page further.
    case VK_PRIOR:
      target = current > m_topIndex ? m_topIndex : current - std::max(1, rows - 1);
      break;
    case VK_NEXT:
      target = current >= 0 && current < lastVisible ? lastVisible
                                                     : current + std::max(1, rows - 1);
      break;
    case VK_HOME: target = 0; break;
    case VK_END: target = Count() - 1; break;
    default: return false;
  }
  SelectByUser(target);
  return true;
}

void TListBox::SelectByFirstLetter(char32_t ch) {
  const int n = Count();
  if (n == 0) return;
  const char32_t wanted = FoldAscii(ch);
  // Search on from the item after the selection, wrapping round, so that pressing the
  // same letter again walks through the items starting with it.
  for (int step = 1; step <= n; ++step) {
    const int index = ((m_itemIndex < 0 ? -1 : m_itemIndex) + step) % n;
    const std::string& text = m_items[index];
    if (!text.empty() && FoldAscii(static_cast<unsigned char>(text[0])) == wanted) {
      SelectByUser(index);
      return;
    }
  }
}

// --- painting

void TListBox::PaintWindow(DeviceContext& dc) {
  const Rect client = ClientRect();
  const int h = ItemHeight();
  int y = 0;
  for (int index = m_topIndex; index < Count() && y < client.bottom; ++index, y += h) {
    const Rect rect{0, y, client.right, y + h};
    if (dc.RectVisible(rect)) PaintItem(dc, index, rect);
  }
  if (y < client.bottom) FillRect(dc, {0, y, client.right, client.bottom}, ColorToRGB(Color()));
}

void TListBox::PaintItem(DeviceContext& dc, int index, const Rect& rect) {
  TOwnerDrawState state = 0;
  if (index == m_itemIndex) state |= odSelected;
  if (index == m_itemIndex && Focused()) state |= odFocused;
  if (!Enabled()) state |= odDisabled;

  if (m_style == TListBoxStyle::lbStandard) {
    ListItemLook look;
    look.text = m_items[index];
    look.selected = state & odSelected;
    look.focused = state & odFocused;
    look.enabled = Enabled();
    look.font = Font().ToLogicalFont();
    DrawListItem(dc, rect, look);
    return;
  }

  DeviceContext::Saver saver(dc);
  dc.IntersectClipRect(rect);
  m_canvas.SetHandle(&dc);
  m_canvas.Font().Assign(Font());
  const bool highlighted = (state & odSelected) && Enabled();
  m_canvas.Brush().Color = highlighted ? clHighlight : Color();
  m_canvas.Brush().Style = TBrushStyle::bsSolid;
  if (highlighted) m_canvas.Font().SetColor(clHighlightText);
  if (!Enabled()) m_canvas.Font().SetColor(clGrayText);
  m_canvas.FillRect(rect);
  if (OnDrawItem) {
    GuardedCall([&] { OnDrawItem(this, index, rect, state); });
  } else {
    m_canvas.TextOut(rect.left + 2, rect.top, m_items[index]);
  }
  m_canvas.SetHandle(nullptr);
  if (state & odFocused) DrawFocusRect(dc, rect);
}

}  // namespace tappomat
