#include "tool/win32/application_window.h"

#include "tool/win32/display_scaling.h"

namespace {

constexpr wchar_t kApplicationClass[] = L"T408Application";
// A caption, a system menu and a minimise box: the task bar minimises only
// windows that have one, and shows their system menu on the button.
constexpr DWORD kApplicationStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

HICON LoadAppIcon(HINSTANCE instance, int size) {
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Wine's ntdll exports its version; Windows' never does.
bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Where the window stands. On Windows: above and left of every screen, where
// nothing of it is drawn, and the task bar lists it all the same. Wine's X11
// driver maps no window that lies wholly off the screen, so a Linux desktop's
// task bar would list nothing for the program (the dialog, an owned window,
// is kept off it); a window of no size on the screen it does map, with an
// empty shape: listed, and still never seen.
POINT ApplicationWindowPlace() {
  if (RunningUnderWine()) return POINT{0, 0};  // the primary monitor's top-left corner
  return POINT{GetSystemMetrics(SM_XVIRTUALSCREEN) - 100,
               GetSystemMetrics(SM_YVIRTUALSCREEN) - 100};
}

}  // namespace

ApplicationWindow::~ApplicationWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
  if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
}

HWND ApplicationWindow::Create(HINSTANCE instance, const std::wstring& title) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hIcon = LoadAppIcon(instance, 32);
  wc.hIconSm = LoadAppIcon(instance, 16);
  wc.lpszClassName = kApplicationClass;
  RegisterClassExW(&wc);
  // No size: nothing of it is ever drawn.
  const POINT place = ApplicationWindowPlace();
  window_ = CreateWindowExW(0, kApplicationClass, title.c_str(), kApplicationStyle, place.x,
                            place.y, 0, 0, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return nullptr;
  const int dpi = WindowDpi(window_);
  smallIcon_ = LoadProgramIcon(instance, true, dpi);
  bigIcon_ = LoadProgramIcon(instance, false, dpi);
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  ShowWindow(window_, SW_SHOWNORMAL);
  return window_;
}

LRESULT CALLBACK ApplicationWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<ApplicationWindow*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ApplicationWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

HWND ApplicationWindow::ActivationTarget() const {
  if (dialog_ == nullptr) return nullptr;
  if (HWND box = GetWindow(dialog_, GW_ENABLEDPOPUP)) return box;
  if (IsWindowVisible(dialog_) && IsWindowEnabled(dialog_)) return dialog_;
  return nullptr;
}

LRESULT ApplicationWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(window_)) {
        if (HWND target = ActivationTarget()) {
          SetActiveWindow(target);
          return 0;
        }
      }
      break;
    case WM_SIZE:
      if (dialog_ == nullptr) break;
      if (wParam == SIZE_MINIMIZED && IsWindowVisible(dialog_)) {
        ShowWindow(dialog_, SW_HIDE);
        dialogHidden_ = true;
      } else if (wParam == SIZE_RESTORED && dialogHidden_) {
        dialogHidden_ = false;
        ShowWindow(dialog_, SW_SHOW);
      }
      break;
    case WM_CLOSE:
      // Closing from the task bar closes the dialog, which writes the exchange
      // file for Jw_cad; this window goes when the dialog has gone.
      if (dialog_ != nullptr) PostMessageW(dialog_, WM_CLOSE, 0, 0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}
