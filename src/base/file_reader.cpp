#include "base/file_reader.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quintora::base {

namespace {

#ifdef _WIN32

int open_for_reading(const std::filesystem::path& path) {
  int fd = -1;
  if (_wsopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) return -1;
  return fd;
}
bool is_regular(int fd) {
  struct _stat64 st {};
  return _fstat64(fd, &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG;
}
long long read_some(int fd, char* data, std::size_t size) {
  return _read(fd, data, size > 0x40000000u ? 0x40000000u : static_cast<unsigned>(size));
}
void close_file(int fd) { _close(fd); }

#else

// Non-blocking, so that opening a FIFO with no writer returns at once; a
// regular file reads the same either way.
int open_for_reading(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}
bool is_regular(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}
long long read_some(int fd, char* data, std::size_t size) { return ::read(fd, data, size); }
void close_file(int fd) { ::close(fd); }

#endif

}  // namespace

ReadStatus read_file(const std::filesystem::path& path, std::size_t max_bytes, std::string& bytes) {
  bytes.clear();
  const int fd = open_for_reading(path);
  if (fd < 0) return ReadStatus::CannotOpen;
  if (!is_regular(fd)) {
    close_file(fd);
    return ReadStatus::NotAFile;
  }
  bytes.resize(max_bytes);
  std::size_t done = 0;
  while (done < max_bytes) {
    const long long n = read_some(fd, bytes.data() + done, max_bytes - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close_file(fd);
      bytes.clear();
      return ReadStatus::ReadFailed;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  close_file(fd);
  bytes.resize(done);
  return ReadStatus::Ok;
}

}  // namespace quintora::base
