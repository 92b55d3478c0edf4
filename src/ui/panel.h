#pragma once
// TPanel: a windowed container with classic bevels — outer bevel, border, inner bevel —
// and a caption centred vertically inside them. It owns its bevel settings and lays out
// its aligned children (Align other than alNone) inside the bevels and border, so that
// they never cover the frame (AdjustClientRect); other children keep their bounds, which
// count from the panel's top-left corner. Painted with the classic DrawPanel.
#include "ui/alignment.h"
#include "ui/graphic_control.h"

namespace tappomat {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);
  std::string ClassName() const override { return "TPanel"; }

  TBevelCut BevelOuter() const { return m_bevelOuter; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const { return m_bevelInner; }
  void SetBevelInner(TBevelCut bevel);
  int BevelWidth() const { return m_bevelWidth; }
  // At least 1.
  void SetBevelWidth(int width);
  int BorderWidth() const { return m_borderWidth; }
  // At least 0.
  void SetBorderWidth(int width);
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment alignment);

  // The client area inside the border and the bevels (each bevel other than bvNone takes
  // BevelWidth): where aligned children go and the caption is drawn.
  Rect AdjustedClientRect() const;
  // Lays the aligned children out again: alTop, then alBottom, alLeft, alRight, each kind
  // in child order, and alClient in what is left. The panel does it itself when its size,
  // bevels or border change and when a child window is created in it; a program that
  // changes a child's Align or size afterwards calls it.
  void Realign();

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void BoundsChanged() override;

 private:
  void BevelsChanged();

  TBevelCut m_bevelOuter = TBevelCut::bvRaised;
  TBevelCut m_bevelInner = TBevelCut::bvNone;
  int m_bevelWidth = 1;
  int m_borderWidth = 0;
  TAlignment m_alignment = TAlignment::taCenter;
  bool m_aligning = false;
};

}  // namespace tappomat
