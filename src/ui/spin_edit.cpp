#include "ui/spin_edit.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/virtual_keys.h"
#include "ui/convert.h"

namespace tappomat {

namespace {

void Beep() { WindowSystem::Current().GetPlatform().Beep(); }

bool IsControlChar(char32_t c) { return c < 0x20 || c == 0x7F; }

int SaturateToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max()));
}

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner) {
  m_button = Create<TSpinButton>(this);
  m_button->SetFocusControl(this);
  m_button->OnUpClick = [this](TComponent*) { UpClick(); };
  m_button->OnDownClick = [this](TComponent*) { DownClick(); };
  m_button->SetParent(this);
  m_pair = m_button;
  PlaceButton();
}

void TSpinEdit::ReplaceButtonPair(TWinControl* pair) {
  if (pair == m_pair) return;
  TWinControl* old = m_pair;
  m_pair = pair;
  if (old == m_button) m_button = nullptr;
  if (old) {
    // Out of the edit first, so that it leaves the tab order while still whole.
    old->SetParent(nullptr);
    old->Free();
  }
  if (!pair) return;
  pair->FreeNotification(this);
  if (pair->Parent() != this) pair->SetParent(this);
  pair->SetVisible(m_showSpinButtons);
  pair->SetEnabled(Enabled());
  PlaceButton();
  Invalidate();
}

// --- value

std::optional<int> TSpinEdit::ParseDecimal(std::string_view text) {
  std::size_t digits = 0;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) digits = 1;
  if (digits == text.size()) return std::nullopt;
  for (std::size_t i = digits; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  return TryStrToInt(text);  // the range check
}

int TSpinEdit::ReadValue() const {
  if (Text().empty()) return 0;
  return ParseDecimal(Text()).value_or(m_minValue);
}

int TSpinEdit::CheckValue(int value) const {
  int result = value;
  if (value < 0 && !m_allowNegative) result = std::max(0, m_minValue);
  // The limits are compared with the value as given, before the sign rule above.
  if (m_minValue != 0 || m_maxValue != 0) {
    if (value < m_minValue) return m_minValue;
    if (m_maxValue != 0 && value > m_maxValue) return m_maxValue;
  }
  return result;
}

void TSpinEdit::SetValue(int value) {
  // While loading, the limits may not be set yet; Loaded writes the value.
  if (ComponentState() & csLoading) {
    m_loadedValue = value;
    return;
  }
  if (value < 0 && !m_allowNegative) value = std::max(0, m_minValue);
  SetText(IntToStr(CheckValue(value)));
}

void TSpinEdit::Loaded() {
  TEdit::Loaded();
  if (!m_loadedValue) return;
  const int value = *m_loadedValue;
  m_loadedValue.reset();
  SetValue(value);
}

void TSpinEdit::Step(int steps) {
  SetValue(SaturateToInt(static_cast<std::int64_t>(ReadValue()) +
                         static_cast<std::int64_t>(steps) * m_increment));
}

void TSpinEdit::UpClick() {
  if (ReadOnly()) {
    Beep();
  } else if (OnUpClick) {
    GuardedCall([&] { OnUpClick(this); });
  } else {
    Step(1);
  }
}

void TSpinEdit::DownClick() {
  if (ReadOnly()) {
    Beep();
  } else if (OnDownClick) {
    GuardedCall([&] { OnDownClick(this); });
  } else {
    Step(-1);
  }
}

void TSpinEdit::NormalizeOnExit() {
  const std::string& text = Text();
  if (text == "-0" || text == "-" || text == "+0" || text == "+") SetText("0");
  const int value = ReadValue();
  if (CheckValue(value) != value) SetValue(value);
}

// --- clipboard

void TSpinEdit::CutToClipboard() {
  if (!m_editorEnabled || ReadOnly()) return;
  TEdit::CutToClipboard();
}

void TSpinEdit::PasteFromClipboard() {
  if (!m_editorEnabled || ReadOnly()) return;
  const int before = ReadValue();
  TEdit::PasteFromClipboard();
  if (!ParseDecimal(Text())) SetText(IntToStr(before));
}

// --- typing

