// Looks at t408.exe's windows from outside, in the dialog's wineserver, for
// what only Windows can tell scripts/test-wine. Prints UTF-8 lines.
//   report FILE          task-bar buttons, default button, the strip's address,
//                        and the HTML resource it names, copied to FILE
//   minimise             minimises and restores from the button and the dialog
//   close-early EXE DIR  starts EXE in DIR; closes its window once it exists

#include <windows.h>
// shlwapi.h needs windows.h first.
#include <shlwapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"close-early" && argc == 4) return CloseEarly(argv[2], argv[3]);
  HWND dialog = FindWindowW(L"T408Form1", nullptr);
  if (dialog == nullptr) return Say(L"no dialog"), 1;
  if (command == L"report" && argc == 3) return Report(dialog, argv[2]);
  if (command == L"minimise") return Minimise(dialog);
  return 2;
}
