#pragma once
// X11Presenter: shows a window's pictures, which are Bitmap32s drawn by our own code. One
// per window, owned by X11Window, with the window's graphics context and, when the server
// is local and accepts it, a MIT-SHM segment that the pixels are copied into (one copy
// instead of sending them through the socket).
//
// Pixels go to the server as they are when the visual stores them as Bitmap32 does (32 bits
// per pixel, red in 0xFF0000), which is true of the 24-bit and 32-bit TrueColor visuals of
// every current server; other visuals get a slow per-pixel conversion.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

#include "imaging/bitmap32.h"
#include "imaging/geometry.h"
#include "platform/x11/x11_display.h"

namespace tappomat {

class X11Presenter {
 public:
  X11Presenter(X11Display& x, Window window, Visual* visual, int depth);
  ~X11Presenter();
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  // Copies the rectangles (window coordinates, clipped to `source`) of `source` to the
  // window at the same place.
  void Put(const Bitmap32& source, const std::vector<Rect>& rects);
  // The whole premultiplied picture with every channel multiplied by alpha / 255.
  void PutScaled(const Bitmap32& picture, std::uint8_t alpha);

  bool UsesSharedMemory() const { return m_shmImage != nullptr; }

 private:
  bool EnsureSharedImage(int width, int height);
  void ReleaseSharedImage();
  void PutShared(const Bitmap32& source, const Rect& rect);
  void PutDirect(const Bitmap32& source, const Rect& rect);
  void PutConverted(const Bitmap32& source, const Rect& rect);

  X11Display& m_x;
  Window m_window;
  Visual* m_visual;
  int m_depth;
  GC m_gc = nullptr;
  bool m_direct = false;
  XImage* m_shmImage = nullptr;
  XShmSegmentInfo m_shmInfo{};
  bool m_shmBusy = false;  // the server may still be reading the segment
  Bitmap32 m_scaled;
};

}  // namespace tappomat
