#include "skin/controls/skinned_spin_edit.h"

#include "skin/data/skin_message.h"

namespace tappomat {

TsSpinEdit::TsSpinEdit(TComponent* owner) : TSpinEdit(owner), m_skin(*this) {
  m_pair = Create<TsSpinButton>(this);
  m_pair->SetFocusControl(this);
  m_pair->OnUpClick = [this](TComponent*) { UpClick(); };
  m_pair->OnDownClick = [this](TComponent*) { DownClick(); };
  ReplaceButtonPair(m_pair);
  m_skin.ReservedRight = [this] { return ShowSpinButtons() ? kButtonWidth : 0; };
}

void TsSpinEdit::SetDisabledKind(TsDisabledKind kinds) {
  m_skin.DisabledKind = kinds;
  m_skin.SkinData().Invalidate();
}

void TsSpinEdit::SetAlignment(TAlignment alignment) {
  m_skin.Alignment = alignment;
  m_skin.SkinData().Invalidate();
}

void TsSpinEdit::UpdatePairVisibility() {
  if (m_pair == nullptr) return;
  m_pair->SetVisible(ShowSpinButtons() && (Enabled() || !m_skin.SkinData().Skinned(true)));
}

void TsSpinEdit::SetEnabled(bool enabled) {
  TSpinEdit::SetEnabled(enabled);
  UpdatePairVisibility();
}

void TsSpinEdit::CreateHandle() {
  TSpinEdit::CreateHandle();
  m_skin.SkinData().UpdateColors(false);
}

void TsSpinEdit::PaintWindow(DeviceContext& dc) {
  if (!m_skin.Paint(dc, [this](DeviceContext& d) { TSpinEdit::PaintWindow(d); })) TSpinEdit::PaintWindow(dc);
}

void TsSpinEdit::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN) {
    const SkinCode code = SkinCodeOf(message.WParam);
    const bool handled = m_skin.WndProc(message);
    if (code == SkinCode::NewSkin || code == SkinCode::RemoveSkin || code == SkinCode::Refresh) {
      UpdatePairVisibility();
      if (m_pair != nullptr) {
        // The buttons hear of the skin with the edit: they stand on its look.
        for (TControl* button : {static_cast<TControl*>(m_pair->UpButton()), static_cast<TControl*>(m_pair->DownButton())})
          button->Perform(message.Msg, message.WParam, message.LParam);
      }
    }
    if (handled) return;
  } else {
    if (m_skin.WndProc(message)) return;
    if ((message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) && m_pair != nullptr) m_pair->ResetHot();
  }
  TSpinEdit::WndProc(message);
  FollowBoundLabel(m_skin.BoundLabel(), message);
}

}  // namespace tappomat
