#pragma once
// The script library: the scripts stored in a folder, one "<name>.tps" entry per script.
// The main window's refresh command fills its list from ListScripts.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tappomat {

// The names of the folder's regular files (or links to them) whose names end in ".tps" in
// any letter case, each without its last four characters, in the order the folder lists
// them, unsorted. A folder that cannot be read lists nothing.
std::vector<std::string> ListScripts(const std::filesystem::path& folder);

// The file of the script `name`: the existing regular file "<name>.tps" (the extension in
// any letter case, the lower-case one first), else "<name>.tps" to be created.
std::filesystem::path ScriptFilePath(const std::filesystem::path& folder, std::string_view name);

}  // namespace tappomat
