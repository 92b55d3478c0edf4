#include "skin_tool.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "platform/posix/outside_file.h"
#include "skin_check.h"
#include "skin/data/skin_package.h"
#include "skin/data/upper_ascii.h"

namespace tappomat {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "Usage: tappomat-skin COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  pack DIR OUT.tqz   pack the skin folder DIR (its Options.dat and images) into a package\n"
    "  unpack PKG DIR     write the entries of the package PKG into the folder DIR\n"
    "  list PKG           list the entries of the package PKG with their sizes in bytes\n"
    "  check DIR|PKG      load a skin folder or package and report what is wrong with it\n"
    "  --help             show this text\n";

// A failure that ends the command with its message.
struct Failure {
  std::string message;
};

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  OutsideFile file = ReadOutsideFile(path, SkinPackageLimits::kMaxEntrySize);
  if (!file.Ok()) throw Failure{"Unable to read " + path.string() + ": " + file.message};
  return {file.bytes.begin(), file.bytes.end()};
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw Failure{"Unable to write to " + path.string()};
}

TacSkinConvertor ReadPackage(const fs::path& path) {
  SkinPackageRead read = ReadSkinPackageFile(path);
  if (!read.Ok()) throw Failure{path.string() + ": " + read.error};
  return std::move(read.package);
}

// The skin folder's files: Options.dat first, the others in name order, so that packing
// the same folder always gives the same bytes.
int Pack(const fs::path& folder, const fs::path& output, std::ostream& out) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) throw Failure{folder.string() + " is not a folder"};
  std::map<std::string, fs::path> byName;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) byName[entry.path().filename().string()] = entry.path();
  }
  if (error) throw Failure{"Unable to list " + folder.string() + ": " + error.message()};
  std::vector<SkinPackageFile> files;
  for (const auto& [name, path] : byName) {
    if (UpperAscii(name) == "OPTIONS.DAT") files.insert(files.begin(), {name, ReadFile(path)});
  }
  if (files.empty()) throw Failure{folder.string() + " holds no Options.dat"};
  for (const auto& [name, path] : byName) {
    if (UpperAscii(name) != "OPTIONS.DAT") files.push_back({name, ReadFile(path)});
  }
  const std::vector<std::uint8_t> package = WriteSkinPackage(files);
  WriteFile(output, package);
  out << output.string() << ": " << files.size() << " entries, " << package.size() << " bytes\n";
  return 0;
}

// Entry names come from outside: only plain file names are written, never a path that
// leaves the folder.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

int Unpack(const fs::path& package, const fs::path& folder, std::ostream& out) {
  const TacSkinConvertor read = ReadPackage(package);
  std::vector<const TacImageItem*> entries;
  TacImageItem definition{"Options.dat", read.definition};
  if (read.hasDefinition) entries.push_back(&definition);
  for (const TacImageItem& item : read.images) entries.push_back(&item);
  for (const TacImageItem* entry : entries) {
    if (!IsPlainFileName(entry->name)) {
      throw Failure{package.string() + ": the entry name \"" + entry->name +
                    "\" is not a plain file name"};
    }
    if (fs::exists(fs::symlink_status(folder / entry->name))) {
      throw Failure{(folder / entry->name).string() + " already exists; nothing was written"};
    }
  }
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) throw Failure{"Unable to create " + folder.string() + ": " + error.message()};
  for (const TacImageItem* entry : entries) WriteFile(folder / entry->name, entry->data);
  out << folder.string() << ": " << entries.size() << " entries written\n";
  return 0;
}

int Check(const fs::path& skin, std::ostream& out) {
  const SkinCheckReport report = CheckSkin(skin);
  for (const std::string& error : report.errors) out << "error: " << error << '\n';
  for (const std::string& warning : report.warnings) out << "warning: " << warning << '\n';
  out << skin.string() << ": " << report.errors.size() << " errors, " << report.warnings.size()
      << " warnings\n";
  return report.errors.empty() ? 0 : 1;
}

int List(const fs::path& package, std::ostream& out) {
  const TacSkinConvertor read = ReadPackage(package);
  if (read.hasDefinition) out << read.definition.size() << "\tOptions.dat\n";
  for (const TacImageItem& item : read.images) out << item.data.size() << '\t' << item.name << '\n';
  return 0;
}

}  // namespace

int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  const std::map<std::string, std::pair<std::size_t, std::function<int()>>> commands = {
      {"pack", {3, [&] { return Pack(args[1], args[2], out); }}},
      {"unpack", {3, [&] { return Unpack(args[1], args[2], out); }}},
      {"list", {2, [&] { return List(args[1], out); }}},
      {"check", {2, [&] { return Check(args[1], out); }}},
  };
  const auto command = args.empty() ? commands.end() : commands.find(args[0]);
  if (command == commands.end()) {
    err << (args.empty() ? "tappomat-skin: no command given\n"
                         : "tappomat-skin: unknown command \"" + args[0] + "\"\n")
        << kUsage;
    return 2;
  }
  if (args.size() != command->second.first) {
    err << "tappomat-skin: " << args[0] << " takes " << command->second.first - 1
        << (command->second.first == 2 ? " argument\n" : " arguments\n") << kUsage;
    return 2;
  }
  try {
    return command->second.second();
  } catch (const Failure& failure) {
    err << "tappomat-skin: " << failure.message << '\n';
  } catch (const std::exception& e) {
    err << "tappomat-skin: " << e.what() << '\n';
  }
  return 1;
}

}  // namespace tappomat
