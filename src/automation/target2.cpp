#include "automation/target2.h"

#include "automation/marker_form.h"
#include "platform/virtual_keys.h"

namespace tappomat {
namespace {
constexpr int kClientWidth = 124;
}

TForm4::TForm4(TComponent* owner) : TForm(owner) {
  Image1 = SetUpMarkerForm(*this, kClientWidth, MarkerColor::Green);
  SetKeyPreview(true);
  OnKeyDown = [this](TComponent* sender, WORD& key, TShiftState shift) {
    FormKeyDown(sender, key, shift);
  };
}

void TForm4::MoveTo(Point topLeft) { MoveMarkerForm(*this, topLeft); }

void TForm4::FormKeyDown(TComponent*, WORD& key, TShiftState) {
  if (key != VK_ESCAPE) return;
  key = 0;
  Hide();
  if (OnPickCancelled) OnPickCancelled();
}

}  // namespace tappomat
