#pragma once
// The files the skin tool writes, written so that nothing that lies in the way is followed
// or overwritten, and so that a command that fails leaves nothing half-written behind.
//
// FolderWriter (unpack): creates each file anew in a folder held open, relative to that
// folder's handle, never through a symbolic link and never over an existing file; until
// Keep() is called, its destruction removes the files it wrote and the folder if it made it.
//
// ReplaceFileAtomically (pack): writes a temporary file beside the target and renames it
// into place, so that a reader sees the old file or the whole new one, and a symbolic link
// at the target is replaced, not followed.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tappomat {

class FolderWriter {
 public:
  // Opens `folder`, making it (and its parents) when it is not there. Throws
  // std::runtime_error with a message that names the folder.
  explicit FolderWriter(const std::filesystem::path& folder);
  ~FolderWriter();
  FolderWriter(const FolderWriter&) = delete;
  FolderWriter& operator=(const FolderWriter&) = delete;

  // The names of what the folder holds already.
  std::vector<std::string> ExistingNames() const;
  // Creates the file `name` with `bytes`; throws std::runtime_error naming the file when
  // anything of that name is there or the write fails.
  void Write(const std::string& name, std::span<const std::uint8_t> bytes);
  // What was written stays.
  void Keep() { m_keep = true; }

 private:
  std::filesystem::path m_folder;
  int m_fd = -1;
  bool m_made = false;
  bool m_keep = false;
  std::vector<std::string> m_written;
};

// Writes `bytes` to `path` through a temporary file in the same folder and a rename.
// Throws std::runtime_error naming the file when it cannot.
void ReplaceFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace tappomat
