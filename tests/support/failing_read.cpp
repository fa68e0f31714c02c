// A read() that fails part-way through one named file, for tests of what the
// program does with a read error. Preloaded into a process (LD_PRELOAD), or
// linked into a test, it stands in for the C library's read(): while the
// environment holds T408_FAIL_READ=<file name>:<offset>, a read of a file of
// that name gets the bytes before the offset, and every read that starts at or
// after it fails with EIO, as a failing disk or network share does. Without
// the variable every read goes through unchanged.

#include <errno.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// The name of the file `fd` reads, without its folder; empty when it has none.
std::string FileNameOf(int fd) {
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  char path[4096];
  const ssize_t n = readlink(link, path, sizeof path - 1);
  if (n <= 0) return std::string();
  const std::string_view full(path, static_cast<std::size_t>(n));
  const std::size_t slash = full.rfind('/');
  return std::string(slash == std::string_view::npos ? full : full.substr(slash + 1));
}

}  // namespace

extern "C" ssize_t read(int fd, void* buffer, size_t count) {
  const char* setting = std::getenv("T408_FAIL_READ");
  const char* colon = setting != nullptr ? std::strrchr(setting, ':') : nullptr;
  if (colon != nullptr &&
      FileNameOf(fd) == std::string_view(setting, static_cast<std::size_t>(colon - setting))) {
    const off_t failAt = std::strtoll(colon + 1, nullptr, 10);
    const off_t position = lseek(fd, 0, SEEK_CUR);
    if (position >= failAt) {
      errno = EIO;
      return -1;
    }
    if (static_cast<off_t>(count) > failAt - position) {
      count = static_cast<size_t>(failAt - position);
    }
  }
  return syscall(SYS_read, fd, buffer, count);
}
