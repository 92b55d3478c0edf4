#include "ui/menu.h"

#include <algorithm>

#include "gdi/system_metrics.h"
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "ui/accelerator.h"
#include "ui/classic_menu_look.h"
#include "win/input.h"
#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {

// --- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* item : m_items) item->m_parent = nullptr;
  if (m_parent) std::erase(m_parent->m_items, this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->m_parent) item->m_parent->Delete(item->m_parent->IndexOf(item));
  index = std::clamp(index, 0, Count());
  m_items.insert(m_items.begin() + index, item);
  item->m_parent = this;
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  m_items[static_cast<size_t>(index)]->m_parent = nullptr;
  m_items.erase(m_items.begin() + index);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(m_items.begin(), m_items.end(), item);
  return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TMenuItem::Click() {
  if (m_enabled && OnClick) GuardedCall([&] { OnClick(this); });
}

// --- the pop-up window

namespace {

constexpr std::string_view kMenuWindowClass = "#32768";  // the fixed class name of popup menus

bool Selectable(const TMenuItem* item) { return item->Enabled() && !item->IsLine(); }

bool IsKeyboardMessage(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_SYSKEYDOWN ||
         msg == WM_SYSKEYUP || msg == WM_SYSCHAR;
}

}  // namespace

// The window of an open pop-up menu: lays the visible items out, paints them (the
// items' own draw handlers or the classic look), follows the pointer and the keyboard,
// and records the item chosen. TPopupMenu::Popup makes one per showing.
class TPopupMenuWindow {
 public:
  explicit TPopupMenuWindow(const TMenuItem& root) {
    for (int i = 0; i < root.Count(); ++i)
      if (root.Items(i)->Visible()) m_rows.push_back({root.Items(i), {}});
    Layout();
  }
  ~TPopupMenuWindow() {
    if (m_hook) UnhookWindowsHookEx(m_hook);
    if (m_window) {
      const HWND h = m_window;
      m_window = kNullWindow;
      if (GetCapture() == h) ReleaseCapture();
      DestroyWindow(h);
    }
  }

