#pragma once
// Where a skin comes from when the manager loads it by name: a package file "<name>.tqz" in
// the skin directory, a skin folder "<name>" there holding an Options.dat, or an internal
// skin of that exact name (the first internal skin when none has it). A file or folder of
// the same name replaces the internal skin, so skin makers can try a changed copy.
//
// Skin directories are written as the skin makers' tools write them ("c:\Skins", "..\Skins",
// ".\Skins", "Skins"); this system has no drive letters, so a drive path stands for the
// application folder plus the path after the drive ("c:\Skins" is <application>/Skins),
// and back slashes are folder separators.
#include <filesystem>
#include <string>
#include <string_view>

#include "skin/data/stored_skins.h"

namespace tappomat {

inline constexpr const char* kDefaultSkinDirectory = "c:\\Skins";

// The name without a final ".tqz" in any case (only when something is left before it).
std::string StripPackageExtension(std::string_view name);

// The skin directory resolved against the application folder: "..\X" the parent's X,
// ".\X" and "X" the application folder's X, "." the application folder itself, a drive
// path as said above, anything else (an absolute path) as written.
std::filesystem::path ResolveSkinDirectory(std::string_view directory,
                                           const std::filesystem::path& applicationFolder);

struct SkinSource {
  enum class Kind { PackageFile, Folder, Internal, None };
  Kind kind = Kind::None;
  std::filesystem::path path;        // the package file, or the skin folder
  std::filesystem::path definition;  // Folder: its Options.dat, named in any letter case
  int internalIndex = -1;            // Internal: the item
  std::string name;                  // the name to keep: the internal skin's when it fell back
  // Why the package file or folder that is there cannot be read; loading it fails with
  // this message. Empty when nothing is known to be wrong yet.
  std::string problem;
};

// Chooses the source of `name` (already without ".tqz"). The package file is looked for in
// the directory as written (relative to the current folder when relative), the folder in
// the resolved directory. A skin folder's definition is "Options.dat" in any letter case.
// What is there but cannot be read (a folder without permission or a link that loops, an
// Options.dat or a package file that is a link leading nowhere) is still chosen, so that
// loading it reports the fault instead of passing over the skin in silence.
SkinSource ChooseSkinSource(const std::string& name, std::string_view skinDirectory,
                            const std::filesystem::path& applicationFolder,
                            const TsStoredSkins& internalSkins);

}  // namespace tappomat
