// t408.exe: the dialog Jw_cad's users see. Its window procedure forwards each
// window message to one handler of TForm1; the message loop gives the window
// the keys of a dialog. Its one optional argument, /a (t408a.bat), opens it in
// the whole-row mode.
//
// Sections: start-up; the window procedure; the message loop.

#include <string>
#include <vector>

#include "tool/program_arguments.h"
#include "tool/ui_texts.h"
#include "tool/win32/application_window.h"
#include "tool/win32/dialog_keys.h"
#include "tool/win32/form1_window.h"
#include "tool/win32/sjis_edge.h"

// ---- Start-up

void Form1Window::StartUp() {
  form_.FormShow();
  startedUp_ = true;
  if (closeAfterStartUp_) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return;
  }
  // A refusal has shown its message and asked to close: the dialog is never seen.
  if (form_.StartRefused()) return;
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  // The first control in tab order has the keyboard, as in any dialog.
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
}

// ---- The window procedure

LRESULT CALLBACK Form1Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT Form1Window::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Build(window);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (code == BN_CLICKED && id == IDOK) {
        form_.Button1Click();
        return 0;
      }
      if (code == BN_CLICKED && id == IDCANCEL) {
        form_.Button2Click();
        return 0;
      }
      // A typed character, a list's new item, a check box or a radio button:
      // the strip shows what OK would now add.
      if (lParam != 0 && (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED)) {
        form_.ValuesChanged();
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      // A close request from outside before start-up has run (it reads the
      // files and finds the program's folder) waits for it: closing writes
      // the exchange file there.
      if (!startedUp_) {
        closeAfterStartUp_ = true;
        return 0;
      }
      // Every way of closing ends here: OK, Cancel, Esc, Alt+F4, the title
      // bar's button, the task bar and the refusals.
      form_.FormClose();
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_ACTIVATE:
      // A plain window forgets which control had the keyboard; keep it across
      // switching to other windows and the message boxes.
      if (LOWORD(wParam) == WA_INACTIVE) {
        savedFocus_ = GetFocus();
      } else if (savedFocus_ != nullptr && IsWindow(savedFocus_)) {
        SetFocus(savedFocus_);
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      // The dialog's minimise button minimises the application window, the
      // one with the task-bar button; that hides the dialog.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        if (HWND application = GetWindow(window, GW_OWNER)) {
          ShowWindow(application, SW_MINIMIZE);
          return 0;
        }
      }
      break;
    case WM_GETDPISCALEDSIZE:
      // Moving to a monitor of another scaling: the size the window will take
      // there, so that the place Windows suggests fits it.
      *reinterpret_cast<SIZE*>(lParam) = FrameSizeAt(LOWORD(wParam));
      return TRUE;
    case WM_DPICHANGED:
      FollowDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// ---- The message loop

void Form1Window::FollowFocus() {
  const HWND focus = GetFocus();
  if (focus == followedFocus_ || window_ == nullptr) return;
  followedFocus_ = focus;
  ShowDefaultButton(window_, focus, GetDlgItem(window_, IDOK));
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The run-time library has split the command line as the C convention
  // does; the core takes Shift-JIS text, like every other text it handles.
  std::vector<std::string> arguments;
  for (int i = 1; i < __argc; ++i) arguments.push_back(SjisFromWide(__wargv[i]));
  const std::optional<DimensionMode> mode = DialogModeOf(arguments);
  if (!mode) {
    // A mistyped batch file: nothing runs, and JWC_TEMP.TXT keeps Jw_cad's
    // own content, which Jw_cad reports as a pass that did not run.
    MessageBoxW(nullptr, WideFromSjis(kMessageUnknownDialogArguments).c_str(),
                WideFromSjis(kMessageCaption).c_str(), MB_OK | MB_ICONQUESTION);
    return 2;
  }

  ApplicationWindow application;
  const HWND owner =
      application.Create(instance, WideFromSjis(Form1Description().Window.ApplicationTitle));
  Form1Window form1(*mode);
  HWND window = form1.Create(instance, owner);
  if (window == nullptr) return 1;
  application.SetDialog(window);
  form1.StartUp();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Alt+F4 closes the dialog whichever control has the keyboard: a drop-down
    // list would otherwise pass it to its list (Wine does), where it is lost.
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4 && IsWindow(window) &&
        (msg.hwnd == window || IsChild(window, msg.hwnd))) {
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      continue;
    }
    // Enter, Esc, Tab, the arrow keys and the mnemonics work as in a dialog.
    if (!IsWindow(window) || !IsDialogMessageW(window, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (IsWindow(window)) form1.FollowFocus();
  }
  application.SetDialog(nullptr);
  return static_cast<int>(msg.wParam);
}
