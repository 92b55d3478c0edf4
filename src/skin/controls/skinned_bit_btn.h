#pragma once
// TsBitBtn: a bitmap button drawn from the skin's BUTTON section (kind 94): the skinned
// push-button face with its glyph (alpha or colour-keyed, see glyph_paint.h) and caption.
// A glyph without a caption sits in the middle. Without a skin it is the standard TBitBtn.
// The stay-on-top pushpin button of the main window is one.
#include "skin/paint/glyph_paint.h"
#include "skin/controls/push_button_skin.h"
#include "ui/bit_btn.h"

namespace tappomat {

class TsBitBtn : public TBitBtn {
 public:
  explicit TsBitBtn(TComponent* owner);
  std::string ClassName() const override { return "TsBitBtn"; }

  TsCtrlSkinData* SkinData() { return &m_skin.SkinData(); }
  // Percent of the glyph's opacity taken away in the normal look.
  int Blend() const { return m_blend; }
  void SetBlend(int percent);
  // The glyph drawn grey in the normal look.
  bool Grayed() const { return m_grayed; }
  void SetGrayed(bool on);
  TsDisabledGlyphKind DisabledGlyphKind() const { return m_disabledGlyphKind; }
  void SetDisabledGlyphKind(TsDisabledGlyphKind kinds);
  bool ShowCaption() const { return m_showCaption; }
  void SetShowCaption(bool on);
  bool ShowFocus() const { return m_skin.ShowFocus; }
  void SetShowFocus(bool on);
  TsDisabledKind DisabledKind() const { return m_skin.DisabledKind; }
  void SetDisabledKind(TsDisabledKind kinds);

  int PaintState() const { return m_skin.PaintState(); }

  void WndProc(TMessage& message) override;

 protected:
  void PaintWindow(DeviceContext& dc) override;

 private:
  Rect DrawContent(Bitmap32& cache, int paintState);
  void Restyle() { m_skin.SkinData().Invalidate(); }

  PushButtonSkin m_skin;
  int m_blend = 0;
  bool m_grayed = false;
  TsDisabledGlyphKind m_disabledGlyphKind = dgBlended;
  bool m_showCaption = true;
};

}  // namespace tappomat
