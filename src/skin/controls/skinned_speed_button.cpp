#include "skin/controls/skinned_speed_button.h"

#include <algorithm>

#include "gdi/blit.h"
#include "gdi/text.h"
#include "skin/common/cache_paint.h"
#include "skin/common/change_paint.h"
#include "skin/common/glow.h"
#include "skin/paint/section_paint.h"
#include "skin/common/caption_look.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"

namespace tappomat {

TsSpeedButton::TsSpeedButton(TComponent* owner) : TSpeedButton(owner), m_data(this, true, kSpeedButtonKind) {
  m_data.SetSkinSection("SPEEDBUTTON");
}

void TsSpeedButton::SetBlend(int percent) {
  m_blend = percent;
  Restyle();
}

void TsSpeedButton::SetGrayed(bool on) {
  m_grayed = on;
  Restyle();
}

void TsSpeedButton::SetDisabledGlyphKind(TsDisabledGlyphKind kinds) {
  m_disabledGlyphKind = kinds;
  Restyle();
}

void TsSpeedButton::SetDisabledKind(TsDisabledKind kinds) {
  m_disabledKind = kinds;
  Restyle();
}

int TsSpeedButton::PaintState() const {
  if (ShowsDown()) return 2;
  return m_data.ControlIsActive() ? 1 : 0;
}

void TsSpeedButton::DrawContent(Bitmap32& cache, int paintState) {
  const SkinGlyph glyph{&Glyph(), NumGlyphs(), m_blend, m_grayed, m_disabledGlyphKind};
  const Point pressed = paintState == 2 ? Point{1, 1} : Point{};
  const LogicalFont font = Font().ToLogicalFont();
  const ButtonGlyph layoutGlyph{&Glyph(), NumGlyphs(), ToButtonLayout(Layout()), Margin(), Spacing()};
  Point glyphAt;
  if (Caption().empty()) {
    const Size size = SkinGlyphSize(glyph);
    glyphAt = {(Width() - size.width) / 2 + pressed.x, (Height() - size.height) / 2 + pressed.y};
  } else {
    const ButtonContentLayout layout = CalcButtonLayout(ClientRect(), Caption(), font, layoutGlyph, pressed);
    glyphAt = layout.glyphPos;
    DeviceContext dc(cache);
    const SkinnedTextLook look =
        SkinnedTextLookOf(m_data, Enabled(), paintState != 0, ColorToRGB(Font().Color()));
    DrawSkinnedText(dc, font, Caption(), layout.textRect.Inflate(1, 0),
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP, look);
  }
  DrawSkinGlyph(cache, glyphAt, glyph, paintState, Enabled());
}

bool TsSpeedButton::RebuildCache() {
  const TsGeneralData* section = m_data.Section();
  if (section == nullptr) return false;
  const int paintState = PaintState();
  const std::optional<ParentBackground> parent =
      PaintSectionIntoCache(m_data, std::max(0, std::min(paintState, section->states - 1)));
  if (!parent) return false;
  DrawContent(*m_data.Cache(), paintState);
  FinishCache(m_data, paintState, *parent, m_disabledKind);
  return true;
}

void TsSpeedButton::Paint() {
  DeviceContext* dc = Canvas()->Handle();
  if (dc == nullptr) return;
  if (!m_data.Skinned(true)) {
    TSpeedButton::Paint();
    return;
  }
  Bitmap32& cache = *m_data.Cache();
  if (!m_data.Updating()) {
    const bool outside = OutsideParentClient(*this);
    if (outside || m_data.CacheStale(PaintState())) RebuildCache();
  }
  if (!cache.IsEmpty()) BitBlt(*dc, 0, 0, cache.Width(), cache.Height(), cache, 0, 0, SRCCOPY);
}

void TsSpeedButton::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN) {
    if (m_data.HandleCachedSkinMessage(message)) return;
  } else if (m_data.Skinned()) {
    if (m_data.CommonMessage(message)) return;
    GlowWithPointer(m_data, message);
    if (const std::optional<TacAnimEvent> event = LookEventOf(message)) ChangePaint(m_data, *event);
  }
  TSpeedButton::WndProc(message);
}

}  // namespace tappomat
