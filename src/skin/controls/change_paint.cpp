#include "skin/controls/change_paint.h"

namespace tappomat {

void ChangePaint(TsCommonData& data, TacAnimEvent /*event*/) {
  data.Invalidate();
}

}  // namespace tappomat
