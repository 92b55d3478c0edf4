#pragma once
// TGraphicControl: a window-less control (labels, speed buttons, images) that its parent
// paints and feeds with mouse messages; TCustomControl: a windowed control that paints
// itself. Both draw in Paint() on their own Canvas, which is attached to the context of
// the paint in progress.
#include "ui/win_control.h"

namespace tappomat {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  std::string ClassName() const override { return "TGraphicControl"; }
  TCanvas* Canvas() { return &m_canvas; }

 protected:
  virtual void Paint() {}
  void PaintOn(DeviceContext& dc) override;

 private:
  TCanvas m_canvas;
};

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  std::string ClassName() const override { return "TCustomControl"; }
  TCanvas* Canvas() { return &m_canvas; }

 protected:
  virtual void Paint() {}
  void PaintWindow(DeviceContext& dc) override;

 private:
  TCanvas m_canvas;
};

}  // namespace tappomat
