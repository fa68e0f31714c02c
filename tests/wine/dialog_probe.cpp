// Looks at t408.exe's windows from outside, as the task bar and the user see
// them, for facts only Windows can report. Run under Wine by scripts/test-wine
// in the same wineserver as the dialog; prints one fact per line (UTF-8):
//
//   dialog_probe first-sight EXE   starts EXE in its folder and reports where
//                                  and how filled its dialog first became visible
//   dialog_probe close-early EXE DIR
//                                  starts EXE with DIR as current folder and asks
//                                  its dialog to close as soon as the window exists
//   dialog_probe taskbar           the windows that get a task-bar button, then
//                                  minimise and restore from it and from the dialog
//   dialog_probe buttons           which push button is drawn as the default
//   dialog_probe page FILE         the strip's address; the page it names, to FILE

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kDialogClass[] = L"T408Form1";
constexpr int kEdit7 = 102;  // the form's first control id is 100, Edit7 is third
constexpr int kComboBox1 = 100;
constexpr int kComboBox3 = 105;

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int count =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), count, nullptr, nullptr);
  return out;
}

void Say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// A message to a window of another process; -1 when it does not answer in time.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = L"";
  if (Ask(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text)) < 0) return L"(no answer)";
  return text;
}

HWND FindDialog() { return FindWindowW(kDialogClass, nullptr); }

// Decodes the %XX escapes of an address.
std::wstring Unescaped(const std::wstring& address) {
  std::wstring out;
  for (size_t i = 0; i < address.size(); ++i) {
    if (address[i] == L'%' && i + 2 < address.size()) {
      out += static_cast<wchar_t>(std::wcstoul(address.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      out += address[i];
    }
  }
  return out;
}

// ---- Starting t408.exe and watching its first moments

struct Started {
  PROCESS_INFORMATION process{};
  bool ok = false;
};

Started Start(const std::wstring& exe, const std::wstring& folder) {
  Started s;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command = L"\"" + exe + L"\"";
  s.ok = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &s.process) != FALSE;
  return s;
}

HWND ThreadDialog(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM param) -> BOOL {
        wchar_t name[32] = L"";
        GetClassNameW(window, name, 32);
        if (lstrcmpW(name, kDialogClass) != 0) return TRUE;
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

bool Running(const Started& s) {
  return WaitForSingleObject(s.process.hProcess, 0) == WAIT_TIMEOUT;
}

int Finish(Started& s) {
  WaitForSingleObject(s.process.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(s.process.hProcess, &code);
  Say("exit " + std::to_string(code));
  CloseHandle(s.process.hThread);
  CloseHandle(s.process.hProcess);
  return 0;
}

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L"\\/"));
}

int FirstSight(const std::wstring& exe) {
  Started s = Start(exe, FolderOf(exe));
  if (!s.ok) return Say("not started"), 1;
  // Polled every millisecond: the first look the user gets.
  HWND dialog = nullptr;
  RECT seen{};
  bool visible = false;
  while (Running(s) && !visible) {
    if (dialog == nullptr) dialog = ThreadDialog(s.process.dwThreadId);
    if (dialog != nullptr && IsWindowVisible(dialog)) {
      visible = GetWindowRect(dialog, &seen) != FALSE;
    } else {
      Sleep(1);
    }
  }
  if (!visible) {
    Say("never visible");
  } else {
    Say("first visible at " + std::to_string(seen.left) + "," + std::to_string(seen.top));
    Say("Edit7 " + Utf8(TextOf(GetDlgItem(dialog, kEdit7))));
    Say("ComboBox1 index " + std::to_string(Ask(GetDlgItem(dialog, kComboBox1), CB_GETCURSEL)));
    Say("ComboBox3 items " + std::to_string(Ask(GetDlgItem(dialog, kComboBox3), CB_GETCOUNT)));
  }
  return Finish(s);
}

int CloseEarly(const std::wstring& exe, const std::wstring& folder) {
  Started s = Start(exe, folder);
  if (!s.ok) return Say("not started"), 1;
  HWND dialog = nullptr;
  while (Running(s) && (dialog = ThreadDialog(s.process.dwThreadId)) == nullptr) Sleep(1);
  if (dialog != nullptr) {
    Say(IsWindowVisible(dialog) ? "close sent to the visible dialog"
                                : "close sent before the dialog was visible");
    DWORD_PTR ignored;
    SendMessageTimeoutW(dialog, WM_CLOSE, 0, 0, SMTO_NORMAL, 20000, &ignored);
  }
  return Finish(s);
}

// ---- The task bar

// Windows' rule for a task-bar button: a visible window that is either marked
// WS_EX_APPWINDOW, or owned by no window and not a tool window.
bool GetsButton(HWND window) {
  if (!IsWindowVisible(window)) return false;
  const LONG ex = GetWindowLongW(window, GWL_EXSTYLE);
  if (ex & WS_EX_APPWINDOW) return true;
  return GetWindow(window, GW_OWNER) == nullptr && !(ex & WS_EX_TOOLWINDOW);
}

