#include "skin/adapters/grid_window.h"

#include "ui/canvas.h"
#include "ui/string_grid.h"

namespace tappomat {

TacGridWnd::TacGridWnd(HWND window, TsCommonData* data, const std::string& section, TsSkinManager* manager)
    : TacEditWnd(window, data, section, manager) {}

TStringGrid* TacGridWnd::Grid() const { return dynamic_cast<TStringGrid*>(OwnerControl()); }

void TacGridWnd::SaveStep() {
  TacEditWnd::SaveStep();
  if (TStringGrid* grid = Grid()) m_savedFixedColor = grid->FixedColor();
}

void TacGridWnd::RestoreStep() {
  TacEditWnd::RestoreStep();
  TStringGrid* grid = Grid();
  if (grid != nullptr && !(grid->ComponentState() & csDestroying)) grid->SetFixedColor(m_savedFixedColor);
}

void TacGridWnd::ColorStep() {
  TacEditWnd::ColorStep();
  TStringGrid* grid = Grid();
  if (grid == nullptr || !SkinData().Skinned()) return;
  const auto global = static_cast<TColor>(SkinData().SkinManager()->Tables().colors.global);
  if (grid->FixedColor() != global) grid->SetFixedColor(global);
}

void TacGridWnd::WndProc(TMessage& message) {
  // The cells cover the whole client area: erasing first would only flicker.
  if (message.Msg == WM_ERASEBKGND && SkinData().Skinned()) {
    message.Result = 1;
    return;
  }
  if (TakeScrollRelease(message)) return;
  TacEditWnd::WndProc(message);
}

}  // namespace tappomat
