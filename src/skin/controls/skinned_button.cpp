#include "skin/controls/skinned_button.h"

#include "gdi/text.h"
#include "skin/common/caption_look.h"
#include "ui/canvas.h"

namespace tappomat {

TsButton::TsButton(TComponent* owner)
    : TButton(owner), m_skin(*this, 93, [this](Bitmap32& cache, int state) { return DrawCaption(cache, state); }) {}

void TsButton::Restyle() {
  m_skin.SkinData().Invalidate();
}

void TsButton::SetShowFocus(bool on) {
  m_skin.ShowFocus = on;
  Restyle();
}

void TsButton::SetFocusMargin(int margin) {
  m_skin.FocusMargin = margin;
  Restyle();
}

void TsButton::SetContentMargin(int margin) {
  m_contentMargin = margin;
  Restyle();
}

void TsButton::SetWordWrap(bool on) {
  m_wordWrap = on;
  Restyle();
}

void TsButton::SetDisabledKind(TsDisabledKind kinds) {
  m_skin.DisabledKind = kinds;
  Restyle();
}

Rect TsButton::DrawCaption(Bitmap32& cache, int paintState) {
  if (Caption().empty()) return {};
  DeviceContext dc(cache);
  const LogicalFont font = Font().ToLogicalFont();
  dc.SetFont(font);
  const unsigned lines = m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  const int width = Width();
  const int height = Height();
  Rect measured{m_contentMargin, 0, width - m_contentMargin, height};
  DrawText(dc, Caption(), measured, DT_CALCRECT | DT_CENTER | DT_EXPANDTABS | lines);
  const int tw = measured.Width();
  const int th = measured.Height();
  Rect place;
  place.left = (width - tw) / 2 - 1;
  place.right = place.left + tw + 2;
  place.top = (height - th) / 2;
  place.bottom = height - place.top;
  if (paintState == kPaintPressed) place = place.Offset(1, 1);
  const SkinnedTextLook look =
      SkinnedTextLookOf(m_skin.SkinData(), Enabled(), paintState != kPaintNormal, ColorToRGB(Font().Color()));
  const unsigned vertical = m_wordWrap ? 0u : DT_VCENTER;
  DrawSkinnedText(dc, font, Caption(), place, DT_CENTER | DT_EXPANDTABS | lines | vertical, look);
  return place;
}

void TsButton::PaintWindow(DeviceContext& dc) {
  if (!m_skin.Paint(dc)) TButton::PaintWindow(dc);
}

void TsButton::WndProc(TMessage& message) {
  if (m_skin.WndProc(message)) return;
  TButton::WndProc(message);
}

}  // namespace tappomat
