#include "storage/script_library.h"

#include <string_view>
#include <system_error>

#include "storage/script_file.h"

namespace tappomat {

namespace {

// A name whose last four characters are ".tps" in any letter case.
bool HasScriptExtension(std::string_view name) {
  const std::string_view extension = kScriptExtension;
  if (name.size() < extension.size()) return false;
  const std::string_view tail = name.substr(name.size() - extension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
    if (c != extension[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> ListScripts(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  // The iterator never yields "." and "..", and keeps the folder's own order.
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    // A FIFO or a folder named like a script is no script (a FIFO would block a load).
    if (!HasScriptExtension(name) || !it->is_regular_file(typeError)) continue;
    names.push_back(name.substr(0, name.size() - std::string_view(kScriptExtension).size()));
  }
  return names;
}

std::filesystem::path ScriptFilePath(const std::filesystem::path& folder, std::string_view name) {
  const std::filesystem::path exact = folder / (std::string(name) + kScriptExtension);
  std::error_code error;
  if (std::filesystem::is_regular_file(exact, error)) return exact;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string file = it->path().filename().string();
    std::error_code typeError;
    if (file.size() == name.size() + 4 && file.starts_with(name) && HasScriptExtension(file) &&
        it->is_regular_file(typeError))
      return it->path();
  }
  return exact;
}

}  // namespace tappomat
