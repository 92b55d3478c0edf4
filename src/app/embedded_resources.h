#pragma once
// Files compiled into the program by the build (tools/embed): the internal skins, packed
// from the skin folders in skins/, in the skin collection's order (only the skins whose
// folders exist are built in), and the default form shadows of skins/shadows/.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tappomat {

struct EmbeddedResource {
  std::string_view name;
  std::span<const std::uint8_t> bytes;
};

const std::vector<EmbeddedResource>& InternalSkinPackages();
// The default form shadows: "orSHDA" (active window), "orSHDI" (inactive), PNG bytes.
const std::vector<EmbeddedResource>& DefaultShadowImages();

}  // namespace tappomat
