#pragma once
// TBitBtn: a TButton with a glyph beside its caption. It owns a copy of the glyph strip
// (NumGlyphs images side by side: up, disabled, clicked, down) and the layout of glyph and
// caption (Layout, Margin, Spacing); DrawPushButton places and draws them.
#include "ui/button.h"

namespace tappomat {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);
  std::string ClassName() const override { return "TBitBtn"; }

  const Bitmap32& Glyph() const { return m_glyph; }
  void SetGlyph(const Bitmap32& glyph);
  int NumGlyphs() const { return m_numGlyphs; }
  // 1 to 4; other values are clamped.
  void SetNumGlyphs(int count);
  TButtonLayout Layout() const { return m_layout; }
  void SetLayout(TButtonLayout layout);
  // Pixels from the edge to the glyph; -1 centres glyph and caption together.
  int Margin() const { return m_margin; }
  void SetMargin(int margin);
  // Pixels between glyph and caption; -1 centres the caption in the space left.
  int Spacing() const { return m_spacing; }
  void SetSpacing(int spacing);

 protected:
  PushButtonLook Look() override;

 private:
  Bitmap32 m_glyph;
  int m_numGlyphs = 1;
  TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
  int m_margin = -1;
  int m_spacing = 4;
};

// The look's layout for a TButtonLayout (shared with TSpeedButton).
ButtonLayout ToButtonLayout(TButtonLayout layout);

}  // namespace tappomat
