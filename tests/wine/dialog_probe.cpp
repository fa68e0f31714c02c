// Looks at t408.exe's windows from outside, in the dialog's wineserver, for
// what only Windows can tell scripts/test-wine. Prints UTF-8 lines.
//   report               task-bar buttons, default button, what the strip says
//   minimise             minimises and restores from the button and the dialog
//   close-early EXE DIR  starts EXE in DIR; closes its window once it exists
//   layout DPI           the client size, and every control and label against
//                        the form laid out at DPI
//   dpi-change DPI       tells the dialog it moved to a monitor of DPI, as
//                        Windows does (WM_GETDPISCALEDSIZE, WM_DPICHANGED)
//   state                which control has the keyboard, its selection, the
//                        caret, and the texts of the edits
//   strip                what the preview strip says, how many of its pixels
//                        are black (the new dimension's colour) and dark
//                        (darker than mid-grey), how many grey levels it
//                        has (smoothing makes them) and a checksum of all
//                        of them
//   band                 what the grey band above the strip (LabelA1) says
//   memo                 Memo1's lines, whether it has a scroll bar, and the
//                        first line it shows once scrolled to the end (by
//                        SB_BOTTOM, as its scroll bar does), then back at
//                        the top
//   paste TEXT           puts TEXT on the clipboard and pastes it into the
//                        control that has the keyboard, as Ctrl+V would
//   boxes                how many message boxes (captioned 確認) are open

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "tool/form_scaling.h"

