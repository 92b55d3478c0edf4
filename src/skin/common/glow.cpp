#include "skin/common/glow.h"

#include "skin/common/common_data.h"
#include "ui/form.h"

namespace tappomat {
namespace {

GlowWindows* g_windows = nullptr;

}  // namespace

GlowWindows* CurrentGlowWindows() { return g_windows; }
void SetGlowWindows(GlowWindows* windows) { g_windows = windows; }

void ShowControlGlow(TsCommonData& data) {
  const TsGeneralData* section = data.Section();
  TControl* control = data.Owner();
  if (g_windows == nullptr || section == nullptr || section->glow < 1 || control == nullptr ||
      data.Glow() >= 0 || !data.SkinManager()->Effects.AllowGlowing) {
    return;
  }
  const SkinTables& tables = data.SkinManager()->Tables();
  const int mask = tables.MaskIndex(data.SkinIndex(), section->name, "GLOW0");
  TForm* top = control->ParentForm();
  if (mask < 0 || top == nullptr || !top->HandleAllocated()) return;
  const Point origin = control->ClientToScreen({0, 0});
  const Rect screen = Rect::FromSize(origin.x, origin.y, control->Width(), control->Height());
  data.SetGlow(g_windows->Show(tables, mask, section->glowMargin, top->Handle(), screen));
}

void HideControlGlow(TsCommonData& data) {
  if (data.Glow() < 0) return;
  if (g_windows != nullptr) g_windows->Hide(data.Glow());
  data.SetGlow(-1);
}

void GlowWithPointer(TsCommonData& data, const TMessage& message) {
  if (message.Msg == CM_MOUSEENTER) ShowControlGlow(data);
  if (message.Msg == CM_MOUSELEAVE || message.Msg == WM_KILLFOCUS) HideControlGlow(data);
}

}  // namespace tappomat
