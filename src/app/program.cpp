// Program entry. The window system and the main window arrive with later layers; for now
// the executable answers --version and --help.
#include <cstdio>
#include <cstring>

#include "app/version.h"

namespace {

void PrintHelp() {
  std::printf(
      "Tappomat %s - mouse auto-clicker\n"
      "\n"
      "Usage: tappomat [--help] [--version]\n"
      "  --help       show this text\n"
      "  --version    show the version\n",
      TAPPOMAT_VERSION);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Tappomat %s\n", TAPPOMAT_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintHelp();
      return 0;
    }
    std::fprintf(stderr, "tappomat: unknown option '%s' (try --help)\n", argv[i]);
    return 2;
  }
  PrintHelp();
  return 0;
}
