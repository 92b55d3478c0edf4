#include "tool_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace tappomat {
namespace {

namespace fs = std::filesystem;

std::runtime_error SystemFailure(const std::string& what, int error) {
  return std::runtime_error(what + ": " + std::strerror(error));
}

// Writes all of `bytes` to `fd`; returns 0 or the error number.
int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return errno;
    bytes = bytes.subspan(static_cast<std::size_t>(count));
  }
  return 0;
}

// Writes and closes `fd`; returns 0 or the error number.
int WriteAndClose(int fd, std::span<const std::uint8_t> bytes) {
  const int writeError = WriteAll(fd, bytes);
  const int closeError = ::close(fd) == 0 ? 0 : errno;
  return writeError != 0 ? writeError : closeError;
}

}  // namespace

FolderWriter::FolderWriter(const fs::path& folder)
    : m_folder(folder.has_filename() ? folder : folder.parent_path()) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(m_folder, error))) {
    if (m_folder.has_parent_path()) fs::create_directories(m_folder.parent_path(), error);
    if (::mkdir(m_folder.c_str(), 0777) == 0) {
      m_made = true;
    } else if (errno != EEXIST) {
      throw SystemFailure("Unable to create " + m_folder.string(), errno);
    }
  }
  // A folder made here that is a link by now was put there by someone else: not followed.
  m_fd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (m_made ? O_NOFOLLOW : 0));
  if (m_fd < 0) {
    const int why = errno;
    if (m_made) ::rmdir(m_folder.c_str());
    throw SystemFailure("Unable to open the folder " + m_folder.string(), why);
  }
}

FolderWriter::~FolderWriter() {
  if (!m_keep) {
    for (const std::string& name : m_written) ::unlinkat(m_fd, name.c_str(), 0);
  }
  ::close(m_fd);
  if (!m_keep && m_made) ::rmdir(m_folder.c_str());
}

std::vector<std::string> FolderWriter::ExistingNames() const {
  std::vector<std::string> names;
  const int fd = ::dup(m_fd);
  DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
  if (dir == nullptr) {
    const int why = errno;
    if (fd >= 0) ::close(fd);
    throw SystemFailure("Unable to list " + m_folder.string(), why);
  }
  ::rewinddir(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

void FolderWriter::Write(const std::string& name, std::span<const std::uint8_t> bytes) {
  const std::string path = (m_folder / name).string();
  const int fd = ::openat(m_fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) throw SystemFailure("Unable to create " + path, errno);
  m_written.push_back(name);
  if (const int error = WriteAndClose(fd, bytes); error != 0) {
    throw SystemFailure("Unable to write to " + path, error);
  }
}

void ReplaceFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string temporary = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw SystemFailure("Unable to write to " + path.string(), errno);
  // mkstemp makes the file private; a package is an ordinary file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  int error = ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
  const int writeError = WriteAndClose(fd, bytes);
  if (error == 0) error = writeError;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw SystemFailure("Unable to write to " + path.string(), error);
  }
}

}  // namespace tappomat
