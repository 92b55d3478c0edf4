#pragma once
// The skin tool's check: loads a skin folder or package with the program's own loader and
// lists what is wrong with it, for the people who make skins: errors (the load fails, an
// image is missing, a reference reaches outside its image, parents that loop) and
// warnings (a section the engine never asks for, a parent that is not there).
#include <filesystem>
#include <string>
#include <vector>

namespace tappomat {

struct SkinCheckReport {
  std::vector<std::string> errors;
  std::vector<std::string> warnings;
};

SkinCheckReport CheckSkin(const std::filesystem::path& folderOrPackage);

}  // namespace tappomat
