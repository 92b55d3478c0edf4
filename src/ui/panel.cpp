#include "ui/panel.h"

#include <algorithm>

#include "ui/classic_look.h"

namespace tappomat {

namespace {

// bvSpace takes its width but draws no lines: the classic look paints it in the face
// colour, as a widening of the border (which sits next to it in the same colour).
PanelBevel ToPanelBevel(TBevelCut bevel) {
  switch (bevel) {
    case TBevelCut::bvLowered:
      return PanelBevel::Lowered;
    case TBevelCut::bvRaised:
      return PanelBevel::Raised;
    default:
      return PanelBevel::None;
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
  BevelsChanged();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  if (bevel == m_bevelInner) return;
  m_bevelInner = bevel;
  BevelsChanged();
}

void TPanel::SetBevelWidth(int width) {
  width = std::max(width, 1);
  if (width == m_bevelWidth) return;
  m_bevelWidth = width;
  BevelsChanged();
}

void TPanel::SetBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == m_borderWidth) return;
  m_borderWidth = width;
  BevelsChanged();
}

void TPanel::SetAlignment(TAlignment alignment) {
  if (alignment == m_alignment) return;
  m_alignment = alignment;
  Invalidate();
}

void TPanel::BevelsChanged() {
  Realign();
  Invalidate();
}

Rect TPanel::AdjustedClientRect() const {
  int inset = m_borderWidth;
  if (m_bevelOuter != TBevelCut::bvNone) inset += m_bevelWidth;
  if (m_bevelInner != TBevelCut::bvNone) inset += m_bevelWidth;
  Rect r = ClientRect().Inflate(-inset, -inset);
  // A panel smaller than its frame has an empty inside at its middle, not a negative one.
  if (r.right < r.left) r.left = r.right = (r.left + r.right) / 2;
  if (r.bottom < r.top) r.top = r.bottom = (r.top + r.bottom) / 2;
  return r;
}

void TPanel::Realign() {
  if (m_aligning) return;
  m_aligning = true;
  Rect r = AdjustedClientRect();
  const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                          TAlign::alClient};
  for (TAlign align : order) {
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c->Align() != align || !c->Visible()) continue;
      const int width = std::min(c->Width(), r.Width());
      const int height = std::min(c->Height(), r.Height());
      switch (align) {
        case TAlign::alTop:
          c->SetBounds(r.left, r.top, r.Width(), height);
          r.top += height;
          break;
        case TAlign::alBottom:
          c->SetBounds(r.left, r.bottom - height, r.Width(), height);
          r.bottom -= height;
          break;
        case TAlign::alLeft:
          c->SetBounds(r.left, r.top, width, r.Height());
          r.left += width;
          break;
        case TAlign::alRight:
          c->SetBounds(r.right - width, r.top, width, r.Height());
          r.right -= width;
          break;
        default:
          c->SetBounds(r.left, r.top, r.Width(), r.Height());
          break;
      }
    }
  }
  m_aligning = false;
}

void TPanel::BoundsChanged() {
  TCustomControl::BoundsChanged();
  Realign();
}

void TPanel::WndProc(TMessage& m) {
  TCustomControl::WndProc(m);
  if (m.Msg == WM_SIZE || (m.Msg == WM_PARENTNOTIFY && LOWORD(m.WParam) == WM_CREATE)) Realign();
}

void TPanel::Paint() {
  DeviceContext* dc = Canvas()->Handle();
  if (!dc) return;
  PanelLook look;
  look.bevelOuter = ToPanelBevel(m_bevelOuter);
  look.bevelInner = ToPanelBevel(m_bevelInner);
  look.bevelWidth = m_bevelWidth;
  look.borderWidth = m_borderWidth;
  if (m_bevelOuter == TBevelCut::bvSpace) look.borderWidth += m_bevelWidth;
  if (m_bevelInner == TBevelCut::bvSpace) look.borderWidth += m_bevelWidth;
  look.color = ColorToRGB(Color());
  look.textColor = ColorToRGB(Enabled() ? Font().Color() : clGrayText);
  look.caption = Caption();
  look.alignment = ToTextAlignment(m_alignment);
  look.font = Font().ToLogicalFont();
  DrawPanel(*dc, ClientRect(), look);
}

}  // namespace tappomat
