#pragma once
// KeepAside: moves a file that the program is about to replace out of the way, to a name
// beside it that is not taken, so that the user's bytes are never lost. The settings use
// it for a settings file they cannot keep in place (settings.cpp).
#include <filesystem>
#include <optional>
#include <string_view>

namespace tappomat {

// Renames `file` (a symbolic link as itself) to "<file>.<tag>", or "<file>.<tag>.2",
// "<file>.<tag>.3" ... when that exists, never replacing an existing file. Returns the new
// name, or nothing when the file could not be moved (it then stays where it was).
std::optional<std::filesystem::path> KeepAside(const std::filesystem::path& file,
                                               std::string_view tag);

// Moves a file back where KeepAside took it from, unless something is there by now.
bool PutBack(const std::filesystem::path& keptAs, const std::filesystem::path& file);

}  // namespace tappomat
