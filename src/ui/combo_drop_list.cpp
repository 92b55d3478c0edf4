#include "ui/combo_drop_list.h"

#include <algorithm>

#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "ui/classic_look.h"
#include "win/input.h"
#include "win/paint.h"
#include "win/scroll_bar.h"

namespace tappomat {

namespace {

constexpr std::string_view kClassName = "TComboDropList";

void RegisterDropListClass(WNDPROC proc) {
  if (FindClass(kClassName)) return;
  WindowClass wc;
  wc.name = std::string(kClassName);
  wc.proc = std::move(proc);
  wc.style = CS_SAVEBITS;
  RegisterClass(wc);
}

}  // namespace

TComboDropList::TComboDropList() = default;

TComboDropList::~TComboDropList() { Close(); }

LRESULT TComboDropList::WindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* list = reinterpret_cast<TComboDropList*>(GetWindowUserData(h));
  if (!list && msg == WM_NCCREATE) {
    list = static_cast<TComboDropList*>(LParamToPtr<CREATESTRUCT>(lParam)->lpCreateParams);
    SetWindowUserData(h, reinterpret_cast<std::intptr_t>(list));
  }
  if (!list || msg == WM_NCDESTROY) return DefWindowProc(h, msg, wParam, lParam);
  return list->Dispatch(h, msg, wParam, lParam);
}

void TComboDropList::Open(HWND owner, const Rect& screenBounds, const TStringList& items,
                          const LogicalFont& font, int itemHeight, int rows, int hotIndex) {
  Close();
  m_items = &items;
  m_font = font;
  m_itemHeight = std::max(itemHeight, 1);
  m_rows = std::max(rows, 1);
  m_top = 0;
  m_hot = -1;
  RegisterDropListClass(&TComboDropList::WindowProc);
  std::uint32_t style = WS_POPUP | WS_BORDER;
  if (items.Count() > m_rows) style |= WS_VSCROLL;
  m_window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, "",
                            style, screenBounds.left, screenBounds.top, screenBounds.Width(),
                            screenBounds.Height(), owner, 0, this);
  if (!m_window) return;
  UpdateScrollBar();
  SetHotIndex(hotIndex);
  ShowWindow(m_window, SW_SHOWNA);
  SetCapture(m_window);
}

void TComboDropList::Close() {
  if (!m_window) return;
  const HWND h = m_window;
  m_window = kNullWindow;  // WM_CAPTURECHANGED from here on is not a cancel
  if (GetCapture() == h) ReleaseCapture();
  DestroyWindow(h);
  m_items = nullptr;
}

void TComboDropList::SetHotIndex(int index) {
  const int count = ItemCount();
  m_hot = count == 0 ? -1 : std::clamp(index, -1, count - 1);
  if (m_hot >= 0) {
    if (m_hot < m_top) SetTopIndex(m_hot);
    else if (m_hot >= m_top + m_rows) SetTopIndex(m_hot - m_rows + 1);
  }
  if (m_window) InvalidateRect(m_window, std::nullopt, false);
}

void TComboDropList::SetTopIndex(int index) {
  m_top = std::clamp(index, 0, std::max(ItemCount() - m_rows, 0));
  if (!m_window) return;
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = m_top;
  SetScrollInfo(m_window, SB_VERT, info, true);
  InvalidateRect(m_window, std::nullopt, false);
}

void TComboDropList::UpdateScrollBar() {
  if (ItemCount() <= m_rows) return;
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = ItemCount() - 1;
  info.nPage = static_cast<UINT>(m_rows);
  info.nPos = m_top;
  SetScrollInfo(m_window, SB_VERT, info, true);
}

int TComboDropList::ItemAt(Point client) const {
  if (!GetClientRect(m_window).Contains(client)) return -1;
  const int index = m_top + client.y / m_itemHeight;
  return index < ItemCount() ? index : -1;
}

void TComboDropList::Paint() {
  PAINTSTRUCT ps;
  DeviceContext& dc = BeginPaint(m_window, ps);
  const Rect client = GetClientRect(m_window);
  FillRect(dc, client, FieldColor.value_or(GetSysColor(COLOR_WINDOW)));
  for (int i = m_top; i < ItemCount() && i < m_top + m_rows; ++i) {
    const int y = (i - m_top) * m_itemHeight;
    if (PaintLine) {
      PaintLine(dc, Rect{client.left, y, client.right, y + m_itemHeight}, i, i == m_hot);
      continue;
    }
    ListItemLook look;
    look.text = m_items->Strings(i);
    look.selected = i == m_hot;
    look.focused = i == m_hot;
    look.font = m_font;
    DrawListItem(dc, Rect{client.left, y, client.right, y + m_itemHeight}, look);
  }
  EndPaint(m_window, ps);
}

LRESULT TComboDropList::Dispatch(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE: {
      const int index = ItemAt(PointFromLParam(lParam));
      if (index >= 0 && index != m_hot) SetHotIndex(index);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const Point client = PointFromLParam(lParam);
      const Point screen = ClientToScreen(h, client);
      if (!GetWindowRect(h).Contains(screen)) {
              if (OnCancel) OnCancel();
        return 0;
      }
      if (msg == WM_LBUTTONDOWN && !GetClientRect(h).Contains(client)) {
        // On the scroll bar: let it track the mouse, then take the capture back.
        m_scrollTracking = true;
        SendMessage(h, WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTVSCROLL), LParamFromPoint(screen));
        m_scrollTracking = false;
        if (IsWindow(h) && m_window == h) SetCapture(h);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      // The release of the click that opened the list lands on the combo box, not here.
      const int index = ItemAt(PointFromLParam(lParam));
      if (index >= 0 && OnChoose) OnChoose(index);
      return 0;
    }
    case WM_VSCROLL: {
      switch (LOWORD(wParam)) {
        case SB_LINEUP: SetTopIndex(m_top - 1); break;
        case SB_LINEDOWN: SetTopIndex(m_top + 1); break;
        case SB_PAGEUP: SetTopIndex(m_top - m_rows); break;
        case SB_PAGEDOWN: SetTopIndex(m_top + m_rows); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetTopIndex(HIWORD(wParam)); break;
        case SB_TOP: SetTopIndex(0); break;
        case SB_BOTTOM: SetTopIndex(ItemCount()); break;
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
          if (!m_scrollTracking && m_window == h && WParamToHandle(static_cast<WPARAM>(lParam)) != h &&
          OnCancel)
        OnCancel();
      return 0;
  }
  return DefWindowProc(h, msg, wParam, lParam);
}

}  // namespace tappomat
