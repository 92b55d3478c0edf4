// tappomat_enlarge IN.png OUT.png FACTOR: writes a picture enlarged FACTOR times (each
// pixel a FACTOR x FACTOR square, opaque), so that goldens can be looked at as a user
// would look at the window, pixel by pixel. The enlarged views beside the goldens in
// docs/looks/ are made with it.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/image_decoder.h"
#include "imaging/png_encoder.h"

using namespace tappomat;

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tappomat_enlarge IN.png OUT.png FACTOR (1-16)\n");
    return 2;
  }
  const int factor = std::atoi(argv[3]);
  if (factor < 1 || factor > 16) {
    std::fprintf(stderr, "tappomat_enlarge: FACTOR must be 1 to 16\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  const DecodedImage decoded = DecodeImage(bytes);
  if (!decoded.Ok()) {
    std::fprintf(stderr, "tappomat_enlarge: %s: %s\n", argv[1], decoded.error.c_str());
    return 1;
  }
  const Bitmap32& picture = decoded.bitmap;
  Bitmap32 out(picture.Width() * factor, picture.Height() * factor);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.At(x, y) = picture.At(x / factor, y / factor) | 0xFF000000u;
  const std::vector<std::uint8_t> png = EncodePng(out);
  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!file) {
    std::fprintf(stderr, "tappomat_enlarge: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
