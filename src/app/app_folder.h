#pragma once
// The application folder: where the settings file and the scripts live. Chosen once at
// start: the folder given by --data-dir; else the executable's own folder when we may
// write there (a copy unpacked anywhere keeps its files beside it); else
// $XDG_DATA_HOME/tappomat (default ~/.local/share/tappomat). The program creates it once
// the display is open, so that a program that cannot start leaves nothing behind. Until
// it is set (the tests' main windows) there is no folder, and no settings are read or
// written. Relative XDG_DATA_HOME and HOME values are ignored: they would put the files
// wherever the program happened to be started.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tappomat {

struct AppFolderInputs {
  std::optional<std::filesystem::path> dataDirOption;
  std::filesystem::path executableFolder;
  std::string xdgDataHome;  // empty when unset
  std::string home;
  std::function<bool(const std::filesystem::path&)> writable;
};

// Nothing when no folder can be chosen (neither a writable executable folder nor an
// absolute XDG_DATA_HOME or HOME); the caller then asks for --data-dir.
std::optional<std::filesystem::path> ChooseAppFolder(const AppFolderInputs& inputs);
// Why ChooseAppFolder found nothing, for the user: what is wrong with HOME and
// XDG_DATA_HOME (not set, or not an absolute path), and what to do.
std::string NoAppFolderMessage(const AppFolderInputs& inputs);
// The folder of the running executable (/proc/self/exe), empty when unknown.
std::filesystem::path ExecutableFolder();
bool IsWritableFolder(const std::filesystem::path& folder);

const std::filesystem::path& ApplicationFolder();
void SetApplicationFolder(const std::filesystem::path& folder);

}  // namespace tappomat
