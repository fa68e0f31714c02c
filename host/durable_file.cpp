#include "host/durable_file.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <thread>

#include "host/file_primitives.h"

namespace {

// Beside the target, so that the final step never crosses file systems, and
// under a name of its own for every attempt: a stale one left by a killed run
// (or anything else by that name) is never written into, never blocks, and is
// never taken for the file itself.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path) {
  static std::atomic<std::uint64_t> counter{0};
  static const std::uint64_t seed = [] {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
  }();
  const std::uint64_t tick =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  const std::uint64_t unique = seed ^ (tick * 0x9E3779B97F4A7C15u) ^ ++counter;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(unique));
  std::filesystem::path temp = path;
  temp += suffix;
  return temp;
}

// Enough fresh names to get past any number of leftovers a folder may hold.
constexpr int kTemporaryNameAttempts = 16;

void SleepFor(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec));
}

// The folder takes no new file, so `path` is written where it stands: whole,
// flushed, and read back. Anything short of that puts the old bytes back.
FileFailure OverwriteInPlace(const std::filesystem::path& path, std::string_view bytes) {
  std::string old;
  if (const FileFailure read = ReadFileBytes(path, old); read != FileFailure::None) return read;
  FileFailure failure =
      RetryWhileInUse([&] { return OverwriteFileDurably(path, bytes); }, SleepFor);
  if (failure == FileFailure::None) {
    std::string written;
    failure = ReadFileBytes(path, written);
    if (failure == FileFailure::None && written != bytes) failure = FileFailure::WriteError;
  }
  if (failure != FileFailure::None) OverwriteFileDurably(path, old);
  return failure;
}

}  // namespace

FileFailure RetryWhileInUse(const std::function<FileFailure()>& attempt,
                            const std::function<void(std::chrono::milliseconds)>& wait) {
  std::chrono::milliseconds waited{0};
  std::chrono::milliseconds next{10};
  for (;;) {
    const FileFailure failure = attempt();
    if (failure != FileFailure::InUse || waited >= kInUseWaitBudget) return failure;
    const std::chrono::milliseconds pause = std::min(next, kInUseWaitBudget - waited);
    wait(pause);
    waited += pause;
    next *= 2;
  }
}

FileFailure ReplaceFileDurably(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code ec;
  const bool exists = std::filesystem::exists(std::filesystem::symlink_status(path, ec));
  // A folder (or anything but a plain file) by that name is not ours to replace.
  if (exists && !IsRegularFile(path)) return FileFailure::NotAFile;
  if (const FileFailure writable = CheckWritable(path); writable != FileFailure::None) {
    return writable;
  }

  std::filesystem::path temp;
  FileFailure created = FileFailure::NameTaken;
  for (int i = 0; i < kTemporaryNameAttempts && created == FileFailure::NameTaken; ++i) {
    temp = TemporaryPathFor(path);
    created = CreateFileDurably(temp, bytes, path);
  }
  if (created == FileFailure::NoPermission && exists) return OverwriteInPlace(path, bytes);
  if (created != FileFailure::None) return created;

  const FileFailure moved = RetryWhileInUse([&] { return MoveFileOver(temp, path); }, SleepFor);
  if (moved == FileFailure::None) return FileFailure::None;
  std::filesystem::remove(temp, ec);
  // A folder that lets files be created but not replaced (one where only the
  // owner of a file may rename it) still lets the file itself be written.
  if (moved == FileFailure::NoPermission && exists) return OverwriteInPlace(path, bytes);
  return moved;
}

FileFailure ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
  bytes.clear();
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return FileFailure::Missing;
  if (!std::filesystem::is_regular_file(status)) return FileFailure::NotAFile;
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    return FailureOf(std::error_code(errno, std::generic_category()), FileFailure::ReadError);
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    bytes.clear();
    return FileFailure::ReadError;
  }
  return FileFailure::None;
}
