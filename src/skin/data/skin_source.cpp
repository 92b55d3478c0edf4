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

// "Not there" as opposed to "there, but it cannot be looked at".
bool IsNotThere(const std::error_code& error) {
  return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
}

// True when something (a file, a folder, a link even if it leads nowhere) has that name,
// or when it cannot be told because the name cannot be looked at.
bool IsThereOrUnknown(const fs::path& path) {
  std::error_code error;
  const bool there = fs::exists(fs::symlink_status(path, error));
  return there || (error && !IsNotThere(error));
}

std::string CannotBeRead(const fs::path& folder, const std::error_code& error) {
  return "The skin folder " + folder.string() + " cannot be read: " + error.message();
}

// Fills `source` from the skin folder `folder` when there is one: a folder holding an
// Options.dat in any letter case, or one that cannot be read.
bool ChooseFolder(const fs::path& folder, SkinSource& source) {
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (error && IsNotThere(error)) return false;
  source.kind = SkinSource::Kind::Folder;
  source.path = folder;
  if (error) {
    source.problem = CannotBeRead(folder, error);
    return true;
  }
  if (!fs::is_directory(status)) return false;
  // The usual name first: it may be readable in a folder that cannot be listed.
  const fs::path usual = folder / "Options.dat";
  const bool usualThere = fs::exists(fs::symlink_status(usual, error));
  if (error && !IsNotThere(error)) {
    source.problem = CannotBeRead(folder, error);
    return true;
  }
  if (usualThere) {
    source.definition = usual;
    return true;
  }
  error.clear();
  fs::directory_iterator entries(folder, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    if (UpperAscii(entries->path().filename().string()) == "OPTIONS.DAT") {
      source.definition = entries->path();
      return true;
    }
  }
  if (error) {
    source.problem = CannotBeRead(folder, error);
    return true;
  }
  return false;
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
  // The package file: the directory as written (a drive path standing for the
  // application folder's), made to end with a separator.
  const std::string written = ForwardSlashes(skinDirectory);
  const fs::path packageFolder = IsDrivePath(written) ? ResolveSkinDirectory(written, applicationFolder)
                                                      : fs::path(written);
  if (!written.empty()) {
    const fs::path package = packageFolder / (name + ".tqz");
    if (IsThereOrUnknown(package)) {
      source.kind = SkinSource::Kind::PackageFile;
      source.path = package;
      return source;
    }
  }
  const fs::path folder = ResolveSkinDirectory(skinDirectory, applicationFolder) / name;
  if (SkinSource fromFolder = source; ChooseFolder(folder, fromFolder)) return fromFolder;
  int index = internalSkins.IndexOf(name);
  if (index < 0 && internalSkins.Count() > 0) index = 0;
  if (index < 0) return source;
  source.kind = SkinSource::Kind::Internal;
  source.internalIndex = index;
  source.name = internalSkins.Items(index).Name();
  return source;
}

}  // namespace tappomat
