#pragma once
// ReadOutsideFile: reads a whole file that comes from outside the program (the settings,
// scripts, skin packages and skin images) with the guards every such file needs. It never
// blocks (a FIFO or a device under a familiar name would otherwise hang the program for
// ever), takes regular files only, and stops at a size limit before the bytes swell the
// process: the size on disk is only a hint, so the limit is checked again on the bytes
// read. Called by the INI files of storage/ and by the skin loader.
#include <cstdint>
#include <filesystem>
#include <string>

namespace tappomat {

struct OutsideFile {
  enum class Error { None, Missing, NotRegular, TooLarge, ReadFailed };

  Error error = Error::None;
  std::string bytes;    // the whole file when error is None
  std::string message;  // why not, for the user: "not a regular file", the system's text

  bool Ok() const { return error == Error::None; }
};

OutsideFile ReadOutsideFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

}  // namespace tappomat
