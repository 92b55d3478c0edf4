#pragma once
// TForm4: the green marker, shown while the user picks a click point with the mouse. It
// looks like the red marker (marker_form.h) in green. Shown, it becomes the active window
// and holds the keyboard focus, so that Esc reaches it: Esc hides it and calls
// OnPickCancelled, which the main window sets to leave its capture mode and clear the
// menu's tick. Other keys are left alone.
#include <functional>

#include "imaging/geometry.h"
#include "ui/form.h"

namespace tappomat {

class TImage;

class TForm4 : public TForm {
 public:
  explicit TForm4(TComponent* owner);
  std::string ClassName() const override { return "TForm4"; }

  void MoveTo(Point topLeft);

  TImage* Image1 = nullptr;
  std::function<void()> OnPickCancelled;

 private:
  void FormKeyDown(TComponent* sender, WORD& key, TShiftState shift);
};

}  // namespace tappomat
