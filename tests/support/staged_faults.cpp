// Faults staged from outside the program, for tests of what it does with
// them. Preloaded into a process (LD_PRELOAD), or linked into a test, this
// stands in for the C library's read() and rename():
//   - while the environment holds T408_FAIL_READ=<file name>:<offset>, a read
//     of a file of that name gets the bytes before the offset, and every read
//     that starts at or after it fails with EIO, as a failing disk or network
//     share does;
//   - while it holds T408_KILL_AT=rename, the process is killed (SIGKILL) at
//     its first rename, before anything is renamed; with T408_KILL_AT=create:
//     <name start>, when it first creates a new file whose name starts so: a
//     crash, a power cut or the task manager at a chosen moment.
// Without the variables every call goes through unchanged.

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdarg>
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

extern "C" int rename(const char* from, const char* to) {
  const char* killAt = std::getenv("T408_KILL_AT");
  if (killAt != nullptr && std::string_view(killAt) == "rename") raise(SIGKILL);
  return static_cast<int>(syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to));
}

extern "C" int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & O_CREAT) != 0) {
    va_list arguments;
    va_start(arguments, flags);
    mode = static_cast<mode_t>(va_arg(arguments, int));
    va_end(arguments);
  }
  constexpr std::string_view kCreate = "create:";
  const char* killAt = std::getenv("T408_KILL_AT");
  if (killAt != nullptr && std::string_view(killAt).starts_with(kCreate) &&
      (flags & O_CREAT) != 0) {
    const std::string_view name = std::strrchr(path, '/') ? std::strrchr(path, '/') + 1 : path;
    if (name.starts_with(std::string_view(killAt).substr(kCreate.size()))) raise(SIGKILL);
  }
  return static_cast<int>(syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}
