#pragma once
// TCheckBox: a check box with a window of its own. It owns its State (unchecked, checked,
// grayed); its PushTracker keeps the pressed look while the left button is held over it
// or Space is held with the focus on it; the release over it (or Space's release) moves
// the state on: unchecked → (grayed, with AllowGrayed) → checked → unchecked.
// OnClick fires on every change of State, whether the user or the program made it.
// Painted with the classic DrawCheckBox.
#include "ui/alignment.h"
#include "ui/classic_check_look.h"
#include "ui/button_control.h"

namespace tappomat {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);
  std::string ClassName() const override { return "TCheckBox"; }

  bool Checked() const { return m_state == TCheckBoxState::cbChecked; }
  void SetChecked(bool on) { SetState(on ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const { return m_state; }
  void SetState(TCheckBoxState state);
  bool AllowGrayed() const { return m_allowGrayed; }
  void SetAllowGrayed(bool on) { m_allowGrayed = on; }
  // taRightJustify (the default): caption right of the box; taLeftJustify: left of it.
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment);

  // The state a user's click moves to.
  TCheckBoxState NextState() const;
  void WndProc(TMessage& message) override;

 protected:
  void Pushed() override { Toggle(); }
  void PaintWindow(DeviceContext& dc) override;

 private:
  void Toggle() { SetState(NextState()); }

  TCheckBoxState m_state = TCheckBoxState::cbUnchecked;
  bool m_allowGrayed = false;
  TAlignment m_alignment = TAlignment::taRightJustify;
};

}  // namespace tappomat
