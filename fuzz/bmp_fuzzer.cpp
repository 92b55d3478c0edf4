// libFuzzer target for DecodeBmp. Beyond what the sanitizers catch, every result must be
// either an error with no pixels or a bitmap within the size limits.
#include <cstdlib>

#include "imaging/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tappomat::DecodedImage image = tappomat::DecodeBmp({data, size});
  const bool consistent =
      image.Ok() ? tappomat::IsAcceptableImageSize(image.bitmap.Width(), image.bitmap.Height())
                 : image.bitmap.IsEmpty();
  if (!consistent) std::abort();
  return 0;
}
