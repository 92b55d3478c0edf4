#pragma once
// TForm3: the red marker, a ring target that shows on top of everything where the
// current script row will click. It is made hidden; the main window and the player show
// it and move it with MoveTo (MarkerPosition gives the corner for a row). Only the
// picture's rings and dot are solid; the rest of the window is see-through and passes
// clicks to the window below (marker_form.h).
#include "imaging/geometry.h"
#include "ui/form.h"

namespace tappomat {

class TImage;

class TForm3 : public TForm {
 public:
  explicit TForm3(TComponent* owner);
  std::string ClassName() const override { return "TForm3"; }

  void MoveTo(Point topLeft);

  TImage* Image1 = nullptr;
};

}  // namespace tappomat
