#include "skin/adapters/scroll_tracking.h"

namespace tappomat {

ScrollTrackingState& ScrollTracking() {
  static ScrollTrackingState state;
  return state;
}

}  // namespace tappomat
