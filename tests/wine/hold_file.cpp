// Holds a file open as a virus scanner or a backup program does: reading and
// writing shared with others, deleting and renaming not. Used by
// scripts/wine/file-lock-cases.sh to see how t408 meets such a file.
//
//   hold_file.exe FILE MILLISECONDS READY-FILE
//
// Once FILE is open it creates READY-FILE, holds FILE for MILLISECONDS, then
// closes it. Exit status 0, or 1 when FILE could not be opened.

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  HANDLE held = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 1;
  HANDLE ready = CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
  CloseHandle(held);
  return 0;
}
