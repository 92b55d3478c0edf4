#pragma once
// The names of a skin's files: every file of a skin is a plain name inside its skin folder
// or package, never a path. A definition that names "/etc/passwd", "..\x.bmp" or "c:\x.bmp"
// would otherwise reach files outside the skin, and a package entry named so would be
// written outside the folder it is unpacked into. Used by the folder and package image
// sources, and by the skin tool's unpack and check, so that all of them agree.
#include <filesystem>
#include <string>
#include <string_view>

namespace tappomat {

// The longest file name the usual file systems store, in bytes.
inline constexpr std::size_t kMaxSkinFileNameLength = 255;

// Why `name` is not a plain file name of a skin, in words that follow "it" ("holds a
// folder separator"); empty when it is one. Refused: the empty name, "." and
// "..", names holding "/" or "\" (folders, absolute paths, ".." parts), ":" (a drive), a
// NUL byte, and names longer than kMaxSkinFileNameLength.
std::string SkinFileNameFault(std::string_view name);

// True when `path` lies in `folder` or below it, both taken as they are on disk (symbolic
// links resolved). A path that cannot be resolved lies nowhere.
bool LiesInFolder(const std::filesystem::path& path, const std::filesystem::path& folder);

}  // namespace tappomat
