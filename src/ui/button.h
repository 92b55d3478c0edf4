#pragma once
// TButton: a push button with a window of its own. Its PushTracker keeps the pressed
// state — while the left mouse button is held on it (with the mouse captured, pressed only
// while the pointer is over it) or while Space is held with the focus on it — and the
// button clicks on the release over it or on Space's release. Clicking sets its form's
// ModalResult to the button's.
// Enter anywhere on the form clicks the Default button (or the focused button), Esc the
// Cancel button: the form offers those keys as CM_DIALOGKEY unless the focused control
// wants them. Painted with the classic DrawPushButton; TBitBtn adds a glyph.
#include "ui/classic_button_look.h"
#include "ui/form.h"
#include "ui/button_control.h"

namespace tappomat {

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);
  std::string ClassName() const override { return "TButton"; }

  bool Default() const { return m_default; }
  void SetDefault(bool on);
  bool Cancel() const { return m_cancel; }
  void SetCancel(bool on) { m_cancel = on; }
  TModalResult ModalResult() const { return m_modalResult; }
  void SetModalResult(TModalResult result) { m_modalResult = result; }
  // A latched "on" look that the program sets and reads for its toggle buttons; clicks
  // do not change it.
  bool Down() const { return m_down; }
  void SetDown(bool down);

  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  void Pushed() override { Click(); }
  void PaintWindow(DeviceContext& dc) override;
  // What DrawPushButton gets; TBitBtn adds its glyph.
  virtual PushButtonLook Look();

 private:
  // The button Enter clicks: the focused button, or the default one when the focus is
  // not on a button. It also wears the black default frame.
  bool IsActiveDefault() const;
  // Buttons of the form repaint their default frame when the focus moves between them.
  void InvalidateFormButtons();

  bool m_default = false;
  bool m_cancel = false;
  bool m_down = false;
  TModalResult m_modalResult = mrNone;
};

}  // namespace tappomat
