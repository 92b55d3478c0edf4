#pragma once
// WindowFrame: the one object that answers for a window's frame: where the client area
// lies inside it (WM_NCCALCSIZE), which part of the frame a point is in (WM_NCHITTEST) and
// how the frame looks (WM_NCPAINT, and the frame of WM_PRINT). Every window wears the
// classic frame (nonclient_layout.h, frame_painter.h) unless another is set on it; the
// skin engine sets a skinned frame on each form it skins. The three answers come from one
// object, so they cannot disagree.
#include "gdi/device_context.h"
#include "imaging/geometry.h"
#include "win/types.h"

namespace tappomat {

class WindowFrame {
 public:
  virtual ~WindowFrame() = default;
  // The client rectangle, in window coordinates, of `h` at size `window`.
  virtual Rect ClientRect(HWND h, Size window) = 0;
  // The part of `h` under a point in window coordinates that lies inside the window and
  // its region (HTCLIENT, HTCAPTION, HTCLOSE, ...).
  virtual LRESULT HitTest(HWND h, Point windowPoint) = 0;
  // Paints the frame into a context whose origin is the window's origin and whose clip
  // leaves out the client area.
  virtual void Paint(HWND h, DeviceContext& windowDc) = 0;
};

// The classic frame, the one every window wears by default.
WindowFrame& ClassicFrame();

// The frame `h` wears.
WindowFrame& FrameOf(HWND h);

// Gives `h` another frame (null: the classic one again), then works out its client area
// anew and repaints the frame. The window does not own the frame: whoever set it sets null
// before the frame goes (a window destroyed first simply forgets it).
void SetWindowFrame(HWND h, WindowFrame* frame);

}  // namespace tappomat
