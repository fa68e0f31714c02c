// t408q.exe: the quick pass for Windows. No window at all: it repeats the
// last dimension's settings from t407.dat on the point Jw_cad passed, in the
// folder that holds the program. A refusal reaches the user through the "he"
// line Jw_cad shows; the exit code is the pass's result.

#include <windows.h>

#include <filesystem>
#include <string>

#include "tool/quick_pass.h"

namespace {
std::filesystem::path ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return RunQuickPass(ProgramFolder(), nullptr);
}
