// The file primitives on POSIX systems: open with O_EXCL, write, fsync the file
// and its folder, rename.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/file_primitives.h"

namespace {

FileFailure FromErrno(FileFailure otherwise) {
  return FailureOf(std::error_code(errno, std::generic_category()), otherwise);
}

// Writes every byte, however the system splits the write, and flushes the file
// to the disk; then closes it. The first failure is the one reported.
FileFailure WriteAllAndClose(int fd, std::string_view bytes) {
  FileFailure failure = FileFailure::None;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure = n < 0 ? FromErrno(FileFailure::WriteError) : FileFailure::WriteError;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (failure == FileFailure::None && fsync(fd) != 0) failure = FromErrno(FileFailure::WriteError);
  if (close(fd) != 0 && failure == FileFailure::None) failure = FromErrno(FileFailure::WriteError);
  return failure;
}

}  // namespace

FileFailure CreateFileDurably(const std::filesystem::path& path, std::string_view bytes,
                              const std::filesystem::path& permissionsFrom) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return FromErrno(FileFailure::WriteError);
  // The file that replaces another keeps its permissions: a t407.dat the
  // group may write stays so.
  struct stat old {};
  if (stat(permissionsFrom.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    fchmod(fd, old.st_mode & 07777);
  }
  const FileFailure failure = WriteAllAndClose(fd, bytes);
  if (failure != FileFailure::None) unlink(path.c_str());
  return failure;
}

FileFailure MoveFileOver(const std::filesystem::path& source, const std::filesystem::path& target) {
  if (rename(source.c_str(), target.c_str()) != 0) return FromErrno(FileFailure::WriteError);
  return FileFailure::None;
}

void FlushFolder(const std::filesystem::path& folder) {
  // A rename is durable only once the folder holding both names is flushed.
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

FileFailure CheckWritable(const std::filesystem::path& target) {
  if (access(target.c_str(), F_OK) != 0) return FileFailure::None;
  if (access(target.c_str(), W_OK) == 0) return FileFailure::None;
  // A file without write permission is what a read-only file is here: the
  // folder would let a rename replace it, but its owner said otherwise.
  return errno == EACCES ? FileFailure::ReadOnly : FromErrno(FileFailure::WriteError);
}

FileFailure OverwriteFileDurably(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return FromErrno(FileFailure::WriteError);
  return WriteAllAndClose(fd, bytes);
}

std::uint32_t CurrentProcessId() { return static_cast<std::uint32_t>(getpid()); }

bool ProcessIsRunning(std::uint32_t id) {
  if (id == 0 || id > static_cast<std::uint32_t>(INT32_MAX)) return false;
  // Signal 0 only asks: EPERM means the process is there but another user's.
  return kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}
