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

// Writes `bytes` into a new temporary file beside `path`, flushed to the disk,
// and puts it in the place of `path` in one step (waiting out a program that
// holds the file for a moment). A folder that takes no new file but whose
// `path` may be written gets the file rewritten where it stands, read back to
// check it, and put back as it was should that fail. On failure `path` is as
// it was and no temporary file is left.
FileFailure ReplaceFileDurably(const std::filesystem::path& path, std::string_view bytes);

// The whole content of a file.
FileFailure ReadFileBytes(const std::filesystem::path& path, std::string& bytes);
