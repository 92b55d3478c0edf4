// tappomat_icon DIR SIZE...: writes the program's icon as DIR/SIZE.png for each SIZE, drawn
// by the same code as the window icon, so that the desktop menu shows the same picture.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/art.h"
#include "imaging/png_encoder.h"

using namespace tappomat;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tappomat_icon DIR SIZE... (8-256)\n");
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    // The drawing clamps its size; a size it would change is refused instead.
    if (size < 8 || size > 256) {
      std::fprintf(stderr, "tappomat_icon: SIZE must be 8 to 256, not '%s'\n", argv[i]);
      return 2;
    }
    const std::vector<std::uint8_t> png = EncodePng(ProgramIcon(size));
    const std::string path = std::string(argv[1]) + "/" + std::to_string(size) + ".png";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!file) {
      std::fprintf(stderr, "tappomat_icon: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
