#pragma once
// TSpinEdit: an edit box for a whole number with an up/down button pair (TSpinButton) at
// its right edge. It owns the number rules: how the text reads as Value, how a value is
// clamped to MinValue/MaxValue, which typed characters go in (digits and a sign, the sign
// always in front), the steps of the arrow keys, the buttons and the mouse wheel, and the
// clean-up of the text when the focus leaves. Forms use it for counts and intervals; a
// skinned spin edit derives from it and reuses the value logic, which is therefore kept in
// virtual methods (ReadValue, CheckValue, UpClick, DownClick, IsValidChar).
//
// Reading Value never clamps, so a half-typed "-5" reads as -5 while the user types;
// clamping happens when Value is written and when the focus leaves.
#include <optional>
#include <string_view>

#include "ui/edit.h"
#include "ui/spin_button.h"

namespace tappomat {

class TSpinEdit : public TEdit {
 public:
  static constexpr int kButtonWidth = 18;

  explicit TSpinEdit(TComponent* owner);
  std::string ClassName() const override { return "TSpinEdit"; }

  // The text as a decimal integer: 0 for an empty text, MinValue for one that does not
  // convert. Writing clamps (CheckValue) and replaces the text.
  int Value() const { return ReadValue(); }
  void SetValue(int value);
  // Both 0: no limits; MaxValue 0 alone: no upper limit.
  int MinValue() const { return m_minValue; }
  void SetMinValue(int value) { m_minValue = value; }
  int MaxValue() const { return m_maxValue; }
  void SetMaxValue(int value) { m_maxValue = value; }
  // The step of the arrow keys, the buttons and the mouse wheel.
  int Increment() const { return m_increment; }
  void SetIncrement(int value) { m_increment = value; }
  bool AllowNegative() const { return m_allowNegative; }
  void SetAllowNegative(bool on) { m_allowNegative = on; }
  // False: nothing can be typed, cut or pasted (control keys still work).
  bool EditorEnabled() const { return m_editorEnabled; }
  void SetEditorEnabled(bool on) { m_editorEnabled = on; }
  bool ShowSpinButtons() const { return m_showSpinButtons; }
  void SetShowSpinButtons(bool on);
  // The locale's decimal separator, which may be typed (the text then reads as MinValue).
  char32_t DecimalSeparator() const { return m_decimalSeparator; }
  void SetDecimalSeparator(char32_t c) { m_decimalSeparator = c; }
  // Where Tab or Enter (with Shift: Shift+Tab, Shift+Enter) move the focus; null: Tab goes
  // on in the form's tab order and Enter goes to the form.
  TWinControl* NextTabControl() const { return m_nextTabControl; }
  void SetNextTabControl(TWinControl* control);
  TWinControl* PrevTabControl() const { return m_prevTabControl; }
  void SetPrevTabControl(TWinControl* control);

  // The standard button pair; null once a descendant has put its own in its place.
  TSpinButton* Button() const { return m_button; }
  // Where the button pair sits, in client coordinates: 18 pixels wide at the right,
  // inside the border.
  Rect ButtonRect() const;

  // The value `value` becomes when written (see the class comment).
  virtual int CheckValue(int value) const;
  // One step up or down: the handler when assigned, else Value +/- Increment. ReadOnly
  // beeps instead.
  virtual void UpClick();
  virtual void DownClick();

  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void SetEnabled(bool enabled) override;

  // Replace the default steps.
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void WndProc(TMessage& message) override;

 protected:
  // Strict decimal: an optional sign and digits that fit an int; nothing else.
  static std::optional<int> ParseDecimal(std::string_view text);
  virtual int ReadValue() const;
  // Decides a typed character (may move the caret so that a sign lands in front);
  // false drops it. Refusals beep.
  virtual bool IsValidChar(char32_t& key);
  // The focus leaves: "-", "+", "-0", "+0" become "0" and an out-of-range value is
  // clamped.
  virtual void NormalizeOnExit();
  // Puts `pair` in the place of the standard button pair, which is freed. From then on
  // `pair` is placed, shown and enabled as the standard pair was; wiring its clicks to
  // UpClick and DownClick is the descendant's part (a skinned spin edit draws its own).
  void ReplaceButtonPair(TWinControl* pair);
  TWinControl* ButtonPair() const { return m_pair; }
  // Adds `steps` increments to Value (clamped through SetValue).
  void Step(int steps);
  Rect TextArea() const override;
  bool DoKeyDown(WORD& key, TShiftState shift) override;
  bool DoKeyPress(char32_t& key) override;
  void BoundsChanged() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void PlaceButton();
  // Tab or Enter with a target set: moves the focus there; false when there is none.
  bool MoveToTabTarget(bool backward);

  TSpinButton* m_button = nullptr;
  TWinControl* m_pair = nullptr;  // what sits at the right edge: m_button or a replacement
  int m_minValue = 0;
  int m_maxValue = 0;
  int m_increment = 1;
  bool m_allowNegative = true;
  bool m_editorEnabled = true;
  bool m_showSpinButtons = true;
  char32_t m_decimalSeparator = U'.';
  TWinControl* m_nextTabControl = nullptr;
  TWinControl* m_prevTabControl = nullptr;
  std::optional<int> m_loadedValue;  // written while loading, applied by Loaded
  bool m_eatNextChar = false;        // the character of a Tab/Enter that moved the focus
};

}  // namespace tappomat
