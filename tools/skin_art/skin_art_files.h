#pragma once
// The files the skin art generator writes: the two images of the "Neutral2 (internal)"
// skin folder (Master.bmp, ButtonHuge.bmp, 24-bit with fuchsia for transparency) and the
// two default form shadows (ShadowActive.png, ShadowInactive.png, 32-bit PNG). The same
// program always writes the same bytes. Called by tappomat_skin_art and by its test.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tappomat::skin_art {

struct ArtFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

std::vector<ArtFile> RenderSkinArt();

// Writes every file of RenderSkinArt into `folder` (which must exist), replacing files of
// the same names. Returns an empty text, or what went wrong.
std::string WriteSkinArt(const std::filesystem::path& folder);

}  // namespace tappomat::skin_art
