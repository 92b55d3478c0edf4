// libFuzzer target for DecodePng. Beyond what the sanitizers catch, every result must be
// either an error with no pixels or a bitmap within the size limits.
//
// Almost every mutation breaks a chunk CRC, and libpng stops at the first bad one; so the
// input is decoded as given and once more with every chunk CRC recomputed, which lets the
// fuzzer reach the decoding behind the check.
#include <zlib.h>

#include <cstdlib>
#include <vector>

#include "imaging/png_decoder.h"

namespace {

std::uint32_t ReadBigEndian(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::vector<std::uint8_t> WithCrcsRepaired(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  std::size_t chunk = 8;  // after the signature
  while (chunk + 12 <= bytes.size()) {
    const std::uint32_t length = ReadBigEndian(&bytes[chunk]);
    if (length > bytes.size() - chunk - 12) break;
    const uLong crc = crc32(0, &bytes[chunk + 4], 4 + length);
    for (int i = 0; i < 4; ++i)
      bytes[chunk + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    chunk += 12 + length;
  }
  return bytes;
}

void Check(std::span<const std::uint8_t> data) {
  const tappomat::DecodedImage image = tappomat::DecodePng(data);
  const bool consistent =
      image.Ok() ? tappomat::IsAcceptableImageSize(image.bitmap.Width(), image.bitmap.Height())
                 : image.bitmap.IsEmpty();
  if (!consistent) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Check({data, size});
  Check(WithCrcsRepaired(data, size));
  return 0;
}
