#pragma once
// TImage: a window-less control showing a picture. The picture is a Bitmap32 with
// premultiplied alpha, drawn at the control's top-left corner. Transparent: the picture is
// blended over what the parent painted, so the background shows where alpha is 0;
// otherwise its pixels are copied as they are (premultiplied colour, i.e. as if over
// black). AutoSize makes the control the picture's size.
#include "imaging/bitmap32.h"
#include "ui/graphic_control.h"

namespace tappomat {

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  std::string ClassName() const override { return "TImage"; }

  const Bitmap32& Picture() const { return m_picture; }
  void SetPicture(Bitmap32 picture);
  bool Transparent() const { return m_transparent; }
  void SetTransparent(bool on);
  bool AutoSize() const { return m_autoSize; }
  void SetAutoSize(bool on);

 protected:
  void Paint() override;

 private:
  void AdjustSize();

  Bitmap32 m_picture;
  bool m_transparent = false;
  bool m_autoSize = false;
};

}  // namespace tappomat
