#include "automation/marker_form.h"

#include "ui/form.h"
#include "ui/image.h"

namespace tappomat {

TImage* SetUpMarkerForm(TForm& form, int clientWidth, MarkerColor color) {
  form.SetBorderStyle(TFormBorderStyle::bsNone);
  form.SetBorderIcons(0);
  form.SetCaption("");
  form.SetFormStyle(TFormStyle::fsStayOnTop);
  form.SetClientWidth(clientWidth);
  form.SetClientHeight(kMarkerPictureSize);
  form.SetColor(clBlack);
  form.SetTransparentColorValue(clBlack);
  form.SetTransparentColor(true);

  auto* image = Create<TImage>(&form);
  image->SetBounds(0, 0, kMarkerPictureSize, kMarkerPictureSize);
  image->SetPicture(DrawMarkerPicture(color));
  image->SetParent(&form);
  return image;
}

void MoveMarkerForm(TForm& form, Point topLeft) {
  form.SetBounds(topLeft.x, topLeft.y, form.Width(), form.Height());
}

}  // namespace tappomat
