#include "skin/controls/timer_speed_button.h"

#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "skin/paint/section_paint.h"
#include "ui/canvas.h"

namespace tappomat {

TsTimerSpeedButton::TsTimerSpeedButton(TComponent* owner) : TsSpeedButton(owner) {
  m_timer = Create<TTimer>(this);
  m_timer->SetEnabled(false);
  m_timer->OnTimer = [this](TComponent*) { Repeat(); };
}

void TsTimerSpeedButton::SetArrow(TsSpinArrow arrow) {
  m_arrow = arrow;
  Invalidate();
}

std::array<Point, 3> TsTimerSpeedButton::ArrowCorners(TsSpinArrow arrow, int w, int h) {
  const int x0 = (w - 9) / 2;
  const int y0 = (h - 5) / 2;
  if (arrow == TsSpinArrow::Down) return {Point{x0 + 1, y0 + 1}, Point{x0 + 7, y0 + 1}, Point{x0 + 4, y0 + 4}};
  return {Point{x0 + 1, y0 + 4}, Point{x0 + 7, y0 + 4}, Point{x0 + 4, y0 + 1}};
}

void TsTimerSpeedButton::Paint() {
  TsSpeedButton::Paint();
  if (m_arrow == TsSpinArrow::None || !Glyph().IsEmpty()) return;
  DeviceContext* dc = Canvas()->Handle();
  if (dc == nullptr) return;
  ColorRef color = GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  if (const TsGeneralData* section = SkinData()->Section(); section != nullptr && SkinData()->Skinned(true)) {
    const int record = StateRecordOf(*section, PaintState() != 0 ? 1 : 0);
    color = SkinData()->Adjusted(static_cast<ColorRef>(section->props[static_cast<std::size_t>(record)].fontColor[0]) &
                                 0xFFFFFF);
  }
  // Filled row by row between base and tip, corners included: 7, 5, 3 and 1 pixels.
  const std::array<Point, 3> corners = ArrowCorners(m_arrow, Width(), Height());
  const int step = corners[2].y < corners[0].y ? -1 : 1;
  for (int row = 0; row < 4; ++row) {
    const int y = corners[0].y + step * row;
    FillRect(*dc, Rect{corners[0].x + row, y, corners[1].x - row + 1, y + 1}, color);
  }
}

void TsTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) {
    if (OnPress) GuardedCall([&] { OnPress(); });
    m_timer->SetInterval(kInitialRepeatMs);
    m_timer->SetEnabled(true);
  }
  TsSpeedButton::MouseDown(button, shift, x, y);
}

void TsTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) StopRepeats();
  TsSpeedButton::MouseUp(button, shift, x, y);
}

void TsTimerSpeedButton::Repeat() {
  // After the first pause the repeats come faster; a button that lost the mouse stops.
  if (!MouseCapture() || !Enabled()) {
    StopRepeats();
    return;
  }
  m_timer->SetInterval(kRepeatMs);
  Click();
}

}  // namespace tappomat
