#pragma once
// The window setup the two marker forms (TForm3, TForm4) share, called from their
// constructors: a borderless, captionless stay-on-top window on black with black as its
// colour key, and the marker picture at its top-left corner. The window system turns the
// colour key into the window's visible and input shape, so the black part is neither
// seen nor clicked: clicks there reach the window below. Only the rings and the dot are
// solid.
#include "automation/marker_picture.h"

namespace tappomat {

class TForm;
class TImage;

// Sets `form` up as a marker whose client area is clientWidth × the picture's height and
// returns the picture's image control (owned by the form).
TImage* SetUpMarkerForm(TForm& form, int clientWidth, MarkerColor color);

// Moves a marker form so that its top-left corner is at `topLeft` (screen coordinates).
void MoveMarkerForm(TForm& form, Point topLeft);

}  // namespace tappomat
