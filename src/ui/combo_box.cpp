#include "ui/combo_box.h"

#include <algorithm>

#include "gdi/primitives.h"
#include "gdi/system_metrics.h"
#include "gdi/text.h"
#include "gdi/text_layout.h"
#include "platform/virtual_keys.h"
#include "ui/classic_look.h"
#include "ui/form.h"
#include "win/input.h"

namespace tappomat {

namespace {

// Case folding for the exact match and the first-letter search: ASCII and the Russian
// alphabet, the letters the program's lists hold.
char32_t FoldCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c == 0x401) return 0x451;
  return c;
}

std::u32string Folded(std::string_view utf8) {
  std::u32string text = DecodeUtf8(utf8);
  for (char32_t& c : text) c = FoldCase(c);
  return text;
}

// Out of the combo box first, while the child is still whole: a control that is taken
// out only by its own destructor stays in its parent's tab order.
void FreeChild(TWinControl* child) {
  child->SetParent(nullptr);
  child->Free();
}

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  // The drop-down list takes the mouse when it opens; the combo box does not capture it.
  m_controlStyle = csClickEvents | csSetCaption | csDoubleClicks;
  SetColor(clWindow);
  SetTabStop(true);
  m_items.OnChange = [this] {
    if (m_itemIndex >= m_items.Count()) m_itemIndex = -1;
    if (m_simpleList) m_simpleList->Items().Assign(m_items);
    SyncSimpleList();
    Invalidate();
  };
  m_list.OnChoose = [this](int index) {
    m_list.SetHotIndex(index);
    CloseList(true);
  };
  m_list.OnCancel = [this] { CloseList(false); };
  SetStyle(TComboBoxStyle::csDropDown);
  SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() {
  m_list.OnCancel = nullptr;
  m_list.Close();
  // The editor's and the list's hooks point here: they go while this combo box is still
  // whole.
  DestroyComponents();
  m_edit = nullptr;
  m_simpleList = nullptr;
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (m_edit && style == m_style) return;
  CloseList(false);
  m_style = style;
  const bool wantsEdit = style != TComboBoxStyle::csDropDownList;
  if (wantsEdit && !m_edit) {
    m_edit = Create<TEdit>(this);
    m_edit->SetBorderStyle(TEditBorderStyle::bsNone);
    m_edit->SetTabStop(false);
    m_edit->SetParentColor(true);
    m_edit->SetText(Text());
    m_edit->OnChange = [this](TComponent*) { EditChanged(); };
    // The editor's keys are the combo box's: its key events, then its own keys.
    m_edit->OnKeyDown = [this](TComponent*, WORD& key, TShiftState shift) {
      if (OnKeyDown) GuardedCall([&] { OnKeyDown(this, key, shift); });
      if (key != 0 && ComboKey(key, shift)) key = 0;
    };
    m_edit->OnKeyUp = [this](TComponent*, WORD& key, TShiftState shift) {
      if (OnKeyUp) GuardedCall([&] { OnKeyUp(this, key, shift); });
    };
    m_edit->OnKeyPress = [this](TComponent*, char32_t& key) {
      if (OnKeyPress) GuardedCall([&] { OnKeyPress(this, key); });
    };
    // Held as its base: the editor's own window messages reach this hook while it is torn
    // down, when it is no longer a TEdit.
    TWinControl* edit = m_edit;
    edit->WindowProc = [this, edit](TMessage& m) {
      if (m.Msg == WM_KILLFOCUS && !(HandleAllocated() && WParamToHandle(m.WParam) == m_handle))
        CloseList(false);
      edit->WndProc(m);
      if (m.Msg == WM_GETDLGCODE && DroppedDown()) m.Result |= DLGC_WANTALLKEYS;
    };
    m_edit->SetParent(this);
  } else if (!wantsEdit && m_edit) {
    TEdit* edit = m_edit;
    m_edit = nullptr;
    FreeChild(edit);
  }
  MakeSimpleList(style == TComboBoxStyle::csSimple);
  LayoutParts();
  Invalidate();
}

