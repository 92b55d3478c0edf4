#include "storage/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>

namespace tappomat {
namespace {

bool WriteAll(int fd, std::string_view content, const WriteFunction& write) {
  while (!content.empty()) {
    const ssize_t written =
        write ? write(fd, content.data(), content.size()) : ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Opens a temporary file in `folder` that no one else uses. The name starts with a dot
// so that a folder listing does not show it as a script while it exists, and it is short,
// so that it fits the file-name limit whatever the length of the final name.
int CreateTemporary(const std::filesystem::path& folder, std::filesystem::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder / (".tappomat-" + std::to_string(::getpid()) + "-" +
                          std::to_string(counter++) + ".tmp");
    // 0666 so that the umask decides a new file's permissions, as for any other new file.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The rename is durable only once the folder itself is flushed; a failure here cannot undo
// the replacement any more, so it is not reported.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A symbolic link is followed to the file it finally names, so that the replacement
// goes there and the link stays a link; a link to nothing names the file to create.
// Nothing when the links go round in a loop or too deep.
std::optional<std::filesystem::path> FinalTarget(std::filesystem::path path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) return std::nullopt;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return std::nullopt;
}

}  // namespace

bool ReplaceFileContent(const std::filesystem::path& link, std::string_view content,
                        const WriteFunction& write) {
  const std::optional<std::filesystem::path> target = FinalTarget(link);
  if (!target) return false;
  const std::filesystem::path& path = *target;
  if (path.filename().empty()) return false;
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  struct stat old {};
  const bool hasOld = ::stat(path.c_str(), &old) == 0;
  if (hasOld && !S_ISREG(old.st_mode)) return false;

  std::filesystem::path temporary;
  const int fd = CreateTemporary(folder, temporary);
  if (fd < 0) return false;
  // The replacement keeps the permissions of the file it replaces.
  bool ok = WriteAll(fd, content, write) && (!hasOld || ::fchmod(fd, old.st_mode & 07777) == 0) &&
            ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace tappomat
