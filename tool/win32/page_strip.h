#pragma once
// The strip at the bottom of the dialog that shows the maker's page: a frame
// (ScrollBox1) clipping a larger panel (Panel1) that holds the browser control
// (WebBrowser1). Nothing in the dimension work depends on it.
//
// The page is built into t408.exe as an HTML resource (t408_page.html.in), so
// the strip needs no network and shows nothing anybody else could change.

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

// The browser's address of the HTML resource `page` of the executable
// `module`: res://<path of the module>/<page>, with '%', '#' and blanks in the
// path percent-encoded.
std::wstring BuiltInPageAddress(const std::filesystem::path& module, std::wstring_view page);

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
