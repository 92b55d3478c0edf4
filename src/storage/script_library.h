#pragma once
// The script library: the scripts stored in a folder, one "<name>.tps" entry per script.
// The main window's refresh command fills its list from ListScripts.
#include <filesystem>
#include <string>
#include <vector>

namespace tappomat {

// The names of the folder's entries that end in ".tps" (exact case), each without its last
// four characters, in the order the folder lists them, unsorted. Folders count too, so a
// folder "x.tps" lists as "x". A folder that cannot be read lists nothing.
std::vector<std::string> ListScripts(const std::filesystem::path& folder);

}  // namespace tappomat
