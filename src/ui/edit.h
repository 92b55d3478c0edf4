#pragma once
// TEdit: the single-line edit box, drawn in the classic look (sunken client edge, window
// colour). It owns its text as code points, the caret and the selection, scrolls the text
// sideways so that the caret stays in view, blinks the caret with a window timer while it
// has the focus, and talks to the platform clipboard for cut, copy and paste. Positions
// (SelStart, SelLength, MaxLength) count code points, not UTF-8 bytes.
//
// Forms use it directly; TComboBox embeds one (without a border) as its text part, and
// descendants filter typed characters through AcceptChar (a spin edit takes digits only).
#include <string>

#include "ui/win_control.h"

namespace tappomat {

enum class TEditBorderStyle { bsNone, bsSingle };

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  ~TEdit() override;
  std::string ClassName() const override { return "TEdit"; }

  // Replaces the text from code: the caret goes to the start, OnChange fires.
  void SetText(const std::string& text) override;

  int SelStart() const;
  void SetSelStart(int position);  // collapses the selection there
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  // Replaces the selection by `text` (MaxLength and ReadOnly do not apply to code).
  void SetSelText(const std::string& text);
  void SelectAll();
  void ClearSelection();  // deletes the selected text
  // Virtual so that descendants can refuse or check clipboard edits (a spin edit does).
  virtual void CutToClipboard();
  void CopyToClipboard();
  virtual void PasteFromClipboard();
  void Clear() { SetText(""); }

  int MaxLength() const { return m_maxLength; }
  void SetMaxLength(int length) { m_maxLength = length < 0 ? 0 : length; }  // 0: no limit
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool on);
  bool AutoSelect() const { return m_autoSelect; }
  void SetAutoSelect(bool on) { m_autoSelect = on; }
  char32_t PasswordChar() const { return m_passwordChar; }
  void SetPasswordChar(char32_t c);
  TEditBorderStyle BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(TEditBorderStyle style);

  // The caret's position and whether it shows at this moment of its blink.
  int CaretPos() const { return m_caret; }
  bool CaretShowing() const { return Focused() && m_caretOn; }
  // The first pixel column of the text that shows (horizontal scrolling).
  int ScrollOffset() const { return m_scroll; }
  // The character position nearest to a client x coordinate.
  int PositionAt(int x) const;
  // Client x of the caret standing before character `position`.
  int XOfPosition(int position) const;

  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  // Decides whether a typed character goes in; it may change it. Characters dropped here
  // make no change and no OnChange.
  virtual bool AcceptChar(char32_t& c);
  virtual void Change();
  // Where the text is drawn and scrolled: inside the border. Descendants that put
  // something at the edge (a spin edit's buttons) narrow it.
  virtual Rect TextArea() const;
  bool DoKeyDown(WORD& key, TShiftState shift) override;
  bool DoKeyPress(char32_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void PaintWindow(DeviceContext& dc) override;

 private:
  // Typing, pasting: replaces the selection, cut to MaxLength; false when nothing changed.
  bool UserInsert(std::u32string text);
  void ReplaceSelection(const std::u32string& text);
  void TextEdited();
  // Moves the caret (extending the selection from the anchor when `extend`).
  void MoveCaret(int position, bool extend);
  void DeleteRange(int from, int to);
  int WordLeft(int position) const;
  int WordRight(int position) const;
  void SelectWordAt(int position);
  std::u32string Shown() const;  // the text as drawn (password characters)
  void ScrollCaretIntoView();
  void RestartCaretBlink();

  std::u32string m_chars;
  int m_anchor = 0;  // the fixed end of the selection
  int m_caret = 0;   // the moving end, where the caret stands
  int m_scroll = 0;
  int m_maxLength = 0;
  bool m_readOnly = false;
  bool m_autoSelect = true;
  char32_t m_passwordChar = 0;
  TEditBorderStyle m_borderStyle = TEditBorderStyle::bsSingle;
  bool m_caretOn = true;
  // The last input to the edit: the caret blinks for a while after it, then stays on.
  Platform::Clock::time_point m_blinkSince{};
  bool m_dragging = false;
};

}  // namespace tappomat
