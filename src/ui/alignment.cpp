#include "ui/alignment.h"

#include "gdi/text.h"

namespace tappomat {

unsigned AlignmentDrawTextFlags(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

TextAlignment ToTextAlignment(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taRightJustify: return TextAlignment::Right;
    case TAlignment::taCenter: return TextAlignment::Center;
    default: return TextAlignment::Left;
  }
}

}  // namespace tappomat
