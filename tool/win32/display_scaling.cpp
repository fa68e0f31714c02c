#include "tool/win32/display_scaling.h"

namespace {

template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (handle == nullptr) {
    // Only from the system folder: the program's folder is Jw_cad's, where
    // anybody may have put a DLL of that name.
    handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  if (handle == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

// The one resolution of systems that have no other.
int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto* areas = reinterpret_cast<std::vector<ScreenRect>*>(list);
  const ScreenRect area{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    areas->insert(areas->begin(), area);
  } else {
    areas->push_back(area);
  }
  return TRUE;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int PrimaryMonitorDpi() {
  using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForMonitor =
      SystemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the user's scaling
  UINT x = 0, y = 0;
  if (getDpiForMonitor != nullptr &&
      SUCCEEDED(getDpiForMonitor(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                                 kEffectiveDpi, &x, &y)) &&
      y > 0) {
    return static_cast<int>(y);
  }
  return ScreenDpi();
}

std::vector<ScreenRect> MonitorWorkAreas() {
  std::vector<ScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

SIZE FrameSize(DWORD style, DWORD exStyle, SIZE client, int dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi =
      SystemFunction<AdjustForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
  RECT frame{0, 0, client.cx, client.cy};
  if (adjustForDpi == nullptr ||
      !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    frame = RECT{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

int CaptionBarHeight(HWND window) {
  RECT outer;
  POINT clientTop{0, 0};
  if (!GetWindowRect(window, &outer) || !ClientToScreen(window, &clientTop)) return 0;
  return clientTop.y - outer.top;
}

HICON LoadProgramIcon(HINSTANCE instance, bool small, int dpi) {
  using MetricsForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto metricsForDpi =
      SystemFunction<MetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
  const int metric = small ? SM_CXSMICON : SM_CXICON;
  int size = metricsForDpi != nullptr ? metricsForDpi(metric, static_cast<UINT>(dpi)) : 0;
  if (size <= 0) size = GetSystemMetrics(metric);
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
