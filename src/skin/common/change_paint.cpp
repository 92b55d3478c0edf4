#include "skin/common/change_paint.h"

namespace tappomat {

void ChangePaint(TsCommonData& data, TacAnimEvent /*event*/) {
  data.Invalidate();
}

std::optional<TacAnimEvent> LookEventOf(const TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER: return TacAnimEvent::MouseEnter;
    case CM_MOUSELEAVE: return TacAnimEvent::MouseLeave;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return TacAnimEvent::MouseDown;
    case WM_LBUTTONUP: return TacAnimEvent::MouseUp;
    default: return std::nullopt;
  }
}

}  // namespace tappomat
