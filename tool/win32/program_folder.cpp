#include "tool/win32/program_folder.h"

#include <windows.h>

#include <string>

std::filesystem::path RunningProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A path that filled the buffer may have been cut short: try a larger one.
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path);
    }
    path.resize(path.size() * 2);
  }
}

std::filesystem::path RunningProgramFolder() { return RunningProgramPath().parent_path(); }