  // Shows the window and serves messages until it closes; the chosen item or null.
  TMenuItem* Run(Point at) {
    if (!FindClass(kMenuWindowClass)) {
      WindowClass wc;
      wc.name = std::string(kMenuWindowClass);
      wc.proc = &TPopupMenuWindow::WindowProc;
      wc.style = CS_SAVEBITS;
      RegisterClass(wc);
    }
    const Rect work = WorkAreaRect();
    at.x = std::max(std::min(at.x, work.right - m_size.width), work.left);
    at.y = std::max(std::min(at.y, work.bottom - m_size.height), work.top);
    m_window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                              kMenuWindowClass, "", WS_POPUP, at.x, at.y, m_size.width,
                              m_size.height, kNullWindow, 0, this);
    if (!m_window) return nullptr;
    ShowWindow(m_window, SW_SHOWNA);
    SetCapture(m_window);
    // The focus stays in the form; while the menu is open its keys come here instead.
    const HWND self = m_window;
    m_hook = SetWindowsHookEx(WH_GETMESSAGE, [self](int, WPARAM, LPARAM lParam) -> LRESULT {
      MSG* msg = LParamToPtr<MSG>(lParam);
      if (IsKeyboardMessage(msg->message)) msg->hwnd = self;
      return 0;
    });
    RunMessageLoopUntil([this] { return m_closed; });
    return m_chosen;
  }

  void Close(TMenuItem* chosen) {
    m_chosen = chosen;
    m_closed = true;
  }
  HWND Handle() const { return m_window; }

 private:
  struct Row {
    TMenuItem* item;
    Rect bounds;  // client coordinates
  };

  MenuItemLook LookOf(const TMenuItem* item, bool selected) const {
    MenuItemLook look;
    look.separator = item->IsLine();
    look.caption = item->Caption();
    look.checked = item->Checked();
    look.enabled = item->Enabled();
    look.isDefault = item->Default();
    look.hasSubmenu = item->Count() > 0;
    look.selected = selected;
    look.font = m_font;
    return look;
  }

  void Layout() {
    m_font = TFont().ToLogicalFont();
    Bitmap32 scratch(1, 1);
    DeviceContext dc(scratch);
    TCanvas canvas;
    canvas.SetHandle(&dc);
    int width = 0, shortcutWidth = 0;
    std::vector<Size> sizes;
    for (const Row& row : m_rows) {
      Size size = MeasureMenuItem(LookOf(row.item, false));
      if (row.item->OnMeasureItem) {
        int w = size.width, h = size.height;
        GuardedCall([&] { row.item->OnMeasureItem(row.item, &canvas, w, h); });
        size = {std::max(w, 0), std::max(h, 0)};
      }
      sizes.push_back(size);
      width = std::max(width, size.width);
      if (row.item->ShortCut() != scNone && !row.item->IsLine())
        shortcutWidth = std::max(
            shortcutWidth, GetTextExtent(m_font, ShortCutToText(row.item->ShortCut())).width);
    }
    // One shortcut column for the whole menu, after the widest caption.
    m_shortcutColumn = width - kMenuArrowColumnWidth + kMenuShortcutGap;
    if (shortcutWidth > 0) width += kMenuShortcutGap + shortcutWidth;
    int y = kMenuFrameWidth;
    for (size_t i = 0; i < m_rows.size(); ++i) {
      m_rows[i].bounds = Rect::FromSize(kMenuFrameWidth, y, width, sizes[i].height);
      y += sizes[i].height;
    }
    m_size = {width + 2 * kMenuFrameWidth, y + kMenuFrameWidth};
  }

  static LRESULT WindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TPopupMenuWindow*>(GetWindowUserData(h));
    if (!self && msg == WM_NCCREATE) {
      self = static_cast<TPopupMenuWindow*>(LParamToPtr<CREATESTRUCT>(lParam)->lpCreateParams);
      SetWindowUserData(h, reinterpret_cast<std::intptr_t>(self));
    }
    if (!self || msg == WM_NCDESTROY) return DefWindowProc(h, msg, wParam, lParam);
    return self->Dispatch(h, msg, wParam, lParam);
  }

  int RowAt(Point client) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
      if (m_rows[i].bounds.Contains(client)) return static_cast<int>(i);
    return -1;
  }

  void SetHot(int index) {
    if (index == m_hot) return;
    m_hot = index;
    InvalidateRect(m_window, std::nullopt, false);
  }

  // The next selectable row from the hot one, wrapping round.
  void MoveHot(int step) {
    const int count = static_cast<int>(m_rows.size());
    int index = m_hot;
    for (int tried = 0; tried < count; ++tried) {
      index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
      if (Selectable(m_rows[static_cast<size_t>(index)].item)) {
        SetHot(index);
        return;
      }
    }
  }

  void ChooseRow(int index) {
    if (index < 0) return;
    TMenuItem* item = m_rows[static_cast<size_t>(index)].item;
    if (Selectable(item) && item->Count() == 0) Close(item);
  }

  void Paint(HWND h) {
    PAINTSTRUCT ps;
    DeviceContext& dc = BeginPaint(h, ps);
    DrawMenuFrame(dc, GetClientRect(h));
    TCanvas canvas;
    canvas.SetHandle(&dc);
    for (size_t i = 0; i < m_rows.size(); ++i) {
      TMenuItem* item = m_rows[i].item;
      const bool selected = static_cast<int>(i) == m_hot;
      const TMenuDrawItemEvent& draw =
          item->OnAdvancedDrawItem ? item->OnAdvancedDrawItem : item->OnDrawItem;
      if (draw) {
        GuardedCall([&] { draw(item, &canvas, m_rows[i].bounds, selected); });
        continue;
      }
      const std::string shortcut = item->IsLine() ? "" : ShortCutToText(item->ShortCut());
      MenuItemLook look = LookOf(item, selected);
      look.shortcut = shortcut;
      look.shortcutColumn = m_shortcutColumn;
      DrawMenuItem(dc, m_rows[i].bounds, look);
    }
    canvas.SetHandle(nullptr);
    EndPaint(h, ps);
  }

  void KeyDown(WPARAM key) {
    switch (key) {
      case VK_UP: MoveHot(-1); break;
      case VK_DOWN: MoveHot(1); break;
      case VK_RETURN: ChooseRow(m_hot); break;
      case VK_ESCAPE: Close(nullptr); break;
      default: break;
    }
  }

  void Accelerator(char32_t c) {
    for (size_t i = 0; i < m_rows.size(); ++i) {
      TMenuItem* item = m_rows[i].item;
      if (Selectable(item) && IsAccel(c, item->Caption())) {
        SetHot(static_cast<int>(i));
        ChooseRow(static_cast<int>(i));
        return;
      }
    }
  }

  LRESULT Dispatch(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_PAINT:
        Paint(h);
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_MOUSEMOVE:
        SetHot(RowAt(PointFromLParam(lParam)));
        return 0;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        const Point screen = ClientToScreen(h, PointFromLParam(lParam));
        m_pressedInside = GetWindowRect(h).Contains(screen);
        if (!m_pressedInside) Close(nullptr);
        return 0;
      }
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        // The release of the click that opened the menu chooses nothing.
        if (m_pressedInside) ChooseRow(RowAt(PointFromLParam(lParam)));
        m_pressedInside = false;
        return 0;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        KeyDown(wParam);
        return 0;
      case WM_CHAR:
      case WM_SYSCHAR:
        Accelerator(static_cast<char32_t>(wParam));
        return 0;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        return 0;
      case WM_CAPTURECHANGED:
        if (m_window == h && WParamToHandle(static_cast<WPARAM>(lParam)) != h) Close(nullptr);
        return 0;
    }
    return DefWindowProc(h, msg, wParam, lParam);
  }

  std::vector<Row> m_rows;
  LogicalFont m_font;
  Size m_size;
  int m_shortcutColumn = -1;
  int m_hot = -1;
  bool m_pressedInside = false;
  bool m_closed = false;
  TMenuItem* m_chosen = nullptr;
  HWND m_window;
  HHOOK m_hook = 0;
};