void TComboBox::MakeSimpleList(bool wanted) {
  if (wanted && !m_simpleList) {
    m_simpleList = Create<TListBox>(this);
    m_simpleList->SetTabStop(false);
    m_simpleList->Items().Assign(m_items);
    m_simpleList->OnClick = [this](TComponent*) { UserSelect(m_simpleList->ItemIndex()); };
    // The list takes the focus on a press; the edit keeps it, so that typing and the
    // arrows go on working there.
    TWinControl* list = m_simpleList;
    list->WindowProc = [this, list](TMessage& m) {
      list->WndProc(m);
      if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) && m_edit && list->Focused())
        m_edit->SetFocus();
    };
    m_simpleList->SetParent(this);
    SyncSimpleList();
  } else if (!wanted && m_simpleList) {
    TListBox* list = m_simpleList;
    m_simpleList = nullptr;
    FreeChild(list);
  }
}

void TComboBox::SyncSimpleList() {
  if (m_simpleList && m_simpleList->ItemIndex() != m_itemIndex)
    m_simpleList->SetItemIndex(m_itemIndex);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  LayoutParts();
}

Rect TComboBox::EditPartRect() const {
  if (m_style != TComboBoxStyle::csSimple) return Rect{0, 0, Width(), Height()};
  // A text line with the editor's margins and the two-pixel edge above and below.
  return Rect{0, 0, Width(), std::min(Height(), ItemHeight() + 8)};
}

Rect TComboBox::InnerRect() const { return EditPartRect().Inflate(-2, -2); }

Rect TComboBox::ButtonRect() const {
  if (m_style == TComboBoxStyle::csSimple) return {};
  const Rect inner = InnerRect();
  return {inner.right - GetSystemMetrics(SM_CXVSCROLL), inner.top, inner.right, inner.bottom};
}

void TComboBox::LayoutParts() {
  if (m_simpleList) {
    const int top = EditPartRect().bottom;
    m_simpleList->SetBounds(0, top, Width(), std::max(Height() - top, 0));
  }
  if (!m_edit) return;
  const Rect inner = InnerRect();
  const Rect button = ButtonRect();
  const int right = button.IsEmpty() ? inner.right : button.left;
  m_edit->SetBounds(inner.left, inner.top, std::max(right - inner.left, 0), inner.Height());
}

int TComboBox::ItemHeight() const { return GetTextMetrics(Font().ToLogicalFont()).height; }

int TComboBox::MaxLength() const { return m_edit ? m_edit->MaxLength() : 0; }

void TComboBox::SetMaxLength(int length) {
  if (m_edit) m_edit->SetMaxLength(length);
}

int TComboBox::FindStringExact(const std::string& text) const {
  const std::u32string wanted = Folded(text);
  for (int i = 0; i < m_items.Count(); ++i)
    if (Folded(m_items[i]) == wanted) return i;
  return -1;
}

// --- text and selection

void TComboBox::ShowText(const std::string& text) {
  m_settingText = true;
  m_text = text;
  if (HandleAllocated()) SetWindowText(m_handle, text);
  if (m_edit) {
    m_edit->SetText(text);
    if (m_edit->Focused()) m_edit->SelectAll();
  }
  m_settingText = false;
  Invalidate();
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= m_items.Count()) index = -1;
  m_itemIndex = index;
  SyncSimpleList();
  ShowText(index >= 0 ? m_items[index] : std::string());
}

void TComboBox::SetText(const std::string& text) {
  const int index = FindStringExact(text);
  if (m_style == TComboBoxStyle::csDropDownList) {
    if (index >= 0) SetItemIndex(index);
    return;
  }
  m_itemIndex = index;
  SyncSimpleList();
  ShowText(text);
}

void TComboBox::EditChanged() {
  if (m_settingText || !m_edit) return;
  m_text = m_edit->Text();
  if (HandleAllocated()) SetWindowText(m_handle, m_text);
  m_itemIndex = FindStringExact(m_text);
  SyncSimpleList();
  Change();
}

void TComboBox::UserSelect(int index) {
  if (index < 0 || index >= m_items.Count()) return;
  const std::string before = Text();
  SetItemIndex(index);
  Select();
  if (Text() != before) Change();
}

