#include "host/file_failure.h"

FileFailure FailureOf(std::error_code error, FileFailure otherwise) {
  if (!error) return FileFailure::None;
  const std::error_condition c = error.default_error_condition();
  if (c == std::errc::no_such_file_or_directory || c == std::errc::not_a_directory) {
    return FileFailure::Missing;
  }
  if (c == std::errc::file_exists) return FileFailure::NameTaken;
  if (c == std::errc::is_a_directory) return FileFailure::NotAFile;
  if (c == std::errc::device_or_resource_busy || c == std::errc::text_file_busy) {
    return FileFailure::InUse;
  }
  if (c == std::errc::no_space_on_device || c == std::errc::file_too_large) {
    return FileFailure::DiskFull;
  }
  // A read-only file system, like a folder closed to this user, takes no new
  // file: either way the folder may not be written.
  if (c == std::errc::permission_denied || c == std::errc::operation_not_permitted ||
      c == std::errc::read_only_file_system) {
    return FileFailure::NoPermission;
  }
  return otherwise;
}
