#include "skin_tool.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <new>

#include "entry_names.h"
#include "platform/posix/outside_file.h"
#include "skin/data/skin_file_name.h"
#include "skin/data/skin_package.h"
#include "skin/data/upper_ascii.h"
#include "skin_check.h"
#include "tool_files.h"

namespace tappomat {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "Usage: tappomat-skin COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  pack [--force] DIR OUT.tqz\n"
    "                     pack the skin folder DIR (its Options.dat and images) into a package;\n"
    "                     an existing OUT.tqz is replaced only with --force\n"
    "  unpack PKG DIR     write the entries of the package PKG into the folder DIR (new files\n"
    "                     only; nothing is written when one is there already)\n"
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

TacSkinConvertor ReadPackage(const fs::path& path) {
  SkinPackageRead read = ReadSkinPackageFile(path);
  if (!read.Ok()) {
    throw Failure{path.string() + ": " + read.error +
                  (read.entry.empty() ? "" : " (in the entry \"" + read.entry + "\")")};
  }
  return std::move(read.package);
}

enum class Overwrite { Refuse, Replace };

// The skin folder's files: Options.dat first, the others in name order, so that packing
// the same folder always gives the same bytes.
int Pack(const fs::path& folder, const fs::path& output, Overwrite overwrite, std::ostream& out) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) throw Failure{folder.string() + " is not a folder"};
  // A package inside the folder would replace one of the skin's files, or be packed into
  // the next package made of it.
  if (LiesInFolder(fs::absolute(output, error).parent_path(), folder)) {
    throw Failure{output.string() + " lies inside the folder being packed; write the package elsewhere"};
  }
  if (overwrite == Overwrite::Refuse && fs::exists(fs::symlink_status(output, error))) {
    throw Failure{output.string() + " already exists; pack --force replaces it"};
  }
  std::map<std::string, fs::path> byName;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file()) continue;
    // A skin folder may come from anywhere: a link in it must not carry another file of
    // the user's into a package that is then passed on (the program refuses such an image
    // anyway).
    if (!LiesInFolder(entry.path(), folder)) {
      throw Failure{entry.path().string() +
                    " is a symbolic link that leads out of the folder; nothing was written"};
    }
    byName[entry.path().filename().string()] = entry.path();
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
  ReplaceFileAtomically(output, package);
  out << output.string() << ": " << files.size() << " entries, " << package.size() << " bytes\n";
  return 0;
}

// Entry names come from outside: all of them are checked before anything is written, and
// each file is made anew in the folder, so that a name or a link planted in the folder
// never sends the bytes elsewhere. A failure part-way removes what was written.
int Unpack(const fs::path& package, const fs::path& folder, std::ostream& out) {
  const TacSkinConvertor read = ReadPackage(package);
  if (const std::vector<std::string> faults = EntryNameFaults(read); !faults.empty()) {
    throw Failure{package.string() + ": " + faults.front() + "; nothing was written"};
  }
  std::vector<const TacImageItem*> entries;
  TacImageItem definition{"Options.dat", read.definition};
  if (read.hasDefinition) entries.push_back(&definition);
  for (const TacImageItem& item : read.images) entries.push_back(&item);

  FolderWriter writer(folder);
  std::map<std::string, std::string> existing;  // by upper-case name: the folder ignores case
  for (const std::string& name : writer.ExistingNames()) existing.emplace(UpperAscii(name), name);
  for (const TacImageItem* entry : entries) {
    if (const auto there = existing.find(UpperAscii(entry->name)); there != existing.end()) {
      throw Failure{(folder / there->second).string() + " already exists; nothing was written"};
    }
  }
  try {
    for (const TacImageItem* entry : entries) writer.Write(entry->name, entry->data);
  } catch (const std::exception& e) {
    throw Failure{std::string(e.what()) + "; the files written before were removed"};
  }
  writer.Keep();
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

int RunSkinTool(const std::vector<std::string>& commandLine, std::ostream& out, std::ostream& err) {
  if (commandLine.size() == 1 && (commandLine[0] == "--help" || commandLine[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  // pack's one option, taken out of the arguments.
  std::vector<std::string> args = commandLine;
  Overwrite overwrite = Overwrite::Refuse;
  if (!args.empty() && args[0] == "pack") {
    const auto force = std::remove(args.begin() + 1, args.end(), "--force");
    if (force != args.end()) overwrite = Overwrite::Replace;
    args.erase(force, args.end());
  }
  const std::map<std::string, std::pair<std::size_t, std::function<int()>>> commands = {
      {"pack", {3, [&] { return Pack(args[1], args[2], overwrite, out); }}},
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
  } catch (const std::bad_alloc&) {
    err << "tappomat-skin: " << args[0] << " " << args[1]
        << ": more memory is needed than is available\n";
  } catch (const std::exception& e) {
    err << "tappomat-skin: " << e.what() << '\n';
  }
  return 1;
}

}  // namespace tappomat
