#pragma once
// TsTimerSpeedButton: a skinned speed button that repeats its click while held, for the
// buttons of a skinned spin edit. The first repeat comes 400 ms after the press, then one
// every 100 ms, each only while the button still holds the mouse capture; the release over
// the button is one more click, as for any speed button. Without a glyph it draws an arrow
// (up or down) in the section's font colour, the hot one while hot. The repeats run on a
// user-interface timer it owns.
#include <functional>

#include "skin/controls/skinned_speed_button.h"
#include "ui/timer.h"

namespace tappomat {

enum class TsSpinArrow { None, Up, Down };

class TsTimerSpeedButton : public TsSpeedButton {
 public:
  static constexpr unsigned kInitialRepeatMs = 400;
  static constexpr unsigned kRepeatMs = 100;

  explicit TsTimerSpeedButton(TComponent* owner);
  std::string ClassName() const override { return "TsTimerSpeedButton"; }

  TsSpinArrow Arrow() const { return m_arrow; }
  void SetArrow(TsSpinArrow arrow);
  // The repeats are running (the button is held).
  bool Repeating() const { return m_timer->Enabled(); }

  // Runs when the left button goes down on the button, before it shows pressed (the spin
  // edit takes the focus there).
  std::function<void()> OnPress;

  // The arrow's three corners for a button w x h: tip last.
  static std::array<Point, 3> ArrowCorners(TsSpinArrow arrow, int w, int h);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void Repeat();
  void StopRepeats() { m_timer->SetEnabled(false); }

  TsSpinArrow m_arrow = TsSpinArrow::None;
  TTimer* m_timer;
};

}  // namespace tappomat
