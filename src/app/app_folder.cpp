#include "app/app_folder.h"

#include <unistd.h>

#include <iterator>
#include <system_error>

#include "skin/data/skin_manager.h"

namespace tappomat {

namespace {
std::filesystem::path g_applicationFolder;
}  // namespace

namespace {

// The folders of installed programs (/usr/bin, /usr/local/bin, /bin ...) belong to the
// package system: settings never go there, even when the user may write them (root).
bool IsInstalledProgramsFolder(const std::filesystem::path& folder) {
  if (!folder.is_absolute()) return false;
  const auto first = std::next(folder.begin());
  if (first == folder.end()) return false;
  return *first == "usr" || *first == "bin" || *first == "sbin";
}

}  // namespace

std::optional<std::filesystem::path> ChooseAppFolder(const AppFolderInputs& inputs) {
  if (inputs.dataDirOption) return *inputs.dataDirOption;
  if (!inputs.executableFolder.empty() && !IsInstalledProgramsFolder(inputs.executableFolder) &&
      inputs.writable && inputs.writable(inputs.executableFolder)) {
    return inputs.executableFolder;
  }
  const std::filesystem::path xdg(inputs.xdgDataHome);
  if (xdg.is_absolute()) return xdg / "tappomat";
  const std::filesystem::path home(inputs.home);
  if (home.is_absolute()) return home / ".local" / "share" / "tappomat";
  return std::nullopt;
}

namespace {

// "HOME is not set", or "HOME is not an absolute path ('u')".
std::string WhatIsWrongWith(const char* variable, const std::string& value) {
  if (value.empty()) return std::string(variable) + " is not set";
  return std::string(variable) + " is not an absolute path ('" + value + "')";
}

}  // namespace

std::string NoAppFolderMessage(const AppFolderInputs& inputs) {
  const std::string reasons =
      inputs.home.empty() && inputs.xdgDataHome.empty()
          ? "HOME and XDG_DATA_HOME are not set"
          : WhatIsWrongWith("HOME", inputs.home) + ", " +
                WhatIsWrongWith("XDG_DATA_HOME", inputs.xdgDataHome);
  return "no folder for the settings and scripts: " + reasons +
         " and the program's folder is not writable; give one with --data-dir DIR";
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : exe.parent_path();
}

bool IsWritableFolder(const std::filesystem::path& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

const std::filesystem::path& ApplicationFolder() { return g_applicationFolder; }

void SetApplicationFolder(const std::filesystem::path& folder) {
  g_applicationFolder = folder;
  // Skin folders and packages that replace the built-in skins live beside the settings.
  TsSkinManager::SetApplicationFolder(folder);
}

}  // namespace tappomat
