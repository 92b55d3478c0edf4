#include "automation/target.h"

#include "automation/marker_form.h"

namespace tappomat {
namespace {
constexpr int kClientWidth = 116;
}

TForm3::TForm3(TComponent* owner) : TForm(owner) {
  Image1 = SetUpMarkerForm(*this, kClientWidth, MarkerColor::Red);
}

void TForm3::MoveTo(Point topLeft) { MoveMarkerForm(*this, topLeft); }

}  // namespace tappomat
