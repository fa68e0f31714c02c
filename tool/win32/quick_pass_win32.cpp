// t408q.exe: the quick pass for Windows. No window at all: it repeats the
// last dimension's settings from t407.dat on the point Jw_cad passed, in the
// folder that holds the program. A refusal reaches the user through the "he"
// line Jw_cad shows; the exit code is the pass's result.

#include <windows.h>

#include "tool/quick_pass.h"
#include "tool/win32/program_folder.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return RunQuickPass(RunningProgramFolder(), nullptr);
}
