#pragma once
// TPanel: a windowed container with Delphi's bevels — outer bevel, border, inner bevel —
// and a caption centred vertically inside them. It owns its bevel settings; its child
// controls are parented to it as to a form. Painted with the classic DrawPanel.
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

 protected:
  void Paint() override;

 private:
  TBevelCut m_bevelOuter = TBevelCut::bvRaised;
  TBevelCut m_bevelInner = TBevelCut::bvNone;
  int m_bevelWidth = 1;
  int m_borderWidth = 0;
  TAlignment m_alignment = TAlignment::taCenter;
};

}  // namespace tappomat
