#pragma once
// The few file operations whose guarantees only the operating system gives:
// creating a file that no other run can have created, flushing it to the disk,
// putting one file in the place of another in one step, and telling why any
// of it failed. One implementation per system, chosen at build time:
// host/file_primitives_posix.cpp natively, tool/win32/file_primitives_win32.cpp
// for Windows. host/durable_file.h builds the safe replacement on them.

#include <filesystem>
#include <string_view>

#include "host/file_failure.h"

// Creates `path`, which must not exist, holding `bytes` flushed to the disk.
// NameTaken when something has that name already; on any other failure
// nothing is left at `path`. The new file takes the permissions of
// `permissionsFrom` when that file exists.
FileFailure CreateFileDurably(const std::filesystem::path& path, std::string_view bytes,
                              const std::filesystem::path& permissionsFrom);

// Puts the file `source` in the place of `target` in one step, so that a
// reader sees either the old file or the new one whole, and makes the change
// durable. One attempt: InUse when another program holds `target` open in a
// way that forbids replacing it.
FileFailure MoveFileOver(const std::filesystem::path& source, const std::filesystem::path& target);

// ReadOnly when `target` exists and is marked read-only (for this user);
// None when it may be written over or does not exist.
FileFailure CheckWritable(const std::filesystem::path& target);

// Writes `bytes` over the existing file `path` where it stands, truncating
// it, flushed to the disk. Not atomic: for folders that take no new file.
FileFailure OverwriteFileDurably(const std::filesystem::path& path, std::string_view bytes);
