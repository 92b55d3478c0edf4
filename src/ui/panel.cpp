#include "ui/panel.h"

#include <algorithm>

#include "ui/classic_look.h"

namespace tappomat {

namespace {

// bvSpace is drawn as no bevel: Delphi's TPanel paints it in the face colour, which the
// background already is.
PanelBevel ToPanelBevel(TBevelCut bevel) {
  switch (bevel) {
    case TBevelCut::bvLowered: return PanelBevel::Lowered;
    case TBevelCut::bvRaised: return PanelBevel::Raised;
    default: return PanelBevel::None;
  }
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  m_controlStyle |= csAcceptsControls | csSetCaption | csOpaque;
  m_width = 185;
  m_height = 41;
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  if (bevel == m_bevelOuter) return;
  m_bevelOuter = bevel;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  if (bevel == m_bevelInner) return;
  m_bevelInner = bevel;
  Invalidate();
}

void TPanel::SetBevelWidth(int width) {
  width = std::max(width, 1);
  if (width == m_bevelWidth) return;
  m_bevelWidth = width;
  Invalidate();
}

void TPanel::SetBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == m_borderWidth) return;
  m_borderWidth = width;
  Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
  if (alignment == m_alignment) return;
  m_alignment = alignment;
  Invalidate();
}

void TPanel::Paint() {
  DeviceContext* dc = Canvas()->Handle();
  if (!dc) return;
  PanelLook look;
  look.bevelOuter = ToPanelBevel(m_bevelOuter);
  look.bevelInner = ToPanelBevel(m_bevelInner);
  look.bevelWidth = m_bevelWidth;
  look.borderWidth = m_borderWidth;
  look.color = ColorToRGB(Color());
  look.textColor = ColorToRGB(Enabled() ? Font().Color() : clGrayText);
  look.caption = Caption();
  look.alignment = ToTextAlignment(m_alignment);
  look.font = Font().ToLogicalFont();
  DrawPanel(*dc, ClientRect(), look);
}

}  // namespace tappomat