bool TSpinEdit::IsValidChar(char32_t& key) {
  const bool control = IsControlChar(key);
  bool valid = key == U'+' || key == U'-' || (key >= U'0' && key <= U'9') ||
               key == m_decimalSeparator || (control && key != U'\r');
  if (key == U'-' && (!m_allowNegative || m_minValue > 0)) valid = false;
  if (!m_editorEnabled && !control) valid = false;
  if (!valid) {
    Beep();
    return false;
  }
  if (key == U'\t' || key == U'\r') return false;
  if ((key != U'+' && key != U'-') || ReadOnly() || Text().empty()) return true;

  // A sign goes in front of the number whatever the caret's position: it replaces a
  // selection only when that starts at the front, and it replaces the other sign.
  if (SelLength() > 0) {
    if (SelStart() == 0) return true;
    Beep();
    return false;
  }
  const char sign = static_cast<char>(key);
  const char first = Text().front();
  if (first == sign) {
    Beep();
    return false;
  }
  SetSelStart(0);
  if (first == '+' || first == '-') SetSelLength(1);
  return true;
}

bool TSpinEdit::DoKeyPress(char32_t& key) {
  if (!IsValidChar(key)) return true;
  return TEdit::DoKeyPress(key);
}

bool TSpinEdit::DoKeyDown(WORD& key, TShiftState shift) {
  if (TEdit::DoKeyDown(key, shift)) return true;
  switch (key) {
    case VK_UP:
      UpClick();
      return true;
    case VK_DOWN:
      DownClick();
      return true;
  }
  return false;
}

// --- focus targets

void TSpinEdit::SetNextTabControl(TWinControl* control) {
  m_nextTabControl = control;
  if (control) control->FreeNotification(this);
}

void TSpinEdit::SetPrevTabControl(TWinControl* control) {
  m_prevTabControl = control;
  if (control) control->FreeNotification(this);
}

bool TSpinEdit::MoveToTabTarget(bool backward) {
  TWinControl* target = backward ? m_prevTabControl : m_nextTabControl;
  if (!target || !target->CanFocus()) return false;
  target->SetFocus();
  return true;
}

void TSpinEdit::Notification(TComponent* component, TOperation operation) {
  TEdit::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == m_nextTabControl) m_nextTabControl = nullptr;
  if (component == m_prevTabControl) m_prevTabControl = nullptr;
  if (component == m_button) m_button = nullptr;
  if (component == m_pair) m_pair = nullptr;
}

// --- buttons and geometry

Rect TSpinEdit::ButtonRect() const {
  const Rect client = ClientRect();
  // Measured from inside the sunken border, as a client edge would place it.
  const int inset = BorderStyle() == TEditBorderStyle::bsSingle ? 2 : 0;
  return Rect::FromSize(inset + client.Width() - kButtonWidth - 4, inset, kButtonWidth,
                        std::max(client.Height() - 4, 0));
}

void TSpinEdit::PlaceButton() {
  if (m_pair) m_pair->SetBoundsRect(ButtonRect());
}

Rect TSpinEdit::TextArea() const {
  Rect area = TEdit::TextArea();
  if (m_showSpinButtons) area.right = std::max(area.left, std::min(area.right, ButtonRect().left - 1));
  return area;
}

void TSpinEdit::SetShowSpinButtons(bool on) {
  m_showSpinButtons = on;
  if (m_pair) m_pair->SetVisible(on);
  Invalidate();
}

void TSpinEdit::SetEnabled(bool enabled) {
  TEdit::SetEnabled(enabled);
  if (m_pair) m_pair->SetEnabled(enabled);
}

void TSpinEdit::BoundsChanged() {
  TEdit::BoundsChanged();
  PlaceButton();
}

// --- messages

void TSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN: {
      m_eatNextChar = false;
      const bool tabOrEnter = m.WParam == VK_TAB || m.WParam == VK_RETURN;
      if (tabOrEnter && MoveToTabTarget(KeyboardShiftState() & ssShift)) {
        // The key is used up, as a dialog key is: its Tab or Return does not follow.
        m_eatNextChar = true;
        m.Result = 0;
        return;
      }
      break;
    }
    case WM_CHAR:
      if (m_eatNextChar) {
        m_eatNextChar = false;
        return;
      }
      break;
    case WM_KILLFOCUS:
      if (!(ComponentState() & csDestroying)) NormalizeOnExit();
      break;
    case WM_MOUSEWHEEL: {
      const int steps = static_cast<std::int16_t>(HIWORD(m.WParam)) / WHEEL_DELTA;
      if (!ReadOnly() && steps != 0) Step(steps);
      m.Result = 0;
      return;
    }
    case WM_SIZE:
      TEdit::WndProc(m);
      PlaceButton();
      return;
  }
  TEdit::WndProc(m);
}

}  // namespace tappomat
