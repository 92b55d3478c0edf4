#pragma once
// TSpeedButton: a window-less tool button. Its PushTracker follows the mouse (pressed
// look while the left button is held over it, OnClick on release over it); with
// GroupIndex > 0, it owns its latched Down state: buttons of one parent with the same
// GroupIndex form a group in which at most one is down, like a row of tool buttons. A
// button that goes down, or whose AllowAllUp or GroupIndex changes, tells its siblings
// with CM_BUTTONPRESSED; they go up and take its AllowAllUp. Flat buttons show a border
// only under the pointer.
#include "ui/bit_btn.h"
#include "ui/graphic_control.h"
#include "ui/push_tracker.h"

namespace tappomat {

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  std::string ClassName() const override { return "TSpeedButton"; }

  int GroupIndex() const { return m_groupIndex; }
  void SetGroupIndex(int index);
  bool Down() const { return m_down; }
  // Ignored with GroupIndex 0; raising the down button of a group without AllowAllUp is
  // refused. Going down raises the rest of the group.
  void SetDown(bool down);
  bool AllowAllUp() const { return m_allowAllUp; }
  // Set for the whole group.
  void SetAllowAllUp(bool on);
  bool Flat() const { return m_flat; }
  void SetFlat(bool on);
  const Bitmap32& Glyph() const { return m_glyph; }
  void SetGlyph(const Bitmap32& glyph);
  int NumGlyphs() const { return m_numGlyphs; }
  void SetNumGlyphs(int count);
  TButtonLayout Layout() const { return m_layout; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return m_margin; }
  void SetMargin(int margin);
  int Spacing() const { return m_spacing; }
  void SetSpacing(int spacing);

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  // Shows the down look: held down by the mouse or latched down.
  bool ShowsDown() const { return CurrentState() != State::Up; }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  // TButtonState: up, held down by the mouse, latched down.
  enum class State { Up, Pressed, Exclusive };

  // Latched down wins over held down.
  State CurrentState() const;
  // Tells the siblings of the group about this button (CM_BUTTONPRESSED).
  void UpdateExclusive();
  void ButtonPressed(int groupIndex, TSpeedButton* sender);

  int m_groupIndex = 0;
  bool m_down = false;
  bool m_allowAllUp = false;
  bool m_flat = false;
  bool m_mouseInControl = false;
  PushTracker m_push{[this] { Invalidate(); }};
  Bitmap32 m_glyph;
  int m_numGlyphs = 1;
  TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
  int m_margin = -1;
  int m_spacing = 4;
};

}  // namespace tappomat
