#include "skin/data/skin_file_name.h"

#include <algorithm>

namespace tappomat {

std::string SkinFileNameFault(std::string_view name) {
  if (name.empty()) return "is empty";
  if (name == "." || name == "..") return "names a folder";
  if (name.find_first_of("/\\") != std::string_view::npos) return "holds a folder separator";
  if (name.find(':') != std::string_view::npos) return "holds a drive separator \":\"";
  if (name.find('\0') != std::string_view::npos) return "holds a NUL byte";
  if (name.size() > kMaxSkinFileNameLength) {
    return "is " + std::to_string(name.size()) + " bytes long, more than the " +
           std::to_string(kMaxSkinFileNameLength) + " a file name may have";
  }
  return {};
}

bool LiesInFolder(const std::filesystem::path& path, const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::path resolvedPath = std::filesystem::canonical(path, error);
  if (error) return false;
  const std::filesystem::path resolvedFolder = std::filesystem::canonical(folder, error);
  if (error) return false;
  // Component by component, so that "/skins/ab" does not lie in "/skins/a".
  return std::mismatch(resolvedFolder.begin(), resolvedFolder.end(), resolvedPath.begin(),
                       resolvedPath.end())
             .first == resolvedFolder.end();
}

}  // namespace tappomat
