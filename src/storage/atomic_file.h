#pragma once
// Replaces a file's whole content in one step. The bytes go to a temporary file in the same
// folder, are flushed to the disk, and the temporary file is then renamed over the target,
// so a reader, a crash or a full disk leaves either the old content or the new one, never a
// mix. IniFile::Save calls it; tests pass their own WriteFunction to fail part-way.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

namespace tappomat {

// Same contract as POSIX write(): the number of bytes written, or -1 with errno set.
using WriteFunction = std::function<ssize_t(int fd, const char* data, std::size_t size)>;

// Returns false on any failure; the target is then untouched and no temporary file is left.
// An empty `write` means ::write.
bool ReplaceFileContent(const std::filesystem::path& path, std::string_view content,
                        const WriteFunction& write = {});

}  // namespace tappomat
