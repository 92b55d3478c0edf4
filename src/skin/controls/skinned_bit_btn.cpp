#include "skin/controls/skinned_bit_btn.h"

#include "gdi/text.h"
#include "skin/common/caption_look.h"
#include "ui/canvas.h"

namespace tappomat {

TsBitBtn::TsBitBtn(TComponent* owner)
    : TBitBtn(owner), m_skin(*this, 94, [this](Bitmap32& cache, int state) { return DrawContent(cache, state); }) {
  m_skin.DefaultOnlyBesidePlainFocus = true;
}

void TsBitBtn::SetBlend(int percent) {
  m_blend = percent;
  Restyle();
}

void TsBitBtn::SetGrayed(bool on) {
  m_grayed = on;
  Restyle();
}

void TsBitBtn::SetDisabledGlyphKind(TsDisabledGlyphKind kinds) {
  m_disabledGlyphKind = kinds;
  Restyle();
}

void TsBitBtn::SetShowCaption(bool on) {
  m_showCaption = on;
  Restyle();
}

void TsBitBtn::SetShowFocus(bool on) {
  m_skin.ShowFocus = on;
  Restyle();
}

void TsBitBtn::SetDisabledKind(TsDisabledKind kinds) {
  m_skin.DisabledKind = kinds;
  Restyle();
}

Rect TsBitBtn::DrawContent(Bitmap32& cache, int paintState) {
  const SkinGlyph glyph{&Glyph(), NumGlyphs(), m_blend, m_grayed, m_disabledGlyphKind};
  const Size glyphSize = SkinGlyphSize(glyph);
  const std::string caption = m_showCaption ? Caption() : std::string();
  const Point pressed = paintState == kPaintPressed ? Point{1, 1} : Point{};
  const LogicalFont font = Font().ToLogicalFont();
  if (caption.empty()) {
    // A lone glyph sits in the middle, rounded up and left.
    const Point at{(Width() - glyphSize.width) / 2 + pressed.x, (Height() - glyphSize.height) / 2 + pressed.y};
    DrawSkinGlyph(cache, at, glyph, paintState, Enabled());
    return {};
  }
  const ButtonGlyph layoutGlyph{&Glyph(), NumGlyphs(), ToButtonLayout(Layout()), Margin(), Spacing()};
  const ButtonContentLayout layout = CalcButtonLayout(ClientRect(), caption, font, layoutGlyph, pressed);
  DrawSkinGlyph(cache, layout.glyphPos, glyph, paintState, Enabled());
  DeviceContext dc(cache);
  const SkinnedTextLook look =
      SkinnedTextLookOf(m_skin.SkinData(), Enabled(), paintState != kPaintNormal, ColorToRGB(Font().Color()));
  DrawSkinnedText(dc, font, caption, layout.textRect.Inflate(1, 0),
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS, look);
  return layout.textRect;
}

void TsBitBtn::PaintWindow(DeviceContext& dc) {
  if (!m_skin.Paint(dc)) TBitBtn::PaintWindow(dc);
}

void TsBitBtn::WndProc(TMessage& message) {
  if (m_skin.WndProc(message)) return;
  TBitBtn::WndProc(message);
}

}  // namespace tappomat
