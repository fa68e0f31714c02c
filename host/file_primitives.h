#pragma once
// The few file operations whose guarantees only the operating system gives:
// creating a file that no other run can have created, flushing it to the disk,
// putting one file in the place of another in one step, and telling why any
// of it failed; and whether the process that named a temporary file still
// runs. One implementation per system, chosen at build time:
// host/file_primitives_posix.cpp natively, host/file_primitives_win32.cpp for
// Windows. host/durable_file.h builds the safe replacement on them.

#include <cstdint>
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
// reader sees either the old file or the new one whole. One attempt: InUse
// when another program holds `target` open in a way that forbids replacing
// it. On Windows the move is durable when this returns; natively it is once
// FlushFolder has flushed the folder.
FileFailure MoveFileOver(const std::filesystem::path& source, const std::filesystem::path& target);

// Makes the names changed in `folder` durable (nothing to do on Windows,
// whose moves are written through). A folder the system cannot flush is left
// as it is: the moves themselves have happened.
void FlushFolder(const std::filesystem::path& folder);

// ReadOnly when `target` exists and is marked read-only (for this user);
// None when it may be written over or does not exist.
FileFailure CheckWritable(const std::filesystem::path& target);

// Writes `bytes` over the existing file `path` where it stands, truncating
// it, flushed to the disk. Not atomic: for folders that take no new file.
FileFailure OverwriteFileDurably(const std::filesystem::path& path, std::string_view bytes);

// This process's identifier, as ProcessIsRunning takes it.
std::uint32_t CurrentProcessId();

// Whether a process of identifier `id` is running (one this user may not look
// at counts as running).
bool ProcessIsRunning(std::uint32_t id);
