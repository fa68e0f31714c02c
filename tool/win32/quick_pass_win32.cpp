// t408q.exe: the quick pass for Windows. No window at all: in the folder that
// holds the program, it repeats the last dimension's settings from t407.dat
// on the point Jw_cad passed, or, by its argument, chains or takes a
// reference (tool/quick_pass_command.h). A refusal reaches the user through
// the "he" line Jw_cad shows; the exit code is the pass's result.

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tool/quick_pass_command.h"
#include "tool/win32/program_folder.h"
#include "tool/win32/sjis_edge.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The run-time library has split the command line as the C convention does;
  // the core takes Shift-JIS text, like every other text it handles.
  std::vector<std::string> arguments;
  for (int i = 1; i < __argc; ++i) arguments.push_back(SjisFromWide(__wargv[i]));
  return RunQuickPassCommand(RunningProgramFolder(), arguments, nullptr);
}
