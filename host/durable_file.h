#pragma once
// Replacing a file so that, whatever happens, it holds either its old content
// or the new one whole: never a half-written file, and never none.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "host/file_failure.h"

// How long a replacement waits, in all, for another program to let go of the
// file (a virus scanner or a backup program holds a file for a moment).
inline constexpr std::chrono::milliseconds kInUseWaitBudget{1000};

// Runs `attempt` until it gives anything but InUse, waiting between attempts
// with `wait`: 10 ms first, twice as long each time after, until the waits
// reach kInUseWaitBudget. Then the last InUse stands.
FileFailure RetryWhileInUse(const std::function<FileFailure()>& attempt,
                            const std::function<void(std::chrono::milliseconds)>& wait);

// A new content for a file, written whole beside it under a name no other
// run can take and flushed to the disk, waiting to take the file's place.
// Preparing is the slow part; putting in place is one rename, so two files
// prepared first and put in place one right after the other are left
// disagreeing only by a crash in the moment between the two renames. Pending
// content that is never put in place is removed with the object.
class PendingReplacement {
 public:
  PendingReplacement() = default;
  PendingReplacement(PendingReplacement&& other) noexcept;
  PendingReplacement& operator=(PendingReplacement&& other) noexcept;
  PendingReplacement(const PendingReplacement&) = delete;
  PendingReplacement& operator=(const PendingReplacement&) = delete;
  ~PendingReplacement();

  // Prepares `bytes` to replace `path` (which need not exist). First removes
  // the temporary files of `path` that killed runs left (RemoveStaleTemporaries).
  // A folder that takes no new file but whose `path` may be written gets the
  // content kept in memory instead, to be written over the file in place.
  // On failure nothing is pending and no temporary file is left.
  FileFailure Prepare(const std::filesystem::path& path, std::string_view bytes);

  // Puts the pending content in the place of the file, waiting out a program
  // that holds the file for a moment; in place, the file is written, read
  // back and put back as it was should that fail. On failure the file is as
  // it was. Either way nothing is pending afterwards. Natively the new name is
  // durable once FlushFolder (host/file_primitives.h) has flushed the folder.
  FileFailure PutInPlace();

  // Removes the pending content; the file stays as it is.
  void Discard();

  bool IsPending() const { return pending_; }
  const std::filesystem::path& Target() const { return target_; }

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty: written in place
  std::string inPlaceBytes_;
  bool pending_ = false;
};

// Replaces `path` with `bytes` whole or not at all: prepared, put in place and
// flushed in one go. On failure `path` is as it was and no temporary file is
// left.
FileFailure ReplaceFileDurably(const std::filesystem::path& path, std::string_view bytes);

// How long a temporary file must lie unchanged before a later run may take it
// for a leftover of a run that was killed.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

// Removes the temporary files beside `path` that no run will put in place any
// more: those older than kStaleTemporaryAge whose name gives a process that is
// no longer running. A temporary file of a run still going is never touched,
// nor is anything else by a name like theirs that is not a plain file.
void RemoveStaleTemporaries(const std::filesystem::path& path);

// The whole content of a file.
FileFailure ReadFileBytes(const std::filesystem::path& path, std::string& bytes);
