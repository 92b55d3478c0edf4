#include "skin/controls/skinned_spin_button.h"

#include "skin/common/background_query.h"
#include "skin/data/skin_message.h"

namespace tappomat {

TsSpinButton::TsSpinButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(false);
  SetBounds(0, 0, 18, 21);
  auto make = [this](TsSpinArrow arrow, TNotifyEvent TsSpinButton::*event) {
    auto* button = Create<TsTimerSpeedButton>(this);
    button->SkinData()->SetSkinSection("SPEEDBUTTON_SMALL");
    button->SetNumGlyphs(1);
    button->SetArrow(arrow);
    button->OnPress = [this] { TakeFocus(); };
    button->OnClick = [this, event](TComponent*) {
      if (this->*event) GuardedCall([&] { (this->*event)(this); });
    };
    button->SetParent(this);
    return button;
  };
  m_up = make(TsSpinArrow::Up, &TsSpinButton::OnUpClick);
  m_down = make(TsSpinArrow::Down, &TsSpinButton::OnDownClick);
  PlaceButtons();
}

void TsSpinButton::PlaceButtons() {
  if (m_up == nullptr || m_down == nullptr) return;
  const int split = Height() / 2;
  m_up->SetBounds(0, 0, Width(), split);
  m_down->SetBounds(0, split, Width(), Height() - split);
}

void TsSpinButton::BoundsChanged() {
  TWinControl::BoundsChanged();
  PlaceButtons();
}

void TsSpinButton::TakeFocus() {
  // The edit takes the focus first, so that its value is current when the step comes.
  if (m_focusControl && m_focusControl->CanFocus() && !m_focusControl->Focused()) m_focusControl->SetFocus();
}

void TsSpinButton::ResetHot() {
  for (TsTimerSpeedButton* button : {m_up, m_down}) {
    button->SkinData()->SetMouseAbove(false);
    button->SkinData()->SetBackgroundChanged(true);
    button->Invalidate();
  }
}

void TsSpinButton::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN && SkinCodeOf(message.WParam) == SkinCode::QueryBackground && message.LParam != 0) {
    // The buttons stand on the edit: the question goes there, from this pair's position.
    auto& query = *reinterpret_cast<TacBGInfo*>(message.LParam);
    query.offset = {query.offset.x + Left(), query.offset.y + Top()};
    if (Parent() != nullptr &&
        Parent()->Perform(WM_SKIN, message.WParam, message.LParam) != 0) {
      message.Result = 1;
      return;
    }
    query.kind = BackgroundKind::Color;
    query.image = nullptr;
    query.color = ColorToRGB(Parent() != nullptr ? Parent()->Color() : Color());
    message.Result = 1;
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace tappomat
