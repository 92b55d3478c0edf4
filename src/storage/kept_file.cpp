#include "storage/kept_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace tappomat {
namespace {

// A rename that fails with EEXIST instead of replacing the target. Where the file system
// cannot do that in one step, a hard link (which never replaces either) and an unlink.
bool RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) != 0) {
    const int why = errno;
    ::unlink(to.c_str());
    errno = why;
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::filesystem::path> KeepAside(const std::filesystem::path& file,
                                               std::string_view tag) {
  const std::string base = file.string() + "." + std::string(tag);
  // Bounded, so that a folder full of kept files cannot keep us here; a thousand kept
  // settings files is far more than anyone leaves behind.
  for (int number = 1; number <= 1000; ++number) {
    const std::filesystem::path candidate =
        number == 1 ? std::filesystem::path(base)
                    : std::filesystem::path(base + "." + std::to_string(number));
    if (RenameWithoutReplacing(file, candidate)) return candidate;
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

bool PutBack(const std::filesystem::path& keptAs, const std::filesystem::path& file) {
  return RenameWithoutReplacing(keptAs, file);
}

}  // namespace tappomat
