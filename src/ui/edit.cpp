#include "ui/edit.h"

#include <algorithm>

#include "gdi/primitives.h"
#include "gdi/text.h"
#include "gdi/text_layout.h"
#include "platform/virtual_keys.h"
#include "ui/classic_look.h"
#include "win/input.h"

namespace tappomat {

namespace {

constexpr std::uintptr_t kCaretTimer = 1;
constexpr UINT kCaretBlinkMs = 500;
// A caret that blinks for ever wakes an idle program twice a second: it stops blinking,
// shown, this long after the last input to the edit, and blinks again with the next.
constexpr auto kCaretBlinkFor = std::chrono::seconds(10);

// Keys and mouse buttons: the input that keeps the caret blinking.
bool IsInput(UINT msg) {
  return (msg >= WM_KEYDOWN && msg <= WM_SYSCHAR) ||
         (msg >= WM_LBUTTONDOWN && msg <= WM_MOUSEWHEEL);
}

// Word moves and double clicks stop where the kind of character changes.
enum class CharKind { Space, Punctuation, Word };

CharKind KindOf(char32_t c) {
  if (c == U' ' || c == U'\t' || c == 0xA0) return CharKind::Space;
  if (c < 0x80 && !((c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') ||
                    (c >= U'A' && c <= U'Z') || c == U'_'))
    return CharKind::Punctuation;
  return CharKind::Word;
}

// A single-line edit keeps the first line of pasted text: it cannot show more.
std::u32string FirstLine(std::u32string text) {
  const auto end = text.find_first_of(U"\r\n");
  if (end != std::u32string::npos) text.resize(end);
  return text;
}

Platform& ThePlatform() { return WindowSystem::Current().GetPlatform(); }

}  // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
  SetCursor(crIBeam);
  m_controlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
}

TEdit::~TEdit() {
  if (HandleAllocated()) KillTimer(m_handle, kCaretTimer);
}

// --- text and selection

void TEdit::SetText(const std::string& text) {
  if (text == Text()) return;
  m_chars = DecodeUtf8(text);
  m_anchor = m_caret = 0;
  m_scroll = 0;
  TWinControl::SetText(text);
  Change();
}

int TEdit::SelStart() const { return std::min(m_anchor, m_caret); }
int TEdit::SelLength() const { return std::abs(m_caret - m_anchor); }

void TEdit::SetSelStart(int position) { MoveCaret(position, false); }

void TEdit::SetSelLength(int length) {
  const int start = SelStart();
  m_anchor = start;
  m_caret = std::clamp(start + std::max(length, 0), 0, static_cast<int>(m_chars.size()));
  ScrollCaretIntoView();
  Invalidate();
}

std::string TEdit::SelText() const {
  return EncodeUtf8(std::u32string_view(m_chars).substr(SelStart(), SelLength()));
}

void TEdit::SetSelText(const std::string& text) { ReplaceSelection(DecodeUtf8(text)); }

void TEdit::SelectAll() {
  m_anchor = 0;
  m_caret = static_cast<int>(m_chars.size());
  ScrollCaretIntoView();
  Invalidate();
}

void TEdit::ClearSelection() {
  if (SelLength() > 0) ReplaceSelection({});
}

void TEdit::CopyToClipboard() {
  // A password is never handed out: it is neither copied nor cut to the clipboard.
  if (SelLength() > 0 && m_passwordChar == 0) ThePlatform().SetClipboardText(SelText());
}

void TEdit::CutToClipboard() {
  if (m_readOnly || m_passwordChar != 0) return;
  CopyToClipboard();
  ClearSelection();
}

void TEdit::PasteFromClipboard() {
  if (m_readOnly) return;
  UserInsert(FirstLine(DecodeUtf8(ThePlatform().ClipboardText())));
}

void TEdit::SetReadOnly(bool on) {
  m_readOnly = on;
  Invalidate();
}

void TEdit::SetPasswordChar(char32_t c) {
  m_passwordChar = c;
  ScrollCaretIntoView();
  Invalidate();
}

void TEdit::SetBorderStyle(TEditBorderStyle style) {
  m_borderStyle = style;
  Invalidate();
}

bool TEdit::AcceptChar(char32_t&) { return true; }

void TEdit::Change() {
  if (OnChange) GuardedCall([&] { OnChange(this); });
}

bool TEdit::UserInsert(std::u32string text) {
  if (m_readOnly) return false;
  if (m_maxLength > 0) {
    const int room = m_maxLength - (static_cast<int>(m_chars.size()) - SelLength());
    text.resize(std::clamp(room, 0, static_cast<int>(text.size())));
  }
  if (text.empty() && SelLength() == 0) return false;
  ReplaceSelection(text);
  return true;
}

void TEdit::ReplaceSelection(const std::u32string& text) {
  const int start = SelStart();
  m_chars.replace(start, SelLength(), text);
  m_anchor = m_caret = start + static_cast<int>(text.size());
  TextEdited();
}

void TEdit::DeleteRange(int from, int to) {
  m_anchor = std::min(from, to);
  m_caret = std::max(from, to);
  ReplaceSelection({});
}

void TEdit::TextEdited() {
  m_text = EncodeUtf8(m_chars);
  if (HandleAllocated()) SetWindowText(m_handle, m_text);
  ScrollCaretIntoView();
  RestartCaretBlink();
  Invalidate();
  Change();
}

void TEdit::MoveCaret(int position, bool extend) {
  m_caret = std::clamp(position, 0, static_cast<int>(m_chars.size()));
  if (!extend) m_anchor = m_caret;
  ScrollCaretIntoView();
  RestartCaretBlink();
  Invalidate();
}

int TEdit::WordLeft(int position) const {
  while (position > 0 && KindOf(m_chars[position - 1]) == CharKind::Space) --position;
  if (position == 0) return 0;
  const CharKind kind = KindOf(m_chars[position - 1]);
  while (position > 0 && KindOf(m_chars[position - 1]) == kind) --position;
  return position;
}

int TEdit::WordRight(int position) const {
  const int n = static_cast<int>(m_chars.size());
  if (position < n && KindOf(m_chars[position]) != CharKind::Space) {
    const CharKind kind = KindOf(m_chars[position]);
    while (position < n && KindOf(m_chars[position]) == kind) ++position;
  }
  while (position < n && KindOf(m_chars[position]) == CharKind::Space) ++position;
  return position;
}

void TEdit::SelectWordAt(int position) {
  const int n = static_cast<int>(m_chars.size());
  if (n == 0) return;
  // Past the last character the word before the click is meant.
  const int at = std::min(position, n - 1);
  const CharKind kind = KindOf(m_chars[at]);
  int from = at, to = at;
  while (from > 0 && KindOf(m_chars[from - 1]) == kind) --from;
  while (to < n && KindOf(m_chars[to]) == kind) ++to;
  m_anchor = from;
  MoveCaret(to, true);
}

// --- geometry

std::u32string TEdit::Shown() const {
  if (m_passwordChar == 0) return m_chars;
  return std::u32string(m_chars.size(), m_passwordChar);
}

Rect TEdit::TextArea() const {
  const Rect client = ClientRect();
  return m_borderStyle == TEditBorderStyle::bsSingle ? client.Inflate(-2, -2) : client;
}

int TEdit::XOfPosition(int position) const {
  const std::u32string shown = Shown();
  position = std::clamp(position, 0, static_cast<int>(shown.size()));
  const int width =
      GetTextExtent(Font().ToLogicalFont(), EncodeUtf8(std::u32string_view(shown).substr(0, position))).width;
  return TextArea().left + 1 + width - m_scroll;
}

int TEdit::PositionAt(int x) const {
  const int n = static_cast<int>(m_chars.size());
  int best = 0;
  int bestDistance = std::abs(XOfPosition(0) - x);
  for (int i = 1; i <= n; ++i) {
    const int distance = std::abs(XOfPosition(i) - x);
    if (distance < bestDistance) best = i, bestDistance = distance;
  }
  return best;
}

void TEdit::ScrollCaretIntoView() {
  const Rect area = TextArea();
  const int visible = std::max(area.Width() - 2, 1);
  const int caretOffset = XOfPosition(m_caret) + m_scroll - area.left - 1;
  const int total = XOfPosition(static_cast<int>(m_chars.size())) + m_scroll - area.left - 1;
  if (caretOffset < m_scroll) m_scroll = caretOffset;
  if (caretOffset > m_scroll + visible - 1) m_scroll = caretOffset - visible + 1;
  // Text that fits, or a short tail, is not left scrolled away.
  m_scroll = std::clamp(m_scroll, 0, std::max(total - visible + 1, 0));
}

void TEdit::RestartCaretBlink() {
  m_caretOn = true;
  m_blinkSince = ThePlatform().Now();
  if (HandleAllocated() && Focused()) SetTimer(m_handle, kCaretTimer, kCaretBlinkMs);
}


// --- painting

void TEdit::PaintWindow(DeviceContext& dc) {
  const Rect client = ClientRect();
  Rect area = client;
  if (m_borderStyle == TEditBorderStyle::bsSingle)
    area = DrawEditFrame(dc, client, {Enabled(), m_readOnly});
  // A read-only edit keeps its own colour; a disabled one turns to the face colour.
  FillRect(dc, area, ColorToRGB(Enabled() ? Color() : clBtnFace));

  DeviceContext::Saver saver(dc);
  dc.IntersectClipRect(TextArea());
  dc.SetFont(Font().ToLogicalFont());
  dc.SetBkMode(BkMode::Transparent);
  const int top = area.top + 1;
  const int lineHeight = GetTextMetrics(dc).height;
  const std::u32string shown = Shown();
  const bool showSelection = Focused() && SelLength() > 0 && Enabled();
  const ColorRef textColor = ColorToRGB(Enabled() ? Font().Color() : clGrayText);

  auto drawPart = [&](int from, int to, ColorRef color) {
    if (from >= to) return;
    dc.SetTextColor(color);
    TextOut(dc, XOfPosition(from), top, EncodeUtf8(std::u32string_view(shown).substr(from, to - from)));
  };
  const int n = static_cast<int>(shown.size());
  if (showSelection) {
    const int s = SelStart(), e = SelStart() + SelLength();
    drawPart(0, s, textColor);
    FillRect(dc, Rect{XOfPosition(s), top, XOfPosition(e), top + lineHeight}, ColorToRGB(clHighlight));
    drawPart(s, e, ColorToRGB(clHighlightText));
    drawPart(e, n, textColor);
  } else {
    drawPart(0, n, textColor);
  }
  if (CaretShowing() && Enabled()) {
    const int x = XOfPosition(m_caret);
    DrawLine(dc, {x, top}, {x, top + lineHeight}, textColor);
  }
  PaintControls(dc);
}

// --- input

bool TEdit::DoKeyDown(WORD& key, TShiftState shift) {
  if (TWinControl::DoKeyDown(key, shift)) return true;
  const bool extend = shift & ssShift;
  const bool ctrl = shift & ssCtrl;
  const int n = static_cast<int>(m_chars.size());
  switch (key) {
    case VK_LEFT:
      if (ctrl) MoveCaret(WordLeft(m_caret), extend);
      else if (!extend && SelLength() > 0) MoveCaret(SelStart(), false);
      else MoveCaret(m_caret - 1, extend);
      return true;
    case VK_RIGHT:
      if (ctrl) MoveCaret(WordRight(m_caret), extend);
      else if (!extend && SelLength() > 0) MoveCaret(SelStart() + SelLength(), false);
      else MoveCaret(m_caret + 1, extend);
      return true;
    case VK_HOME:
      MoveCaret(0, extend);
      return true;
    case VK_END:
      MoveCaret(n, extend);
      return true;
    case VK_DELETE:
      if (m_readOnly) return true;
      if (extend) CutToClipboard();
      else if (SelLength() > 0) ClearSelection();
      else if (m_caret < n) DeleteRange(m_caret, ctrl ? WordRight(m_caret) : m_caret + 1);
      return true;
    case VK_INSERT:
      if (ctrl) CopyToClipboard();
      else if (extend) PasteFromClipboard();
      return true;
  }
  return false;
}

bool TEdit::DoKeyPress(char32_t& key) {
  if (TWinControl::DoKeyPress(key)) return true;
  switch (key) {
    case U'\b':  // Backspace
    case 0x7F:   // Ctrl+Backspace: the word before the caret
      if (m_readOnly) return true;
      if (SelLength() > 0) ClearSelection();
      else if (m_caret > 0) DeleteRange(key == 0x7F ? WordLeft(m_caret) : m_caret - 1, m_caret);
      return true;
    case 0x01:  // Ctrl+A
      SelectAll();
      return true;
    case 0x03:  // Ctrl+C
      CopyToClipboard();
      return true;
    case 0x16:  // Ctrl+V
      PasteFromClipboard();
      return true;
    case 0x18:  // Ctrl+X
      CutToClipboard();
      return true;
  }
  if (key < 0x20) return false;
  char32_t c = key;
  if (m_readOnly || !AcceptChar(c) || c == 0) return true;
  UserInsert(std::u32string(1, c));
  return true;
}

void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    // An edit takes the focus on a click also when Tab passes it by (TabStop off).
    if (!Focused() && CanFocus()) SetFocus();
    const int position = PositionAt(x);
    if (shift & ssDouble) {
      SelectWordAt(position);
    } else {
      MoveCaret(position, shift & ssShift);
      m_dragging = true;
    }
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TEdit::MouseMove(TShiftState shift, int x, int y) {
  if (m_dragging && (shift & ssLeft)) MoveCaret(PositionAt(x), true);
  TWinControl::MouseMove(shift, x, y);
}

void TEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) m_dragging = false;
  TWinControl::MouseUp(button, shift, x, y);
}

void TEdit::WndProc(TMessage& m) {
  if (IsInput(m.Msg) && Focused()) RestartCaretBlink();
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
      return;
    case WM_SETFOCUS:
      // Entered by the keyboard (not by a click, which places the caret itself).
      if (m_autoSelect && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
      TWinControl::WndProc(m);
      RestartCaretBlink();
      Invalidate();
      return;
    case WM_KILLFOCUS:
      if (HandleAllocated()) KillTimer(m_handle, kCaretTimer);
      m_dragging = false;
      TWinControl::WndProc(m);
      Invalidate();
      return;
    case WM_TIMER:
      if (m.WParam == kCaretTimer) {
        if (ThePlatform().Now() - m_blinkSince >= kCaretBlinkFor) {
          KillTimer(m_handle, kCaretTimer);
          m_caretOn = true;
        } else {
          m_caretOn = !m_caretOn;
        }
        Invalidate();
        return;
      }
      break;
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR:
      if (!m_readOnly) ClearSelection();
      return;
    case WM_SIZE:
      TWinControl::WndProc(m);
      ScrollCaretIntoView();
      return;
    case CM_FONTCHANGED:
      ScrollCaretIntoView();
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace tappomat
