#include "ui/bit_btn.h"

#include <algorithm>

namespace tappomat {

ButtonLayout ToButtonLayout(TButtonLayout layout) {
  switch (layout) {
    case TButtonLayout::blGlyphRight: return ButtonLayout::GlyphRight;
    case TButtonLayout::blGlyphTop: return ButtonLayout::GlyphTop;
    case TButtonLayout::blGlyphBottom: return ButtonLayout::GlyphBottom;
    default: return ButtonLayout::GlyphLeft;
  }
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::SetGlyph(const Bitmap32& glyph) {
  m_glyph = glyph;
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, 4);
  if (count == m_numGlyphs) return;
  m_numGlyphs = count;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
  if (layout == m_layout) return;
  m_layout = layout;
  Invalidate();
}

void TBitBtn::SetMargin(int margin) {
  margin = std::max(margin, -1);
  if (margin == m_margin) return;
  m_margin = margin;
  Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
  spacing = std::max(spacing, -1);
  if (spacing == m_spacing) return;
  m_spacing = spacing;
  Invalidate();
}

PushButtonLook TBitBtn::Look() {
  PushButtonLook look = TButton::Look();
  if (!m_glyph.IsEmpty()) {
    look.glyph.image = &m_glyph;
    look.glyph.numGlyphs = m_numGlyphs;
  }
  look.glyph.layout = ToButtonLayout(m_layout);
  look.glyph.margin = m_margin;
  look.glyph.spacing = m_spacing;
  return look;
}

}  // namespace tappomat
