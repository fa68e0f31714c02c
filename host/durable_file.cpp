#include "host/durable_file.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

#include "host/file_primitives.h"

namespace {

// The temporary files of a target are named "<name>.<16 hex digits>.tmp": the
// first eight digits are the process that made it, the last eight make the
// name its own.
constexpr std::size_t kTemporaryDigits = 16;
constexpr std::string_view kTemporarySuffix = ".tmp";

// Beside the target, so that putting it in place never crosses file systems,
// and under a name of its own for every attempt: a stale one left by a killed
// run (or anything else by that name) is never written into, never blocks,
// and is never taken for the file itself.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path) {
  static std::atomic<std::uint32_t> counter{0};
  static const std::uint32_t seed = [] {
    std::random_device device;
    return static_cast<std::uint32_t>(device());
  }();
  const auto tick =
      static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  const std::uint32_t unique = seed ^ (tick * 0x9E3779B9u) ^ ++counter;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", CurrentProcessId(), unique);
  std::filesystem::path temp = path;
  temp += suffix;
  return temp;
}

// The process named by a temporary file's name, or nothing when `name` is no
// temporary file of `target`.
std::optional<std::uint32_t> TemporaryFileProcess(std::string_view name, std::string_view target) {
  if (name.size() != target.size() + 1 + kTemporaryDigits + kTemporarySuffix.size() ||
      !name.starts_with(target) || name[target.size()] != '.' ||
      !name.ends_with(kTemporarySuffix)) {
    return std::nullopt;
  }
  const std::string_view digits = name.substr(target.size() + 1, kTemporaryDigits);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(c) != 0; })) {
    return std::nullopt;
  }
  std::uint32_t process = 0;
  std::from_chars(digits.data(), digits.data() + 8, process, 16);
  return process;
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

PendingReplacement::PendingReplacement(PendingReplacement&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      inPlaceBytes_(std::move(other.inPlaceBytes_)),
      pending_(std::exchange(other.pending_, false)) {}

PendingReplacement& PendingReplacement::operator=(PendingReplacement&& other) noexcept {
  if (this != &other) {
    Discard();
    target_ = std::move(other.target_);
    temporary_ = std::move(other.temporary_);
    inPlaceBytes_ = std::move(other.inPlaceBytes_);
    pending_ = std::exchange(other.pending_, false);
  }
  return *this;
}

PendingReplacement::~PendingReplacement() { Discard(); }

FileFailure PendingReplacement::Prepare(const std::filesystem::path& path, std::string_view bytes) {
  Discard();
  std::error_code ec;
  const bool exists = std::filesystem::exists(std::filesystem::symlink_status(path, ec));
  // A folder (or anything but a plain file) by that name is not ours to replace.
  if (exists && !IsRegularFile(path)) return FileFailure::NotAFile;
  if (const FileFailure writable = CheckWritable(path); writable != FileFailure::None) {
    return writable;
  }
  RemoveStaleTemporaries(path);

  target_ = path;
  FileFailure created = FileFailure::NameTaken;
  for (int i = 0; i < kTemporaryNameAttempts && created == FileFailure::NameTaken; ++i) {
    temporary_ = TemporaryPathFor(path);
    created = CreateFileDurably(temporary_, bytes, path);
  }
  if (created == FileFailure::NoPermission && exists) {
    // Written where it stands when the time comes; nothing to prepare on the disk.
    temporary_.clear();
    inPlaceBytes_ = std::string(bytes);
    created = FileFailure::None;
  }
  pending_ = created == FileFailure::None;
  return created;
}

FileFailure PendingReplacement::PutInPlace() {
  if (!pending_) return FileFailure::None;
  pending_ = false;
  if (temporary_.empty()) return OverwriteInPlace(target_, std::exchange(inPlaceBytes_, {}));
  const FileFailure moved =
      RetryWhileInUse([&] { return MoveFileOver(temporary_, target_); }, SleepFor);
  if (moved == FileFailure::None) return FileFailure::None;
  // A folder that lets files be created but not replaced (one where only the
  // owner of a file may rename it) still lets the file itself be written.
  std::string bytes;
  const bool inPlace = moved == FileFailure::NoPermission && IsRegularFile(target_) &&
                       ReadFileBytes(temporary_, bytes) == FileFailure::None;
  std::error_code ec;
  std::filesystem::remove(temporary_, ec);
  return inPlace ? OverwriteInPlace(target_, bytes) : moved;
}

void PendingReplacement::Discard() {
  if (!pending_) return;
  pending_ = false;
  inPlaceBytes_.clear();
  std::error_code ec;
  if (!temporary_.empty()) std::filesystem::remove(temporary_, ec);
}

FileFailure ReplaceFileDurably(const std::filesystem::path& path, std::string_view bytes) {
  PendingReplacement replacement;
  if (const FileFailure prepared = replacement.Prepare(path, bytes);
      prepared != FileFailure::None) {
    return prepared;
  }
  const FileFailure placed = replacement.PutInPlace();
  if (placed == FileFailure::None) FlushFolder(path.parent_path());
  return placed;
}

void RemoveStaleTemporaries(const std::filesystem::path& path) {
  const std::string target = path.filename().string();
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  std::error_code ec;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::optional<std::uint32_t> process =
        TemporaryFileProcess(it->path().filename().string(), target);
    if (!process || !IsRegularFile(it->path())) continue;
    std::error_code timeError;
    const auto written = std::filesystem::last_write_time(it->path(), timeError);
    if (timeError || now - written < kStaleTemporaryAge || ProcessIsRunning(*process)) continue;
    std::error_code removeError;
    std::filesystem::remove(it->path(), removeError);
  }
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
