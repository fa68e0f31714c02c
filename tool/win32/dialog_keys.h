#pragma once
// The keys of a dialog box in a window that is not one: the message loop
// hands keys to IsDialogMessage, and these two fill the gaps it leaves.

#include <windows.h>

// A read-only multi-line text asks for every key (Tab, Enter, Esc) and would
// keep the keyboard once clicked into. After this call it keeps only the
// arrow keys, for scrolling; Tab moves on, Enter is OK and Esc is Cancel.
void LeaveDialogKeysToDialog(HWND notes);

// Draws the default frame on the push button that has the keyboard, and on
// `defaultButton` when any other control has it, as a dialog box does.
// Buttons already drawn right are left alone.
void ShowDefaultButton(HWND window, HWND focus, HWND defaultButton);
