#pragma once
// The messages for a file that could not be read or saved: they name the file
// and the reason in words a drafter can act on, then say what did not happen,
// e.g. "t407.dat を保存出来ませんでした（他のプログラムが使用中です）。寸法は追加していません。"

#include <string>
#include <string_view>

#include "host/file_failure.h"

enum class FileAction { Read, Save };

// The reason as the message gives it (Shift-JIS).
std::string_view FailureReason(FileFailure failure, FileAction action);

// `fileName` could not be read or saved for `failure`; `consequence` follows
// (kNothingAdded, kReferenceNotTaken, or empty).
std::string FileMessage(std::string_view fileName, FileAction action, FileFailure failure,
                        std::string_view consequence);
