#pragma once
// Why a file could not be read or written, in the terms a drafter can act on:
// the messages name the file and one of these reasons.

#include <system_error>

enum class FileFailure {
  None,
  Missing,       // nothing has that name
  NameTaken,     // creating: something already has the name
  NotAFile,      // a folder (or anything but a plain file) has the name
  InUse,         // another program holds the file open (a virus scanner, a backup)
  ReadOnly,      // the file is marked read-only
  DiskFull,      // no room left on the disk, or the file would pass the size allowed
  NoPermission,  // this user may not read the file, or may not write in its folder
  ReadError,     // reading stopped part-way
  WriteError,    // writing or flushing failed otherwise, or the file read back differs
};

// The failure an error code of the C library or of std::filesystem stands
// for; `otherwise` for codes that name no reason of their own.
FileFailure FailureOf(std::error_code error, FileFailure otherwise);
