// Looks at t408.exe's windows from outside, in the dialog's wineserver, for
// what only Windows can tell scripts/test-wine. Prints UTF-8 lines.
//   report FILE          task-bar buttons, default button, the strip's address,
//                        and the HTML resource it names, copied to FILE
//   minimise             minimises and restores from the button and the dialog
//   close-early EXE DIR  starts EXE in DIR; closes its window once it exists
//   layout DPI           the client size, and every control and label against
//                        the form laid out at DPI
//   dpi-change DPI       tells the dialog it moved to a monitor of DPI, as
//                        Windows does (WM_GETDPISCALEDSIZE, WM_DPICHANGED)
//   state                which control has the keyboard, its selection, the
//                        caret, and the texts of the edits

#include <windows.h>
// shlwapi.h needs windows.h first.
#include <shlwapi.h>

#include <cstdio>
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

int Report(HWND dialog, const wchar_t* file) {
  ButtonWindows(dialog);
  std::wstring line = L"default:";
  for (auto [id, name] : {std::pair{IDOK, L" OK"}, std::pair{IDCANCEL, L" Cancel"}}) {
    if (SendMessageW(GetDlgItem(dialog, id), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
      line += name;
  }
  Say(line);

  std::wstring address = TextOf(FindChild(dialog, L"AtlAxWin"));
  Say(L"address " + address);
  wchar_t image[MAX_PATH] = L"";
  DWORD size = MAX_PATH;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(dialog));
  QueryFullProcessImageNameW(process, 0, image, &size);
  UrlUnescapeW(address.data(), nullptr, nullptr, URL_UNESCAPE_INPLACE);
  address.resize(wcslen(address.c_str()));
  const std::wstring prefix = L"res://" + std::wstring(image) + L"/";
  const int length = static_cast<int>(prefix.size());
  if (size == 0 || address.size() <= prefix.size() ||
      CompareStringOrdinal(address.c_str(), length, prefix.c_str(), length, TRUE) != CSTR_EQUAL) {
    Say(L"the address does not name the running module");
    return 0;
  }
  HMODULE module = LoadLibraryExW(image, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC page = FindResourceW(module, address.c_str() + prefix.size(), RT_HTML);
  FILE* out = page ? _wfopen(file, L"wb") : nullptr;
  if (out == nullptr) return Say(L"the running module has no such HTML resource"), 0;
  std::fwrite(LockResource(LoadResource(module, page)), 1, SizeofResource(module, page), out);
  std::fclose(out);
  Say(L"the running module holds that HTML resource");
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"close-early" && argc == 4) return CloseEarly(argv[2], argv[3]);
  HWND dialog = FindWindowW(L"T408Form1", nullptr);
  if (dialog == nullptr) return Say(L"no dialog"), 1;
  if (command == L"report" && argc == 3) return Report(dialog, argv[2]);
  if (command == L"minimise") return Minimise(dialog);
  if (command == L"layout" && argc == 3) return Layout(dialog, _wtoi(argv[2]));
  if (command == L"dpi-change" && argc == 3) return DpiChange(dialog, _wtoi(argv[2]));
  if (command == L"state") return State(dialog);
  return 2;
}
