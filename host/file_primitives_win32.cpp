// The file primitives on Windows: CreateFileW with CREATE_NEW, WriteFile,
// FlushFileBuffers, MoveFileExW with write-through. Windows refuses to replace
// a file another program holds open without delete sharing (a virus scanner,
// a backup program) or one marked read-only; the errors say which.

#include <windows.h>

#include <algorithm>

#include "host/file_primitives.h"

namespace {

FileFailure FailureOfError(DWORD error, FileFailure otherwise) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return FileFailure::Missing;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileFailure::NameTaken;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return FileFailure::InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
      return FileFailure::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_PRIVILEGE_NOT_HELD:
      return FileFailure::NoPermission;
    default:
      return otherwise;
  }
}

// Access denied on a replacement means one of three things: the file is
// marked read-only, another program holds it without delete sharing (some
// systems say so instead of a sharing violation), or the folder is closed to
// this user.
FileFailure WhyReplacementWasDenied(const std::filesystem::path& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return FileFailure::ReadOnly;
  }
  HANDLE probe =
      CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_SHARING_VIOLATION ? FileFailure::InUse
                                                     : FileFailure::NoPermission;
  }
  CloseHandle(probe);
  return FileFailure::NoPermission;
}

// Writes every byte and flushes the file to the disk; then closes it. The
// first failure is the one reported.
FileFailure WriteAllAndClose(HANDLE file, std::string_view bytes) {
  FileFailure failure = FileFailure::None;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      failure = FailureOfError(GetLastError(), FileFailure::WriteError);
      break;
    }
    done += written;
  }
  if (failure == FileFailure::None && !FlushFileBuffers(file)) {
    failure = FailureOfError(GetLastError(), FileFailure::WriteError);
  }
  if (!CloseHandle(file) && failure == FileFailure::None) failure = FileFailure::WriteError;
  return failure;
}

}  // namespace

FileFailure CreateFileDurably(const std::filesystem::path& path, std::string_view bytes,
                              const std::filesystem::path&) {
  // No sharing while it is written: nobody reads a half-written file.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return FailureOfError(GetLastError(), FileFailure::WriteError);
  }
  const FileFailure failure = WriteAllAndClose(file, bytes);
  if (failure != FileFailure::None) DeleteFileW(path.c_str());
  return failure;
}

FileFailure MoveFileOver(const std::filesystem::path& source, const std::filesystem::path& target) {
  if (MoveFileExW(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return FileFailure::None;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_ACCESS_DENIED) return WhyReplacementWasDenied(target);
  return FailureOfError(error, FileFailure::WriteError);
}

void FlushFolder(const std::filesystem::path&) {}

FileFailure CheckWritable(const std::filesystem::path& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return FileFailure::None;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileFailure::NotAFile;
  return (attributes & FILE_ATTRIBUTE_READONLY) ? FileFailure::ReadOnly : FileFailure::None;
}

FileFailure OverwriteFileDurably(const std::filesystem::path& path, std::string_view bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return FailureOfError(GetLastError(), FileFailure::WriteError);
  }
  return WriteAllAndClose(file, bytes);
}

std::uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

bool ProcessIsRunning(std::uint32_t id) {
  if (id == 0) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  // Denied: a process is there, but not ours to look at.
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  CloseHandle(process);
  return running;
}
