#include "skin/controls/skinned_panel.h"

#include <algorithm>

#include "gdi/blit.h"
#include "gdi/text.h"
#include "skin/common/background_query.h"
#include "skin/common/cache_paint.h"
#include "skin/paint/section_paint.h"
#include "skin/common/caption_look.h"
#include "skin/data/skin_message.h"

namespace tappomat {
namespace {

bool IsBroadcast(SkinCode code) {
  return code == SkinCode::NewSkin || code == SkinCode::RemoveSkin || code == SkinCode::Refresh ||
         code == SkinCode::PrepareRepaint;
}

// Passes a skin broadcast on to the panel's controls the way the manager reaches a form's:
// a skinned control hears it, an unskinned windowed one passes it on to its own controls.
void PassOn(TWinControl& parent, TMessage& message) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl& child = *parent.Controls(i);
    if (!child.IsWindowed() || child.Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinned), 0) != 0) {
      child.Perform(WM_SKIN, message.WParam, message.LParam);
    } else {
      PassOn(static_cast<TWinControl&>(child), message);
    }
  }
}

}  // namespace

TsPanel::TsPanel(TComponent* owner) : TPanel(owner), m_data(this, true, 51) {
  m_data.SetSkinSection("PANEL");
}

bool TsPanel::RebuildCache() {
  Bitmap32& cache = *m_data.Cache();
  if (!m_data.CacheStale(0) && !m_data.HalfVisible()) return true;
  // While the parent is being updated the old picture stays.
  if (!PaintSectionIntoCache(m_data, 0)) return !cache.IsEmpty();
  m_data.CacheBuilt(0);
  // A panel that reaches out of its parent paints afresh next time too.
  const TWinControl* owner = Parent();
  m_data.SetHalfVisible(owner != nullptr && !owner->ClientRect().Contains(BoundsRect()));
  return true;
}

void TsPanel::PaintCaption(DeviceContext& dc) {
  if (Caption().empty()) return;
  const SkinnedTextLook look =
      SkinnedTextLookOf(m_data, Enabled(), false, ColorToRGB(Font().Color()));
  unsigned format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  if (Alignment() == TAlignment::taCenter) format |= DT_CENTER;
  if (Alignment() == TAlignment::taRightJustify) format |= DT_RIGHT;
  DrawSkinnedText(dc, Font().ToLogicalFont(), Caption(), AdjustedClientRect(), format, look);
}

void TsPanel::Paint() {
  DeviceContext* dc = Canvas()->Handle();
  if (dc == nullptr) return;
  if (!m_data.Skinned(true)) {
    TPanel::Paint();
  } else {
    if (!m_data.Updating() || m_data.Cache()->IsEmpty()) RebuildCache();
    const Bitmap32& cache = *m_data.Cache();
    if (!cache.IsEmpty()) BitBlt(*dc, 0, 0, cache.Width(), cache.Height(), cache, 0, 0, SRCCOPY);
    PaintCaption(*dc);
  }
  if (OnPaint) OnPaint(this, Canvas());
}

void TsPanel::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN) {
    const bool handled = m_data.HandleCachedSkinMessage(message);
    if (IsBroadcast(SkinCodeOf(message.WParam))) {
      const LRESULT answer = message.Result;
      PassOn(*this, message);
      message.Result = answer;
    }
    if (handled) return;
  } else if (m_data.Skinned() && m_data.CommonMessage(message)) {
    return;
  }
  TPanel::WndProc(message);
}

}  // namespace tappomat
