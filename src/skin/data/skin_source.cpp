#include "skin/data/skin_source.h"

#include <algorithm>

#include "skin/data/upper_ascii.h"

namespace tappomat {
namespace {

namespace fs = std::filesystem;

std::string ForwardSlashes(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

// "c:\Skins" and "c:/Skins": a drive letter, a colon, a separator.
bool IsDrivePath(std::string_view text) {
  return text.size() >= 2 && text[1] == ':' &&
         ((text[0] >= 'a' && text[0] <= 'z') || (text[0] >= 'A' && text[0] <= 'Z'));
}

}  // namespace

std::string StripPackageExtension(std::string_view name) {
  if (name.size() > 4 && UpperAscii(name.substr(name.size() - 4)) == ".TQZ") {
    name.remove_suffix(4);
  }
  return std::string(name);
}

fs::path ResolveSkinDirectory(std::string_view directory, const fs::path& applicationFolder) {
  const std::string dir = ForwardSlashes(directory);
  if (dir.starts_with("..")) {
    return applicationFolder.parent_path() / (dir.size() > 3 ? dir.substr(3) : std::string());
  }
  if (dir.starts_with("./")) return applicationFolder / dir.substr(2);
  if (dir == ".") return applicationFolder;
  if (IsDrivePath(dir)) {
    std::string rest = dir.substr(2);
    while (rest.starts_with("/")) rest.erase(0, 1);
    return applicationFolder / rest;
  }
  if (dir.starts_with("/")) return dir;
  return applicationFolder / dir;
}

SkinSource ChooseSkinSource(const std::string& name, std::string_view skinDirectory,
                            const fs::path& applicationFolder, const TsStoredSkins& internalSkins) {
  SkinSource source;
  source.name = name;
  std::error_code error;
  // The package file: the directory as written (a drive path standing for the
  // application folder's), made to end with a separator.
  const std::string written = ForwardSlashes(skinDirectory);
  const fs::path packageFolder = IsDrivePath(written) ? ResolveSkinDirectory(written, applicationFolder)
                                                      : fs::path(written);
  if (!written.empty()) {
    const fs::path package = packageFolder / (name + ".tqz");
    if (fs::exists(package, error)) {
      source.kind = SkinSource::Kind::PackageFile;
      source.path = package;
      return source;
    }
  }
  const fs::path folder = ResolveSkinDirectory(skinDirectory, applicationFolder) / name;
  if (fs::exists(folder / "Options.dat", error)) {
    source.kind = SkinSource::Kind::Folder;
    source.path = folder;
    return source;
  }
  int index = internalSkins.IndexOf(name);
  if (index < 0 && internalSkins.Count() > 0) index = 0;
  if (index < 0) return source;
  source.kind = SkinSource::Kind::Internal;
  source.internalIndex = index;
  source.name = internalSkins.Items(index).Name();
  return source;
}

}  // namespace tappomat
