#include "skin_art_files.h"

#include <fstream>

#include "button_huge.h"
#include "form_shadow.h"
#include "imaging/bmp_encoder.h"
#include "imaging/png_encoder.h"
#include "master_bitmap.h"

namespace tappomat::skin_art {

std::vector<ArtFile> RenderSkinArt() {
  return {
      {"Master.bmp", EncodeBmp(DrawMasterBitmap(), BmpDepth::Bits24)},
      {"ButtonHuge.bmp", EncodeBmp(DrawButtonHuge(), BmpDepth::Bits24)},
      {"ShadowActive.png", EncodePng(DrawFormShadow(ShadowKind::Active))},
      {"ShadowInactive.png", EncodePng(DrawFormShadow(ShadowKind::Inactive))},
  };
}

std::string WriteSkinArt(const std::filesystem::path& folder) {
  for (const ArtFile& file : RenderSkinArt()) {
    if (file.bytes.empty()) return "could not encode " + file.name;
    const std::filesystem::path path = folder / file.name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.bytes.data()),
              static_cast<std::streamsize>(file.bytes.size()));
    out.close();
    if (!out) return "could not write " + path.string();
  }
  return {};
}

}  // namespace tappomat::skin_art
