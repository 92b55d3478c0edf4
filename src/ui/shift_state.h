#pragma once
// TShiftState: the modifier keys and mouse buttons held during an input event, as the
// component layer's events report them.
#include <cstdint>

namespace tappomat {

enum TShiftStateBits : std::uint8_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = std::uint8_t;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

}  // namespace tappomat
