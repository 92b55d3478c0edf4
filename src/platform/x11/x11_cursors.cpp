#include "platform/x11/x11_cursors.h"

#include <X11/cursorfont.h>

namespace tappomat {
namespace {

unsigned int FontShapeOf(PointerShape shape) {
  switch (shape) {
    case PointerShape::Arrow: return XC_left_ptr;
    case PointerShape::IBeam: return XC_xterm;
    case PointerShape::Hand: return XC_hand2;
    case PointerShape::Wait: return XC_watch;
    case PointerShape::SizeWE: return XC_sb_h_double_arrow;
    case PointerShape::SizeNS: return XC_sb_v_double_arrow;
    // The cursor font has no diagonal double arrows; its corners read the same way.
    case PointerShape::SizeNWSE: return XC_bottom_right_corner;
    case PointerShape::SizeNESW: return XC_bottom_left_corner;
    case PointerShape::SizeAll: return XC_fleur;
  }
  return XC_left_ptr;
}

}  // namespace

X11Cursors::~X11Cursors() {
  for (const Cursor cursor : m_cursors) {
    if (cursor != None) XFreeCursor(m_display, cursor);
  }
}

Cursor X11Cursors::Get(PointerShape shape) {
  const auto index = static_cast<std::size_t>(shape);
  if (index >= m_cursors.size()) return None;
  if (m_cursors[index] == None) m_cursors[index] = XCreateFontCursor(m_display, FontShapeOf(shape));
  return m_cursors[index];
}

}  // namespace tappomat
