#pragma once
// TsSpeedButton: a window-less tool button drawn from the skin's SPEEDBUTTON section
// (kind 92): the section in the button's state (down while held or latched, hot under the
// pointer), the caption, then the glyph, the disabled look. Group behaviour (one button of
// a group down) is the standard TSpeedButton's. Without a skin it is the standard button.
// The language buttons of the main window are two of them.
#include "skin/common/common_data.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/glyph_paint.h"
#include "ui/speed_button.h"

namespace tappomat {

class TsSpeedButton : public TSpeedButton {
 public:
  explicit TsSpeedButton(TComponent* owner);
  std::string ClassName() const override { return "TsSpeedButton"; }

  TsCtrlSkinData* SkinData() { return &m_data; }
  int Blend() const { return m_blend; }
  void SetBlend(int percent);
  bool Grayed() const { return m_grayed; }
  void SetGrayed(bool on);
  TsDisabledGlyphKind DisabledGlyphKind() const { return m_disabledGlyphKind; }
  void SetDisabledGlyphKind(TsDisabledGlyphKind kinds);
  TsDisabledKind DisabledKind() const { return m_disabledKind; }
  void SetDisabledKind(TsDisabledKind kinds);

  // 0 normal, 1 hot, 2 down.
  int PaintState() const;

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;

 private:
  bool RebuildCache();
  void DrawContent(Bitmap32& cache, int paintState);
  void Restyle() { m_data.Invalidate(); }

  TsCtrlSkinData m_data;
  int m_blend = 0;
  bool m_grayed = false;
  TsDisabledGlyphKind m_disabledGlyphKind = dgBlended;
  TsDisabledKind m_disabledKind = dkBlended;
};

}  // namespace tappomat
