#pragma once
// X11Cursors: the pointer shapes of the windows, made from the X cursor font on first use
// and freed with the platform. Owned by X11Platform.
#include <X11/Xlib.h>

#include <array>

#include "platform/platform.h"

namespace tappomat {

class X11Cursors {
 public:
  explicit X11Cursors(Display* display) : m_display(display) {}
  ~X11Cursors();
  X11Cursors(const X11Cursors&) = delete;
  X11Cursors& operator=(const X11Cursors&) = delete;

  Cursor Get(PointerShape shape);

 private:
  Display* m_display;
  std::array<Cursor, static_cast<std::size_t>(PointerShape::SizeAll) + 1> m_cursors{};
};

}  // namespace tappomat
