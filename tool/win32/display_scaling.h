#pragma once
// Display scaling at the Win32 edge: the resolution of a window and of the
// primary monitor, the monitors' work areas, and the frame and icon sizes at
// a resolution. Nothing here decides anything; tool/form_scaling.h and
// tool/window_position.h do.
//
// Windows 10 1607 and later answer per monitor. Older systems have one
// resolution for the whole screen, which each function falls back to; the
// newer functions are looked up at run time so that t408.exe still starts
// there.

#include <windows.h>

#include <vector>

#include "tool/window_position.h"

// The resolution Windows lays `window` out at: its monitor's, or the screen's.
int WindowDpi(HWND window);

// The resolution of the primary monitor.
int PrimaryMonitorDpi();

// The work area of every monitor (the screen without the task bar), the
// primary monitor's first.
std::vector<ScreenRect> MonitorWorkAreas();

// The outer size of a window of `style` with a client area of `client` at `dpi`.
SIZE FrameSize(DWORD style, DWORD exStyle, SIZE client, int dpi);

// From the top of `window` to the top of its client area: frame and caption bar.
int CaptionBarHeight(HWND window);

// The program's icon at the size Windows asks for at `dpi`: the small one of
// the caption bar, or the large one of the task bar and Alt+Tab. The caller
// destroys it.
HICON LoadProgramIcon(HINSTANCE instance, bool small, int dpi);
