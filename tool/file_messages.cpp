#include "tool/file_messages.h"

#include "tool/ui_texts.h"

std::string_view FailureReason(FileFailure failure, FileAction action) {
  switch (failure) {
    case FileFailure::InUse:
      return kReasonInUse;
    case FileFailure::ReadOnly:
      return kReasonReadOnly;
    case FileFailure::DiskFull:
      return kReasonDiskFull;
    case FileFailure::NoPermission:
      return action == FileAction::Read ? kReasonNoReadPermission : kReasonNoWritePermission;
    case FileFailure::NotAFile:
      return kReasonNotAFile;
    case FileFailure::Missing:
      return kReasonMissing;
    case FileFailure::ReadError:
      return kReasonReadError;
    case FileFailure::None:
    case FileFailure::NameTaken:
    case FileFailure::WriteError:
      break;
  }
  return action == FileAction::Read ? kReasonReadError : kReasonWriteError;
}

std::string FileMessage(std::string_view fileName, FileAction action, FileFailure failure,
                        std::string_view consequence) {
  std::string message(fileName);
  message += ' ';
  message += action == FileAction::Read ? kFileNotRead : kFileNotSaved;
  message += FailureReason(failure, action);
  message += kFileReasonClose;
  message += consequence;
  return message;
}