void TComboBox::Change() {
  if (OnChange) GuardedCall([&] { OnChange(this); });
}
void TComboBox::Select() {
  if (OnSelect) GuardedCall([&] { OnSelect(this); });
}
void TComboBox::DropDown() {
  if (OnDropDown) GuardedCall([&] { OnDropDown(this); });
}
void TComboBox::CloseUp() {
  if (OnCloseUp) GuardedCall([&] { OnCloseUp(this); });
}

// --- the drop-down list

void TComboBox::SetDroppedDown(bool on) {
  if (on) OpenList();
  else CloseList(false);
}

void TComboBox::OpenList() {
  // A simple combo box's list is always shown.
  if (DroppedDown() || !HandleAllocated() || m_style == TComboBoxStyle::csSimple) return;
  DropDown();  // the handler may still fill the items
  if (!HandleAllocated()) return;
  const int itemHeight = ItemHeight();
  const int rows = std::clamp(m_items.Count(), 1, m_dropDownCount);
  const int height = rows * itemHeight + 2;  // and the one-pixel border
  const Point origin = ClientToScreen({0, 0});
  const Rect work = WindowSystem::Current().GetPlatform().WorkArea();
  int top = origin.y + Height();
  if (top + height > work.bottom && origin.y - height >= work.top) top = origin.y - height;
  m_list.Open(GetAncestor(m_handle, GA_ROOT), Rect::FromSize(origin.x, top, Width(), height),
              m_items, Font().ToLogicalFont(), itemHeight, rows, m_itemIndex);
  if (m_list.IsOpen()) DropDownListShown(m_list.Handle());
  Invalidate();
}

void TComboBox::CloseList(bool choose) {
  if (!DroppedDown()) return;
  const int hot = m_list.HotIndex();
  m_list.Close();
  Invalidate();
  if (choose && hot >= 0) UserSelect(hot);
  CloseUp();
}

// --- input

bool TComboBox::ComboKey(WORD key, TShiftState shift) {
  const bool alt = shift & ssAlt;
  if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    if (DroppedDown()) CloseList(true);
    else OpenList();
    return true;
  }
  if (alt) return false;
  const int count = m_items.Count();
  if (DroppedDown()) {
    const int hot = m_list.HotIndex();
    const int page = std::max(std::min(count, m_dropDownCount) - 1, 1);
    switch (key) {
      case VK_UP: m_list.SetHotIndex(hot < 0 ? 0 : std::max(hot - 1, 0)); return true;
      case VK_DOWN: m_list.SetHotIndex(hot + 1); return true;
      case VK_PRIOR: m_list.SetHotIndex(std::max(hot - page, 0)); return true;
      case VK_NEXT: m_list.SetHotIndex(hot + page); return true;
      case VK_RETURN: CloseList(true); return true;
      case VK_ESCAPE: CloseList(false); return true;
    }
    if (m_style == TComboBoxStyle::csDropDownList) {
      if (key == VK_HOME) return m_list.SetHotIndex(0), true;
      if (key == VK_END) return m_list.SetHotIndex(count - 1), true;
    }
    return false;
  }
  if (count == 0) return key == VK_UP || key == VK_DOWN;
  int target = -1;
  switch (key) {
    case VK_UP: target = std::max(m_itemIndex - 1, 0); break;
    case VK_DOWN: target = std::min(m_itemIndex + 1, count - 1); break;
  }
  if (m_style == TComboBoxStyle::csDropDownList) {
    const int page = std::max(m_dropDownCount - 1, 1);
    switch (key) {
      case VK_LEFT: target = std::max(m_itemIndex - 1, 0); break;
      case VK_RIGHT: target = std::min(m_itemIndex + 1, count - 1); break;
      case VK_PRIOR: target = std::max(m_itemIndex - page, 0); break;
      case VK_NEXT: target = std::min(m_itemIndex + page, count - 1); break;
      case VK_HOME: target = 0; break;
      case VK_END: target = count - 1; break;
    }
  }
  if (target < 0) return false;
  if (target != m_itemIndex) UserSelect(target);
  return true;
}

bool TComboBox::DoKeyDown(WORD& key, TShiftState shift) {
  if (TWinControl::DoKeyDown(key, shift)) return true;
  return ComboKey(key, shift);
}

