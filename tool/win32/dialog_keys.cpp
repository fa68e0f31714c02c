#include "tool/win32/dialog_keys.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kNotesSubclass = 1;

LRESULT CALLBACK NotesProcedure(HWND notes, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(notes, NotesProcedure, kNotesSubclass);
  const LRESULT result = DefSubclassProc(notes, message, wParam, lParam);
  if (message == WM_GETDLGCODE) return result & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  return result;
}

bool IsPushButton(HWND control) {
  return (SendMessageW(control, WM_GETDLGCODE, 0, 0) &
          (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void SetDefaultFrame(HWND button, bool isDefault) {
  const bool drawn = (SendMessageW(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
  if (drawn == isDefault) return;
  SendMessageW(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

}  // namespace

void LeaveDialogKeysToDialog(HWND notes) {
  SetWindowSubclass(notes, NotesProcedure, kNotesSubclass, 0);
}

void ShowDefaultButton(HWND window, HWND focus, HWND defaultButton) {
  if (focus == nullptr || !IsChild(window, focus)) return;
  const HWND framed = IsPushButton(focus) ? focus : defaultButton;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsPushButton(child)) SetDefaultFrame(child, child == framed);
  }
}
