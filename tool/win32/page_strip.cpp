#include "tool/win32/page_strip.h"

#include <ole2.h>

#include <string>

namespace {
using AtlAxWinInitFunction = BOOL(WINAPI*)();

bool RegisterBrowserHostClass() {
  static int state = 0;  // 0 not tried, 1 ready, -1 unavailable
  if (state != 0) return state == 1;
  state = -1;
  HMODULE atl = LoadLibraryW(L"atl.dll");
  if (atl == nullptr) return false;
  auto init = reinterpret_cast<AtlAxWinInitFunction>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
  if (init == nullptr) return false;
  // The browser control is a COM object living on this (the dialog's) thread.
  if (FAILED(OleInitialize(nullptr))) return false;
  if (!init()) return false;
  state = 1;
  return true;
}
}  // namespace

std::wstring BuiltInPageAddress(const std::filesystem::path& module, std::wstring_view page) {
  constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring address = L"res://";
  for (wchar_t c : module.wstring()) {
    // '%' would start an escape and '#' a fragment; a blank is written escaped.
    if (c == L'%' || c == L'#' || c == L' ') {
      address += L'%';
      address += kHex[c >> 4];
      address += kHex[c & 15];
    } else {
      address += c;
    }
  }
  address += L'/';
  address += page;
  return address;
}

// The panel sits at -3,-3 and is larger than the frame, so the frame shows its
// top-left part only, without the panel's edge and without scroll bars.
void PageStrip::Create(HWND parent, HINSTANCE instance, const RECT& frame, const RECT& panel,
                       const RECT& browser) {
  instance_ = instance;
  browserBounds_ = browser;
  frame_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           frame.left, frame.top, frame.right - frame.left,
                           frame.bottom - frame.top, parent, nullptr, instance, nullptr);
  panel_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           panel.left, panel.top, panel.right - panel.left,
                           panel.bottom - panel.top, frame_, nullptr,
                           instance, nullptr);
}

void PageStrip::Navigate(std::wstring_view address) {
  if (panel_ == nullptr || browser_ != nullptr) return;
  if (!RegisterBrowserHostClass()) return;
  const std::wstring text(address);
  // AtlAxWin creates the control its window text names; an address gives the
  // web browser, navigated to it. A failure leaves the strip empty.
  const RECT& b = browserBounds_;
  browser_ = CreateWindowExW(0, L"AtlAxWin", text.c_str(), WS_CHILD | WS_VISIBLE, b.left, b.top,
                             b.right - b.left, b.bottom - b.top, panel_, nullptr, instance_,
                             nullptr);
}
