// tappomat_skin_art OUTDIR: draws the images of the "Neutral2 (internal)" skin and the two
// default form shadows into OUTDIR. Run it again after changing the art and commit the
// files it writes (the skin folder's images, and the shadows under skins/shadows).
#include <cstdio>
#include <filesystem>
#include <string>

#include "skin_art_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tappomat_skin_art OUTDIR\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    std::fprintf(stderr, "tappomat_skin_art: %s is not a folder\n", argv[1]);
    return 1;
  }
  const std::string problem = tappomat::skin_art::WriteSkinArt(folder);
  if (!problem.empty()) {
    std::fprintf(stderr, "tappomat_skin_art: %s\n", problem.c_str());
    return 1;
  }
  return 0;
}
