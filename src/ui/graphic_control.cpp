#include "ui/graphic_control.h"

#include "gdi/primitives.h"

namespace tappomat {

namespace {
// Attaches a canvas to a context for one Paint call, with the control's font.
class CanvasAttachment {
 public:
  CanvasAttachment(TCanvas& canvas, DeviceContext& dc, const TFont& font) : m_canvas(canvas) {
    m_canvas.SetHandle(&dc);
    m_canvas.Font().Assign(font);
  }
  ~CanvasAttachment() { m_canvas.SetHandle(nullptr); }
  CanvasAttachment(const CanvasAttachment&) = delete;
  CanvasAttachment& operator=(const CanvasAttachment&) = delete;

 private:
  TCanvas& m_canvas;
};
}  // namespace

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::PaintOn(DeviceContext& dc) {
  DeviceContext::Saver saver(dc);
  CanvasAttachment attach(m_canvas, dc, Font());
  GuardedCall([&] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(DeviceContext& dc) {
  if (!(m_controlStyle & csOpaque)) FillRect(dc, ClientRect(), ColorToRGB(Color()));
  {
    DeviceContext::Saver saver(dc);
    CanvasAttachment attach(m_canvas, dc, Font());
    m_canvas.Brush().Color = Color();
    GuardedCall([&] { Paint(); });
  }
  PaintControls(dc);
}

}  // namespace tappomat
