#include "platform/posix/outside_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tappomat {
namespace {

OutsideFile Failure(OutsideFile::Error error, std::string message) {
  OutsideFile file;
  file.error = error;
  file.message = std::move(message);
  return file;
}

// Closes the descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

OutsideFile ReadOutsideFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
  using Error = OutsideFile::Error;
  // Without blocking: opening a FIFO for reading would wait for a writer for ever.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0) {
    const int why = errno;
    return Failure(why == ENOENT ? Error::Missing : Error::ReadFailed, std::strerror(why));
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return Failure(Error::NotRegular, "not a regular file");
  }
  const std::string tooLarge = "larger than the limit of " + std::to_string(maxBytes) + " bytes";
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return Failure(Error::TooLarge, tooLarge);

  OutsideFile file;
  file.bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd.Get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Failure(Error::ReadFailed, std::strerror(errno));
    if (count == 0) break;
    // The file may grow while it is read.
    if (file.bytes.size() + static_cast<std::size_t>(count) > maxBytes) {
      return Failure(Error::TooLarge, tooLarge);
    }
    file.bytes.append(buffer, static_cast<std::size_t>(count));
  }
  return file;
}

}  // namespace tappomat
