#include "ui/speed_button.h"

#include <algorithm>

#include "gdi/primitives.h"
#include "win/window_system.h"

namespace tappomat {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  // The click comes from MouseUp, after Down has changed, so OnClick sees the new
  // state; a quick second click is another click.
  m_controlStyle = (m_controlStyle & ~(csClickEvents | csDoubleClicks)) | csCaptureMouse;
  m_width = 23;
  m_height = 22;
}

TSpeedButton::State TSpeedButton::CurrentState() const {
  if (m_down) return State::Exclusive;
  return m_push.Pressed() ? State::Pressed : State::Up;
}

void TSpeedButton::SetGroupIndex(int index) {
  if (index == m_groupIndex) return;
  m_groupIndex = index;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool down) {
  if (m_groupIndex == 0) down = false;
  if (down == m_down) return;
  if (m_down && !m_allowAllUp) return;
  m_down = down;
  Invalidate();
  if (down) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool on) {
  if (on == m_allowAllUp) return;
  m_allowAllUp = on;
  UpdateExclusive();
}

void TSpeedButton::SetFlat(bool on) {
  if (on == m_flat) return;
  m_flat = on;
  Invalidate();
}

void TSpeedButton::SetGlyph(const Bitmap32& glyph) {
  m_glyph = glyph;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
  m_numGlyphs = std::clamp(count, 1, 4);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  m_layout = layout;
  Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
  m_margin = std::max(margin, -1);
  Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
  m_spacing = std::max(spacing, -1);
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (m_groupIndex == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(m_groupIndex), PtrToLParam(this), 0};
  TWinControl* parent = Parent();
  for (int i = 0; i < parent->ControlCount(); ++i) parent->Controls(i)->WindowProc(m);
}

void TSpeedButton::ButtonPressed(int groupIndex, TSpeedButton* sender) {
  if (groupIndex != m_groupIndex || sender == this || !sender) return;
  if (sender->m_down && m_down) {
    m_down = false;
    Invalidate();
  }
  m_allowAllUp = sender->m_allowAllUp;
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft && Enabled()) m_push.MouseDown();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  m_push.MouseMove(ClientRect().Contains(Point{x, y}));
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !m_push.MouseUp(ClientRect().Contains(Point{x, y})))
    return;
  // A click on the down button of a group without AllowAllUp leaves it down.
  if (m_groupIndex != 0) SetDown(!m_down);
  Click();
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_BUTTONPRESSED:
      ButtonPressed(static_cast<int>(m.WParam), LParamToPtr<TSpeedButton>(m.LParam));
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      m_mouseInControl = m.Msg == CM_MOUSEENTER;
      if (m_flat && Enabled()) Invalidate();
      break;
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint() {
  DeviceContext* dc = Canvas()->Handle();
  if (!dc) return;
  SpeedButtonLook look;
  look.caption = Caption();
  const State state = CurrentState();
  look.state = ButtonDrawStateFor(Enabled(), state == State::Pressed, state == State::Exclusive,
                                  m_flat && m_mouseInControl);
  look.flat = m_flat;
  look.font = Font().ToLogicalFont();
  if (!m_glyph.IsEmpty()) {
    look.glyph.image = &m_glyph;
    look.glyph.numGlyphs = m_numGlyphs;
  }
  look.glyph.layout = ToButtonLayout(m_layout);
  look.glyph.margin = m_margin;
  look.glyph.spacing = m_spacing;
  FillRect(*dc, ClientRect(), ColorToRGB(Color()));
  DrawSpeedButton(*dc, ClientRect(), look);
}

}  // namespace tappomat
