#include "skin/adapters/combo_list_window.h"

#include "gdi/primitives.h"
#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {

TacComboListWnd::TacComboListWnd(HWND list, TsCommonData* data, const std::string& section,
                                 TsSkinManager* manager)
    : TacEditWnd(list, data, section, manager) {}

void TacComboListWnd::ColorStep() {
  TsCommonData& data = SkinData();
  const TsGeneralData* section = data.Section();
  if (section == nullptr) return;
  m_coloured = true;
  if (!data.CustomColor()) {
    const TsGenState& state = section->props[section->states >= 2 ? 1 : 0];
    m_appliedColor = data.Adjusted(static_cast<ColorRef>(state.color) & 0xFFFFFF);
  }
  m_borderColor = data.SkinManager()->Tables().colors.border;
  data.SetBackgroundChanged(true);
}

void TacComboListWnd::WndProc(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND && message.WParam != 0 && SkinData().Skinned()) {
    if (!m_coloured) ColorStep();
    auto& dc = *reinterpret_cast<DeviceContext*>(message.WParam);
    FillRect(dc, GetClientRect(Handle()), m_appliedColor);
    message.Result = 1;
    return;
  }
  if (TakeScrollRelease(message)) return;
  TacEditWnd::WndProc(message);
}

}  // namespace tappomat
