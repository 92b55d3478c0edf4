#pragma once
// TsCheckBox: a standard check box drawn on a skin (kind 32, section CHECKBOX). It keeps a
// cache bitmap rebuilt on every paint: the parent's background through the section, the
// caption in the skin's font colours, the focus rectangle, the box picture from the skin's
// check-box masks (its pressed, hot or normal frame) and the disabled look. With a skin it
// sizes itself to box, margins and caption. Without an active skin it is the standard
// TCheckBox. The state logic (pressing, toggling, OnClick) stays TCheckBox's; ReadOnly
// keeps the user from changing the state. The repeat box of the main window is one.
#include "skin/common/common_data.h"
#include "skin/paint/disabled_look.h"
#include "ui/check_box.h"

namespace tappomat {

enum class TVerticalAlignment { vaTop, vaMiddle, vaBottom };

class TsCheckBox : public TCheckBox {
 public:
  explicit TsCheckBox(TComponent* owner);
  std::string ClassName() const override { return "TsCheckBox"; }

  TsCtrlSkinData* SkinData() { return &m_data; }

  // Writing a different value moves the state (OnClick) and then raises OnValueChanged;
  // writing the current value does nothing.
  void SetChecked(bool on);
  TNotifyEvent OnValueChanged;

  // Distance of the box from the control's edge.
  int Margin() const { return m_margin; }
  void SetMargin(int margin);
  // Extra space between box and caption.
  int TextIndent() const { return m_textIndent; }
  void SetTextIndent(int indent);
  TVerticalAlignment VerticalAlign() const { return m_verticalAlign; }
  void SetVerticalAlign(TVerticalAlignment align);
  // The dotted rectangle around the caption while focused.
  bool ShowFocus() const { return m_showFocus; }
  void SetShowFocus(bool on);
  // The user cannot change the state, and the box shows no hot look.
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool on);
  TsDisabledKind DisabledKind() const { return m_disabledKind; }
  void SetDisabledKind(TsDisabledKind kinds);
  bool WordWrap() const { return m_wordWrap; }
  void SetWordWrap(bool on);
  // The control follows the size of box and caption.
  bool AutoSize() const { return m_autoSize; }
  void SetAutoSize(bool on);

  // The box picture shown now: 2 pressed, 1 hot (active and not ReadOnly), 0 normal.
  int BoxImage() const;
  // The size the box takes: one image of the skin's mask, 16 x 16 without one.
  Size BoxSize() const;
  // Where the box and the caption sit on the skinned control (the caption's rectangle is
  // empty without a caption).
  Rect BoxRect() const;
  Rect TextRect() const;
  // Sizes the control to its content (with AutoSize, not while loading).
  void AdjustSize();

  void WndProc(TMessage& message) override;

 protected:
  void PaintWindow(DeviceContext& dc) override;
  void Pushed() override;
  void Loaded() override;

 private:
  // The skin's mask for the state, -1 when it has none.
  int BoxMask() const;
  // The caption measured in `width` (single line unless WordWrap); 0 x 0 without caption.
  Size MeasureText(int width) const;
  // Paints the cache for the present look; false while the parent is being updated.
  bool RebuildCache();
  void Restyle();

  TsCtrlSkinData m_data;
  int m_margin = 2;
  int m_textIndent = 0;
  TVerticalAlignment m_verticalAlign = TVerticalAlignment::vaMiddle;
  bool m_showFocus = true;
  bool m_readOnly = false;
  TsDisabledKind m_disabledKind = dkBlended;
  bool m_wordWrap = false;
  bool m_autoSize = true;
};

}  // namespace tappomat
