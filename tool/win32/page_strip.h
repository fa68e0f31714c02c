#pragma once
// The strip at the bottom of the dialog that shows the maker's page: a frame
// (ScrollBox1) clipping a larger panel (Panel1) that holds the browser control
// (WebBrowser1). Nothing in the dimension work depends on it.

#include <windows.h>

#include <string_view>

class PageStrip {
 public:
  // Creates the frame (in the parent's client), and the panel inside it; the
  // browser, at `browser` inside the panel, comes with the first Navigate.
  void Create(HWND parent, HINSTANCE instance, const RECT& frame, const RECT& panel,
              const RECT& browser);
  HWND Frame() const { return frame_; }
  // Hosts the browser control in the panel, pointed at `address`. Returns at
  // once; the page loads by itself. Without atl.dll the strip stays empty.
  void Navigate(std::wstring_view address);

 private:
  HWND frame_ = nullptr;
  HWND panel_ = nullptr;
  HWND browser_ = nullptr;
  HINSTANCE instance_ = nullptr;
  RECT browserBounds_{};
};
