#include "storage/script_library.h"

#include <string_view>
#include <system_error>

#include "storage/script_file.h"

namespace tappomat {

std::vector<std::string> ListScripts(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  const std::string_view extension = kScriptExtension;
  std::error_code error;
  // The iterator never yields "." and "..", and keeps the folder's own order.
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() >= extension.size() && name.ends_with(extension)) {
      names.push_back(name.substr(0, name.size() - extension.size()));
    }
  }
  return names;
}

}  // namespace tappomat
