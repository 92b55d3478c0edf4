#include "ui/image.h"

#include "gdi/blit.h"

namespace tappomat {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  m_controlStyle |= csReplicatable;
  m_width = 105;
  m_height = 105;
}

void TImage::SetPicture(Bitmap32 picture) {
  m_picture = std::move(picture);
  AdjustSize();
  Invalidate();
}

void TImage::SetTransparent(bool on) {
  if (on == m_transparent) return;
  m_transparent = on;
  Invalidate();
}

void TImage::SetAutoSize(bool on) {
  m_autoSize = on;
  AdjustSize();
}

void TImage::AdjustSize() {
  if (m_autoSize && !m_picture.IsEmpty()) SetBounds(m_left, m_top, m_picture.Width(), m_picture.Height());
}

void TImage::Paint() {
  if (m_picture.IsEmpty()) return;
  if (m_transparent) {
    Canvas()->Draw(0, 0, m_picture);
  } else if (DeviceContext* dc = Canvas()->Handle()) {
    // Copy the colour channels; the back buffer stays opaque.
    Bitmap32 opaque = m_picture;
    for (Pixel& p : opaque.Pixels()) p |= 0xFF000000u;
    BitBlt(*dc, 0, 0, opaque.Width(), opaque.Height(), opaque, 0, 0, SRCCOPY);
  }
}

}  // namespace tappomat