// --- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TPopupMenuBase(owner) {
  m_items = Create<TMenuItem>(this);
}

TPopupMenu::~TPopupMenu() = default;

HWND TPopupMenu::WindowHandle() const { return m_window ? m_window->Handle() : kNullWindow; }

void TPopupMenu::CloseMenu() {
  if (m_window) m_window->Close(nullptr);
}

void TPopupMenu::Popup(int x, int y) {
  if (m_window) return;  // already open
  if (OnPopup) GuardedCall([&] { OnPopup(this); });
  TMenuItem* chosen = nullptr;
  {
    TPopupMenuWindow window(*m_items);
    m_window = &window;
    chosen = window.Run({x, y});
    m_window = nullptr;
  }
  if (chosen) chosen->Click();
}

namespace {

TMenuItem* FindShortCut(const TMenuItem& parent, TShortCut shortCut) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible() || !item->Enabled()) continue;
    if (item->ShortCut() == shortCut && !item->IsLine()) return item;
    if (TMenuItem* found = FindShortCut(*item, shortCut)) return found;
  }
  return nullptr;
}

}  // namespace

bool TPopupMenu::IsShortCut(WORD key, TShiftState shift) {
  const TShortCut shortCut = tappomat::ShortCut(key, shift);
  if (shortCut == scNone) return false;
  TMenuItem* item = FindShortCut(*m_items, shortCut);
  if (!item) return false;
  item->Click();
  return true;
}

}  // namespace tappomat
