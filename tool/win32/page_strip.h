#pragma once
// The strip at the bottom of the dialog that shows the maker's page: a frame
// (ScrollBox1) clipping a larger panel (Panel1) that holds the browser control
// (WebBrowser1). Nothing in the dimension work depends on it.

#include <windows.h>

#include <string_view>

class PageStrip {
 public:
  // Creates the frame and the panel (its bounds inside the frame); the browser
  // (its bounds inside the panel) comes with the first Navigate.
  template <typename Bounds>
  void Create(HWND parent, HINSTANCE instance, const RECT& frame, const Bounds& panel,
              const Bounds& browser) {
    CreateFrame(parent, instance, frame, RECT{panel.X, panel.Y, panel.X + panel.Width,
                                              panel.Y + panel.Height},
                RECT{browser.X, browser.Y, browser.X + browser.Width, browser.Y + browser.Height});
  }
  HWND Frame() const { return frame_; }
  // Hosts the browser control in the panel, pointed at `address`. Returns at
  // once; the page loads by itself. Without atl.dll the strip stays empty.
  void Navigate(std::wstring_view address);

 private:
  void CreateFrame(HWND parent, HINSTANCE instance, const RECT& frame, const RECT& panel,
                   const RECT& browser);

  HWND frame_ = nullptr;
  HWND panel_ = nullptr;
  HWND browser_ = nullptr;
  HINSTANCE instance_ = nullptr;
  RECT browserBounds_{};
};
