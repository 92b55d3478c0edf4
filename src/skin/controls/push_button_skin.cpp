#include "skin/controls/push_button_skin.h"

#include <algorithm>

#include "gdi/blit.h"
#include "skin/common/cache_paint.h"
#include "skin/common/change_paint.h"
#include "skin/common/glow.h"
#include "skin/paint/focus_rect.h"
#include "skin/paint/mask_paint.h"
#include "skin/paint/section_paint.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "ui/form.h"
#include "win/input.h"
#include "win/window_system.h"

namespace tappomat {
int ButtonSectionState(const TsGeneralData& section, int paintState) {
  if (paintState == kPaintDefault && section.states < 4) return 1;
  return std::max(0, std::min(paintState, section.states - 1));
}

PushButtonSkin::PushButtonSkin(TButton& button, int kindCode, DrawContentFn drawContent)
    : m_button(button), m_data(&button, true, kindCode), m_drawContent(std::move(drawContent)) {
  m_data.SetSkinSection("BUTTON");
}

int PushButtonSkin::PaintState() const {
  if (m_button.Pressed() || m_button.Down()) return kPaintPressed;
  if (m_data.ControlIsActive()) return kPaintHot;
  if (m_button.Default() && !(DefaultOnlyBesidePlainFocus && SkinnedButtonHasFocus())) return kPaintDefault;
  return kPaintNormal;
}

bool PushButtonSkin::SkinnedButtonHasFocus() {
  TWinControl* focused = TWinControl::FromHandle(GetFocus());
  return dynamic_cast<TButton*>(focused) != nullptr &&
         focused->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinned)) == 1;
}

bool PushButtonSkin::WantsFocusRect() const {
  const TsSkinManager* manager = m_data.SkinManager();
  if (!m_button.Focused() || !m_button.Enabled() || m_button.Caption().empty() || !ShowFocus) return false;
  if (manager == nullptr || !manager->ButtonsOptions.ShowFocusRect || !m_data.Skinned()) return false;
  return manager->Tables().sections[static_cast<std::size_t>(m_data.SkinIndex())].showFocus;
}

bool PushButtonSkin::RebuildCache() {
  const TsGeneralData* section = m_data.Section();
  if (section == nullptr) return false;
  const int paintState = PaintState();
  const int sectionState = ButtonSectionState(*section, paintState);
  const std::optional<ParentBackground> parent = PaintSectionIntoCache(m_data, sectionState);
  if (!parent) return false;
  Bitmap32& cache = *m_data.Cache();
  ShapeWindow(*section, sectionState);

  const Rect caption = m_drawContent(cache, paintState);
  if (WantsFocusRect() && !caption.IsEmpty()) {
    Rect focus = caption.Inflate(FocusMargin + 1, FocusMargin);
    focus.top = std::max(focus.top, 3);
    focus.bottom = std::min(focus.bottom, m_button.Height() - 3);
    DrawDottedFocusRect(cache, focus, FocusRectColor(m_data));
  }
  FinishCache(m_data, paintState, *parent, DisabledKind);
  return true;
}

void PushButtonSkin::ShapeWindow(const TsGeneralData& section, int sectionState) {
  const TsMaskData* mask = MaskAt(m_data.SkinManager()->Tables(), section.borderIndex);
  if (mask == nullptr || mask->cornerFill != kShapedCorners || !m_button.HandleAllocated()) return;
  SetWindowRgn(m_button.Handle(),
               BorderShape(m_data.SkinManager()->Tables(), section.borderIndex, sectionState,
                           {m_button.Width(), m_button.Height()}),
               false);
  m_shaped = true;
}

void PushButtonSkin::Unshape() {
  if (!m_shaped) return;
  m_shaped = false;
  if (m_button.HandleAllocated()) SetWindowRgn(m_button.Handle(), std::nullopt, true);
}

bool PushButtonSkin::Paint(DeviceContext& dc) {
  if (!m_data.Skinned(true)) return false;
  Bitmap32& cache = *m_data.Cache();
  if (!m_data.Updating()) {
    // A button reaching out of its parent cannot trust what it painted last time.
    const bool outside = OutsideParentClient(m_button);
    if (outside || m_data.HalfVisible() || m_data.CacheStale(PaintState())) {
      if (!RebuildCache() && cache.IsEmpty()) return true;
    }
    if (!outside) m_data.SetHalfVisible(false);
  }
  if (!cache.IsEmpty()) BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache, 0, 0, SRCCOPY);
  return true;
}

bool PushButtonSkin::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN) {
    const bool handled = m_data.HandleCachedSkinMessage(message);
    if (!m_data.Skinned()) Unshape();
    return handled;
  }
  if (!m_data.Skinned()) return false;
  if (m_data.CommonMessage(message)) return true;
  GlowWithPointer(m_data, message);
  const std::optional<TacAnimEvent> event = LookEventOf(message);
  if (!event) return false;
  if (*event == TacAnimEvent::MouseDown || *event == TacAnimEvent::MouseUp) m_data.SetUpdating(false);
  // A latched button keeps its pressed look: a press changes nothing to fade.
  if (*event != TacAnimEvent::MouseDown || !m_button.Down()) ChangePaint(m_data, *event);
  return false;
}

}  // namespace tappomat