namespace {

void Say(const std::wstring& line) {
  static char utf8[8192];
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("%s\n", utf8);
  std::fflush(stdout);
}

std::wstring TextOf(HWND window) {
  wchar_t text[2048] = L"";
  DWORD_PTR ignored;
  SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, &ignored);
  return text;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

// Windows' rule: a visible window gets a task-bar button when it is marked
// WS_EX_APPWINDOW, or is owned by no window and is not a tool window.
std::vector<HWND> ButtonWindows(HWND dialog) {
  std::vector<HWND> all;
  EnumWindows(
      [](HWND w, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> buttons;
  for (HWND w : all) {
    const LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
    if (ProcessOf(w) == ProcessOf(dialog) && IsWindowVisible(w) &&
        ((ex & WS_EX_APPWINDOW) || (!GetWindow(w, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW)))) {
      buttons.push_back(w);
      Say(L"task-bar button: " + TextOf(w));
    }
  }
  return buttons;
}

HWND FindChild(HWND parent, const wchar_t* className) {
  std::pair<const wchar_t*, HWND> search{className, nullptr};
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(p);
        wchar_t name[32] = L"";
        GetClassNameW(w, name, 32);
        if (lstrcmpiW(name, s->first) == 0) s->second = w;
        return s->second == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

int Report(HWND dialog) {
  ButtonWindows(dialog);
  std::wstring line = L"default:";
  for (auto [id, name] : {std::pair{IDOK, L" OK"}, std::pair{IDCANCEL, L" Cancel"}}) {
    if (SendMessageW(GetDlgItem(dialog, id), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
      line += name;
  }
  Say(line);

  Say(L"strip: " + TextOf(FindChild(dialog, L"T408Preview")));
  return 0;
}

int Minimise(HWND dialog) {
  const std::vector<HWND> buttons = ButtonWindows(dialog);
  if (buttons.size() != 1) return 1;
  const HWND button = buttons[0];
  // What a click on the task-bar button sends, and the dialog's own minimise box.
  for (HWND target : {button, button, dialog, button}) {
    const bool minimise = !IsIconic(button);
    PostMessageW(target, WM_SYSCOMMAND, minimise ? SC_MINIMIZE : SC_RESTORE, 0);
    for (int i = 0;
         i < 200 && (IsIconic(button) != minimise || IsWindowVisible(dialog) == minimise); ++i) {
      Sleep(10);
    }
    Say(std::wstring(minimise ? L"minimise from the " : L"restore from the ") +
        (target == dialog ? L"dialog" : L"button") + L": button " +
        (IsIconic(button) ? L"minimised" : L"normal") + L", dialog " +
        (IsWindowVisible(dialog) ? L"shown" : L"hidden"));
  }
  return 0;
}

int CloseEarly(const std::wstring& exe, const wchar_t* folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION p{};
  std::wstring command = L"\"" + exe + L"\"";
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, &p)) {
    return 1;
  }
  HWND dialog = nullptr;
  while (dialog == nullptr && WaitForSingleObject(p.hProcess, 1) == WAIT_TIMEOUT) {
    dialog = FindWindowW(L"T408Form1", nullptr);
  }
  DWORD_PTR ignored;
  if (dialog) SendMessageTimeoutW(dialog, WM_CLOSE, 0, 0, SMTO_NORMAL, 20000, &ignored);
  WaitForSingleObject(p.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(p.hProcess, &code);
  Say(L"exit " + std::to_wstring(code));
  return 0;
}

// ---- Display scaling

// The control ids the dialog gives its controls (tool/win32/form1_window_build.cpp).
int ControlWindowId(const ControlDescription& c) {
  if (c.Role == ButtonRole::Default) return IDOK;
  if (c.Role == ButtonRole::Cancel) return IDCANCEL;
  return 100 + static_cast<int>(c.Id);
}

std::wstring Show(const RECT& r) {
  return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " +
         std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top);
}

std::wstring Show(const FormRect& r) { return Show(RECT{r.X, r.Y, r.X + r.Width, r.Y + r.Height}); }

// A child's rectangle in the dialog's client coordinates.
RECT ClientRectOf(HWND dialog, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> all;
  EnumChildWindows(
      dialog,
      [](HWND w, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

// The Shift-JIS captions of the form as the dialog shows them.
std::wstring WideFromSjis(std::string_view text) {
  const int length =
      MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// Prints "layout at DPI: ok" when every control stands at its scaled place
// (a drop-down list may be taller where its font asks for more: one line says
// so), every label at its place and at least as wide, and the radio buttons
// inside their groups; otherwise one line for each that does not.
int Layout(HWND dialog, int dpi) {
  RECT client{};
  GetClientRect(dialog, &client);
  Say(L"client " + std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom));
  int wrong = 0;
  const FormDescription& form = Form1Description();
  for (const ControlDescription& c : form.Controls) {
    const HWND child = GetDlgItem(dialog, ControlWindowId(c));
    const FormRect expected = ScaledControlBounds(c.Id, dpi);
    const RECT r = ClientRectOf(dialog, child);
    const int taller = r.bottom - r.top - expected.Height;
    const bool byFont = c.Kind == ControlKind::DropDownList && taller > 0;
    if (child == nullptr || r.left != expected.X || r.top != expected.Y ||
        r.right - r.left != expected.Width || (taller != 0 && !byFont)) {
      ++wrong;
      Say(WideFromSjis(c.Name) + L" at " + Show(r) + L", expected " + Show(expected));
    } else if (byFont) {
      Say(WideFromSjis(c.Name) + L" " + std::to_wstring(taller) + L" px taller, as its font asks");
    }
    if (c.Kind == ControlKind::RadioGroup) {
      // Its buttons follow the box in the tab order, inside it.
      HWND item = child;
      for (size_t i = 0; i < c.Items.size(); ++i) {
        item = GetWindow(item, GW_HWNDNEXT);
        const RECT b = ClientRectOf(dialog, item);
        if (item == nullptr || TextOf(item) != WideFromSjis(c.Items[i]) || b.left <= r.left ||
            b.top <= r.top || b.right >= r.right || b.bottom >= r.bottom) {
          ++wrong;
          Say(WideFromSjis(c.Name) + L" button " + std::to_wstring(i) + L" at " + Show(b));
        }
      }
    }
  }
  const std::vector<HWND> children = Children(dialog);
  for (const LabelDescription& l : form.Labels) {
    const FormRect expected = ScaleRect(l.Bounds, dpi);
    bool found = false;
    for (HWND child : children) {
      const RECT r = ClientRectOf(dialog, child);
      found = found || (TextOf(child) == WideFromSjis(l.Caption) && r.left == expected.X &&
                        r.top == expected.Y && r.right - r.left >= expected.Width &&
                        r.bottom - r.top >= expected.Height);
    }
    if (!found) {
      ++wrong;
      Say(WideFromSjis(l.Name) + L" not at " + Show(expected));
    }
  }
  if (wrong == 0) Say(L"layout at " + std::to_wstring(dpi) + L": ok");
  return 0;
}

// Sends `message` with a `size`-byte structure at `data` placed in the
// dialog's process, as Windows would, and copies it back.
LRESULT SendWithData(HWND dialog, UINT message, WPARAM wParam, void* data, size_t size) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               ProcessOf(dialog));
  if (process == nullptr) return 0;
  void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  LRESULT result = 0;
  if (remote != nullptr && WriteProcessMemory(process, remote, data, size, nullptr)) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(dialog, message, wParam, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                        10000, &answer);
    result = static_cast<LRESULT>(answer);
    ReadProcessMemory(process, remote, data, size, nullptr);
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return result;
}

// What Windows does when the dialog reaches a monitor of `dpi`: asks for the
// size it wants there, then moves it with the place it suggests.
int DpiChange(HWND dialog, int dpi) {
  RECT now{};
  GetWindowRect(dialog, &now);
  SIZE size{now.right - now.left, now.bottom - now.top};
  if (!SendWithData(dialog, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi), &size, sizeof size)) {
    Say(L"no size asked for");
  }
  Say(L"size asked for at " + std::to_wstring(dpi) + L": " + std::to_wstring(size.cx) + L"x" +
      std::to_wstring(size.cy));
  RECT suggested{now.left, now.top, now.left + size.cx, now.top + size.cy};
  SendWithData(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), &suggested, sizeof suggested);
  RECT after{};
  GetWindowRect(dialog, &after);
  Say(L"window " + Show(after));
  return 0;
}

// The keyboard, the caret and the texts, as the user left them.
int State(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  const HWND focus = info.hwndFocus;
  std::wstring line = L"focus " + std::to_wstring(GetDlgCtrlID(focus));
  wchar_t name[32] = L"";
  GetClassNameW(focus, name, 32);
  if (lstrcmpiW(name, L"Edit") == 0) {
    DWORD_PTR selection = 0;
    SendMessageTimeoutW(focus, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selection);
    line += L", selection " + std::to_wstring(LOWORD(selection)) + L"-" +
            std::to_wstring(HIWORD(selection));
  }
  line += info.hwndCaret == focus && focus != nullptr ? L", caret in it" : L", caret elsewhere";
  Say(line);
  for (const ControlDescription& c : Form1Description().Controls) {
    if (c.Kind != ControlKind::Edit) continue;
    Say(WideFromSjis(c.Name) + L" " + std::to_wstring(ControlWindowId(c)) + L" \"" +
        TextOf(GetDlgItem(dialog, ControlWindowId(c))) + L"\"");
  }
  return 0;
}

// The strip's pixels as the screen shows them (another process's window
// cannot be read through its own device context).
int Strip(HWND dialog) {
  HWND strip = FindChild(dialog, L"T408Preview");
  RECT client{};
  GetClientRect(strip, &client);
  POINT origin{0, 0};
  ClientToScreen(strip, &origin);
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const unsigned int*>(bits);
  unsigned long long black = 0, dark = 0, checksum = 1469598103934665603ull;
  bool greys[256] = {};
  for (long i = 0; i < static_cast<long>(client.right) * client.bottom; ++i) {
    const unsigned int colour = pixels[i] & 0xFFFFFF;
    const unsigned int red = colour >> 16, green = (colour >> 8) & 0xFF, blue = colour & 0xFF;
    if (colour == 0) ++black;
    if (red + green + blue < 3 * 128) ++dark;
    if (red == green && green == blue) greys[red] = true;
    checksum = (checksum ^ colour) * 1099511628211ull;
  }
  int greyLevels = 0;
  for (bool seen : greys) greyLevels += seen ? 1 : 0;
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  Say(L"strip says: " + TextOf(strip));
  Say(L"strip " + std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom) +
      L", black " + std::to_wstring(black) + L", dark " + std::to_wstring(dark) + L", greys " +
      std::to_wstring(greyLevels) + L", checksum " + std::to_wstring(checksum));
  return 0;
}

HWND ControlOf(HWND dialog, ControlId id) { return GetDlgItem(dialog, 100 + static_cast<int>(id)); }

int Band(HWND dialog) {
  Say(L"band says: " + TextOf(ControlOf(dialog, ControlId::LabelA1)));
  return 0;
}

int Memo(HWND dialog) {
  const HWND memo = ControlOf(dialog, ControlId::Memo1);
  DWORD_PTR lines = 0, first = 0, ignored = 0;
  SendMessageTimeoutW(memo, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &lines);
  // Another process's scroll range cannot be read under Wine; the style says
  // whether the bar is there, and scrolling it says where it goes.
  const bool bar = (GetWindowLongW(memo, GWL_STYLE) & WS_VSCROLL) != 0;
  Say(L"memo lines " + std::to_wstring(lines) + (bar ? L", scroll bar" : L", no scroll bar"));
  SendMessageTimeoutW(memo, WM_VSCROLL, SB_BOTTOM, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  SendMessageTimeoutW(memo, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 2000, &first);
  Say(L"memo scrolled to the end shows from line " + std::to_wstring(first));
  SendMessageTimeoutW(memo, WM_VSCROLL, SB_TOP, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  return 0;
}

int Paste(HWND dialog, const std::wstring& text) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  if (info.hwndFocus == nullptr || !OpenClipboard(nullptr)) return Say(L"nothing to paste into"), 1;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  DWORD_PTR ignored;
  SendMessageTimeoutW(info.hwndFocus, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  return 0;
}

int Boxes(HWND dialog) {
  std::pair<DWORD, int> search{ProcessOf(dialog), 0};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<std::pair<DWORD, int>*>(p);
        if (ProcessOf(w) == s->first && IsWindowVisible(w) && TextOf(w) == L"確認") ++s->second;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  Say(L"message boxes " + std::to_wstring(search.second));
  return 0;
}

// A text given on the command line with \t for a TAB and \u{XXXXX} for any
// character, so that a shell can pass what no keyboard types.
std::wstring Unescaped(const wchar_t* text) {
  std::wstring out;
  for (const wchar_t* p = text; *p != 0; ++p) {
    if (p[0] == L'\\' && p[1] == L't') {
      out += L'\t';
      ++p;
    } else if (p[0] == L'\\' && p[1] == L'u' && p[2] == L'{') {
      wchar_t* end = nullptr;
      const unsigned long code = std::wcstoul(p + 3, &end, 16);
      if (code >= 0x10000) {
        out += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        out += static_cast<wchar_t>(code);
      }
      p = end;  // at the closing brace
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"close-early" && argc == 4) return CloseEarly(argv[2], argv[3]);
  HWND dialog = FindWindowW(L"T408Form1", nullptr);
  if (dialog == nullptr) return Say(L"no dialog"), 1;
  if (command == L"report") return Report(dialog);
  if (command == L"minimise") return Minimise(dialog);
  if (command == L"layout" && argc == 3) return Layout(dialog, _wtoi(argv[2]));
  if (command == L"dpi-change" && argc == 3) return DpiChange(dialog, _wtoi(argv[2]));
  if (command == L"state") return State(dialog);
  if (command == L"strip") return Strip(dialog);
  if (command == L"paste" && argc == 3) return Paste(dialog, Unescaped(argv[2]));
  if (command == L"boxes") return Boxes(dialog);
  if (command == L"band") return Band(dialog);
  if (command == L"memo") return Memo(dialog);
  return 2;
}
