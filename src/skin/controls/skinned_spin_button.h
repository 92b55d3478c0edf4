#pragma once
// TsSpinButton: the button pair of a skinned spin edit, a child window of the edit holding
// an up button over a down button (TsTimerSpeedButton, section SPEEDBUTTON_SMALL, arrows
// instead of glyphs). The up button takes the upper half (height div 2), the down button
// the rest. Its buttons ask it for their background; it passes the question on to the
// edit with its own position added, so that they stand on the edit's cached look. The
// spin edit creates it and wires OnUpClick and OnDownClick to its steps.
#include "skin/controls/timer_speed_button.h"
#include "ui/win_control.h"

namespace tappomat {

class TsSpinButton : public TWinControl {
 public:
  explicit TsSpinButton(TComponent* owner);
  std::string ClassName() const override { return "TsSpinButton"; }

  TsTimerSpeedButton* UpButton() const { return m_up; }
  TsTimerSpeedButton* DownButton() const { return m_down; }
  // The control that takes the focus when a button is pressed (the spin edit).
  TWinControl* FocusControl() const { return m_focusControl; }
  void SetFocusControl(TWinControl* control) { m_focusControl = control; }
  // Both buttons lose their hot look (the pointer went from or came to the edit).
  void ResetHot();

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void WndProc(TMessage& message) override;

 protected:
  void BoundsChanged() override;

 private:
  void PlaceButtons();
  void TakeFocus();

  TsTimerSpeedButton* m_up = nullptr;
  TsTimerSpeedButton* m_down = nullptr;
  TWinControl* m_focusControl = nullptr;
};

}  // namespace tappomat
