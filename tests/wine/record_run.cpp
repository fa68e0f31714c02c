// Stands in for t408.exe and t408q.exe when scripts/wine/batch-file-cases.sh
// runs the batch files through cmd: it appends one line to ran.txt beside
// itself, its own file name and each argument it was given, separated by
// single blanks, and ends with exit status 7, so that the test sees which
// program a batch file started, with what, and that cmd ended with it.

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return 1;
  const std::wstring self(path, length);
  const size_t name = self.find_last_of(L"\\/") + 1;
  std::wstring line = self.substr(name);
  for (int i = 1; i < argc; ++i) line += L" " + std::wstring(argv[i]);
  line += L"\n";
  char utf8[4096];
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                        utf8, sizeof utf8, nullptr, nullptr);
  FILE* log = _wfopen((self.substr(0, name) + L"ran.txt").c_str(), L"ab");
  if (log == nullptr || bytes == 0) return 1;
  std::fwrite(utf8, 1, static_cast<size_t>(bytes), log);
  std::fclose(log);
  return 7;
}