std::vector<HWND> ButtonWindows(DWORD process) {
  struct Search {
    DWORD process;
    std::vector<HWND> found;
  } search{process, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->process && GetsButton(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits up to two seconds for `done`.
template <typename Condition>
bool Within2s(Condition done) {
  for (int i = 0; i < 200; ++i) {
    if (done()) return true;
    Sleep(10);
  }
  return false;
}

std::string State(HWND button, HWND dialog) {
  return std::string("button ") + (IsIconic(button) ? "minimised" : "normal") + ", dialog " +
         (IsWindowVisible(dialog) && !IsIconic(dialog) ? "shown" : "not shown");
}

int Taskbar() {
  HWND dialog = FindDialog();
  if (dialog == nullptr) return Say("no dialog"), 1;
  DWORD process = 0;
  GetWindowThreadProcessId(dialog, &process);
  const std::vector<HWND> buttons = ButtonWindows(process);
  Say("task-bar buttons " + std::to_string(buttons.size()));
  for (HWND b : buttons) Say("button text " + Utf8(TextOf(b)));
  if (buttons.size() != 1) return 0;
  HWND button = buttons[0];
  // What the task bar does on a click of the button, and what the dialog's own
  // minimise button does.
  struct Step {
    const char* name;
    HWND target;
    WPARAM command;
    bool minimised;
  } steps[] = {{"minimise from the button", button, SC_MINIMIZE, true},
               {"restore from the button", button, SC_RESTORE, false},
               {"minimise from the dialog", dialog, SC_MINIMIZE, true},
               {"restore from the button", button, SC_RESTORE, false}};
  for (const Step& step : steps) {
    PostMessageW(step.target, WM_SYSCOMMAND, step.command, 0);
    Within2s([&] {
      return (IsIconic(button) != FALSE) == step.minimised &&
             (IsWindowVisible(dialog) != FALSE) != step.minimised;
    });
    Say(std::string(step.name) + ": " + State(button, dialog));
  }
  return 0;
}

// ---- The default push button

int Buttons() {
  HWND dialog = FindDialog();
  if (dialog == nullptr) return Say("no dialog"), 1;
  std::string line = "default:";
  for (auto [id, name] : {std::pair{IDOK, " OK"}, std::pair{IDCANCEL, " Cancel"}}) {
    const LONG style = GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE);
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) line += name;
  }
  Say(line);
  return 0;
}

// ---- The page strip

HWND FindBrowserHost(HWND dialog) {
  HWND found = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND window, LPARAM param) -> BOOL {
        wchar_t name[32] = L"";
        GetClassNameW(window, name, 32);
        if (lstrcmpiW(name, L"AtlAxWin") != 0) return TRUE;
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

int Page(const std::wstring& outFile) {
  HWND dialog = FindDialog();
  if (dialog == nullptr) return Say("no dialog"), 1;
  HWND host = FindBrowserHost(dialog);
  if (host == nullptr) return Say("no browser host"), 1;
  const std::wstring address = Unescaped(TextOf(host));
  Say("address " + Utf8(TextOf(host)));

  DWORD process = 0;
  GetWindowThreadProcessId(dialog, &process);
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  wchar_t image[MAX_PATH] = L"";
  DWORD size = MAX_PATH;
  if (handle == nullptr || !QueryFullProcessImageNameW(handle, 0, image, &size)) {
    return Say("no module path"), 1;
  }
  CloseHandle(handle);
  Say("module " + Utf8(image));
  const std::wstring prefix = std::wstring(L"res://") + image + L"/";
  if (address.size() <= prefix.size() ||
      CompareStringOrdinal(address.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                           static_cast<int>(prefix.size()), TRUE) != CSTR_EQUAL) {
    return Say("the address does not name the running module"), 0;
  }
  const std::wstring name = address.substr(prefix.size());
  HMODULE module = LoadLibraryExW(image, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC resource = module ? FindResourceW(module, name.c_str(), RT_HTML) : nullptr;
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return Say("no HTML resource " + Utf8(name) + " in the module"), 0;
  const DWORD length = SizeofResource(module, resource);
  if (FILE* out = _wfopen(outFile.c_str(), L"wb")) {
    std::fwrite(bytes, 1, length, out);
    std::fclose(out);
  }
  Say("HTML resource " + Utf8(name) + " in the module, " + std::to_string(length) + " bytes");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"first-sight" && argc == 3) return FirstSight(argv[2]);
  if (command == L"close-early" && argc == 4) return CloseEarly(argv[2], argv[3]);
  if (command == L"taskbar") return Taskbar();
  if (command == L"buttons") return Buttons();
  if (command == L"page" && argc == 3) return Page(argv[2]);
  std::fputs(
      "usage: dialog_probe first-sight EXE | close-early EXE DIR | taskbar | buttons | page FILE\n",
      stderr);
  return 2;
}
