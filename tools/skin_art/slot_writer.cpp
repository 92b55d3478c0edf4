#include "slot_writer.h"

#include "emit.h"

namespace tappomat::skin_art {

Shape Nothing() {
  return [](double, double) { return false; };
}

void WriteFramesWithAlphaRow(Bitmap32& target, const Slot& slot, const FrameArt& art,
                             const Shape& outline, Rgb hole) {
  for (int frame = 0; frame < slot.frames; ++frame) {
    WriteWithAlphaRow(target, slot.rect.left + frame * slot.FrameWidth(), slot.rect.top, art(frame),
                      outline, hole);
  }
}

void WriteFramesKeyed(Bitmap32& target, const Slot& slot, const FrameArt& art, Rgb background) {
  for (int frame = 0; frame < slot.frames; ++frame) {
    WriteKeyed(target, slot.rect.left + frame * slot.FrameWidth(), slot.rect.top, art(frame),
               background);
  }
}

void WriteFramesOpaque(Bitmap32& target, const Slot& slot, const FrameArt& art, Rgb background) {
  for (int frame = 0; frame < slot.frames; ++frame) {
    WriteOpaque(target, slot.rect.left + frame * slot.FrameWidth(), slot.rect.top, art(frame),
                background);
  }
}

}  // namespace tappomat::skin_art
