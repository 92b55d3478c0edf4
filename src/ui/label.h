#pragma once
// TLabel: a window-less caption. It owns its text layout (alignment, vertical layout, word
// wrap, accelerator underline) and, with AutoSize, its own size, which follows the text
// whenever the caption, font or wrapping changes. Its accelerator (Alt+letter, offered by
// the form as CM_DIALOGCHAR) and a click on it give the focus to FocusControl. The
// program's forms create it; its parent paints it.
#include <optional>

#include "ui/alignment.h"
#include "ui/graphic_control.h"

namespace tappomat {

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  std::string ClassName() const override { return "TLabel"; }

  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return m_layout; }
  void SetLayout(TTextLayout layout);
  bool AutoSize() const { return m_autoSize; }
  void SetAutoSize(bool on);
  bool WordWrap() const { return m_wordWrap; }
  void SetWordWrap(bool on);
  // False: the label fills its bounds with Color before the text.
  bool Transparent() const { return m_transparent; }
  void SetTransparent(bool on);
  // True: "&" underlines the next character and marks the accelerator.
  bool ShowAccelChar() const { return m_showAccelChar; }
  void SetShowAccelChar(bool on);
  TWinControl* FocusControl() const { return m_focusControl; }
  void SetFocusControl(TWinControl* control);

  void WndProc(TMessage& message) override;
  void Click() override;

 protected:
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Resizes to the text when AutoSize is on; right-justified labels keep their right edge.
  void AdjustBounds();
  // The font the text is measured and drawn in: Font here; a label that changes its font
  // with its state (under the pointer, say) answers that one.
  virtual const TFont& TextFont() const { return Font(); }
  // A colour that replaces the text's own look: the text is then drawn once in it, also
  // when disabled. None here: the font's colour, embossed when disabled.
  virtual std::optional<ColorRef> OwnTextColor() const { return std::nullopt; }

 private:
  // DrawText with the label's font and prefix rule; embossed when disabled.
  void DoDrawText(DeviceContext& dc, Rect& rect, unsigned format) const;
  void FocusTheFocusControl();

  TAlignment m_alignment = TAlignment::taLeftJustify;
  TTextLayout m_layout = TTextLayout::tlTop;
  bool m_autoSize = true;
  bool m_wordWrap = false;
  bool m_transparent = false;
  bool m_showAccelChar = true;
  TWinControl* m_focusControl = nullptr;
};

}  // namespace tappomat