bool TComboBox::DoKeyPress(char32_t& key) {
  if (TWinControl::DoKeyPress(key)) return true;
  if (m_style != TComboBoxStyle::csDropDownList || key < 0x20) return false;
  // The next item starting with the letter, after the current one, wrapping round.
  const int count = m_items.Count();
  const int from = DroppedDown() ? m_list.HotIndex() : m_itemIndex;
  for (int step = 1; step <= count; ++step) {
    const int i = ((from + step) % count + count) % count;
    const std::u32string text = Folded(m_items[i]);
    if (!text.empty() && text[0] == FoldCase(key)) {
      if (DroppedDown()) m_list.SetHotIndex(i);
      else if (i != m_itemIndex) UserSelect(i);
      break;
    }
  }
  return true;
}

void TComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft &&
      (m_style == TComboBoxStyle::csDropDownList || ButtonRect().Contains(Point{x, y}))) {
    if (DroppedDown()) CloseList(false);
    else OpenList();
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      // While the list is open, Enter and Esc close it instead of reaching the form's
      // default and cancel buttons.
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (DroppedDown()) m.Result |= DLGC_WANTALLKEYS;
      return;
    case WM_SETFOCUS: {
      TWinControl::WndProc(m);
      if (!m_edit) {
        Invalidate();
        return;
      }
      const bool backTab = (GetKeyState(VK_TAB) & 0x8000) && (GetKeyState(VK_SHIFT) & 0x8000);
      if (backTab && m_edit->HandleAllocated() && WParamToHandle(m.WParam) == m_edit->Handle()) {
        // Shift+Tab out of the editor: the box itself is no stop of its own.
        if (TForm* form = ParentForm()) form->SelectNext(this, false, true);
      } else {
        m_edit->SetFocus();
      }
      return;
    }
    case WM_KILLFOCUS:
      if (!(m_edit && m_edit->HandleAllocated() && WParamToHandle(m.WParam) == m_edit->Handle()))
        CloseList(false);
      TWinControl::WndProc(m);
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      CloseList(false);
      if (m_edit) m_edit->SetEnabled(Enabled());
      if (m_simpleList) m_simpleList->SetEnabled(Enabled());
      break;
    case CM_FONTCHANGED:
      TWinControl::WndProc(m);
      LayoutParts();
      return;
  }
  TWinControl::WndProc(m);
}

// --- painting

void TComboBox::PaintWindow(DeviceContext& dc) {
  const Rect inner = DrawEditFrame(dc, EditPartRect(), {Enabled(), false});
  FillRect(dc, inner, ColorToRGB(Enabled() ? Color() : clBtnFace));
  const Rect button = ButtonRect();
  if (!button.IsEmpty()) DrawComboArrowButton(dc, button, {DroppedDown(), Enabled()});
  if (m_style == TComboBoxStyle::csDropDownList) {
    const Rect item{inner.left + 1, inner.top + 1, button.left - 1, inner.bottom - 1};
    if (Enabled()) {
      ListItemLook look;
      look.text = Text();
      look.selected = look.focused = Focused() && !DroppedDown();
      look.font = Font().ToLogicalFont();
      if (!look.selected) FillRect(dc, item, ColorToRGB(Color()));
      DeviceContext::Saver saver(dc);
      dc.IntersectClipRect(item);
      if (look.selected) DrawListItem(dc, item, look);
      else {
        dc.SetFont(look.font);
        dc.SetBkMode(BkMode::Transparent);
        dc.SetTextColor(ColorToRGB(Font().Color()));
        Rect text{item.left + 2, item.top, item.right, item.bottom};
        DrawText(dc, Text(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      }
    } else {
      DeviceContext::Saver saver(dc);
      dc.SetFont(Font().ToLogicalFont());
      dc.SetBkMode(BkMode::Transparent);
      dc.SetTextColor(ColorToRGB(clGrayText));
      Rect text{item.left + 2, item.top, item.right, item.bottom};
      DrawText(dc, Text(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  }
  PaintControls(dc);
}

}  // namespace tappomat
