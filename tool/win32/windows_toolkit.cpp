#include "tool/win32/windows_toolkit.h"

#include <string>
#include <utility>
#include <vector>

#include "tool/form_scaling.h"
#include "tool/ui_texts.h"
#include "tool/win32/display_scaling.h"
#include "tool/win32/program_folder.h"
#include "tool/win32/sjis_edge.h"

namespace {
std::wstring WindowTextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

bool IsEdit(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  return lstrcmpiW(name, L"Edit") == 0;
}
}  // namespace

void WindowsToolkit::SetRadioGroup(ControlId id, HWND groupBox, std::vector<HWND> items) {
  SetControl(id, groupBox);
  RadioGroup* group = FindRadioGroup(id);
  if (group == nullptr) return;
  group->box = groupBox;
  group->items = std::move(items);
}

WindowsToolkit::RadioGroup* WindowsToolkit::FindRadioGroup(ControlId id) {
  for (size_t i = 0; i < radioGroupIds_.size(); ++i) {
    if (radioGroupIds_[i] == id) return &radioGroups_[i];
  }
  return nullptr;
}

std::filesystem::path WindowsToolkit::ProgramFolder() { return RunningProgramFolder(); }

// The window's position as t407.dat holds it: see tool/window_position.h.
ScreenPoint WindowsToolkit::SavedWindowPosition() const {
  RECT rect;
  if (!GetWindowRect(window_, &rect)) return ScreenPoint{};
  return SavedFromScreen(ScreenPoint{rect.left, rect.top}, PrimaryMonitorDpi());
}

int WindowsToolkit::WindowLeft() { return SavedWindowPosition().X; }

int WindowsToolkit::WindowTop() { return SavedWindowPosition().Y; }

void WindowsToolkit::MoveWindow(int left, int top) {
  RECT rect;
  if (!GetWindowRect(window_, &rect)) return;
  const ScreenPoint saved = ScreenFromSaved(ScreenPoint{left, top}, PrimaryMonitorDpi());
  const std::vector<ScreenRect> workAreas = MonitorWorkAreas();
  const ScreenPoint place =
      ReachablePosition(saved, rect.right - rect.left, rect.bottom - rect.top,
                        CaptionBarHeight(window_), WindowDpi(window_), workAreas);
  SetWindowPos(window_, nullptr, place.X, place.Y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Arriving on a monitor of another scaling, the window takes the size it
  // has there (WM_DPICHANGED) at a place Windows suggests; it belongs where
  // it was put.
  if (GetWindowRect(window_, &rect) && (rect.left != place.X || rect.top != place.Y)) {
    SetWindowPos(window_, nullptr, place.X, place.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void WindowsToolkit::RequestClose() { PostMessageW(window_, WM_CLOSE, 0, 0); }

void WindowsToolkit::ClearItems(ControlId list) {
  if (FindRadioGroup(list) != nullptr) return;
  SendMessageW(Control(list), CB_RESETCONTENT, 0, 0);
}

void WindowsToolkit::AddItem(ControlId list, std::string_view text) {
  if (FindRadioGroup(list) != nullptr) return;
  SendMessageW(Control(list), CB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>(WideFromSjis(text).c_str()));
}

int WindowsToolkit::ItemCount(ControlId list) {
  if (RadioGroup* group = FindRadioGroup(list)) return static_cast<int>(group->items.size());
  const LRESULT count = SendMessageW(Control(list), CB_GETCOUNT, 0, 0);
  return count == CB_ERR ? 0 : static_cast<int>(count);
}

int WindowsToolkit::ItemIndex(ControlId list) {
  if (RadioGroup* group = FindRadioGroup(list)) {
    for (size_t i = 0; i < group->items.size(); ++i) {
      if (SendMessageW(group->items[i], BM_GETCHECK, 0, 0) == BST_CHECKED) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  const LRESULT index = SendMessageW(Control(list), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void WindowsToolkit::SetItemIndex(ControlId list, int index) {
  if (RadioGroup* group = FindRadioGroup(list)) {
    for (size_t i = 0; i < group->items.size(); ++i) {
      SendMessageW(group->items[i], BM_SETCHECK,
                   static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return;
  }
  SendMessageW(Control(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string WindowsToolkit::Text(ControlId edit) {
  const std::wstring shown = WindowTextOf(Control(edit));
  const std::optional<LoadedText>& loaded = loadedTexts_[Index(edit)];
  if (loaded && loaded->shown == shown) return loaded->bytes;
  return SjisFromWide(shown);
}

void WindowsToolkit::SetText(ControlId edit, std::string_view text) {
  HWND control = Control(edit);
  SetWindowTextW(control, WideFromSjis(text).c_str());
  loadedTexts_[Index(edit)] = LoadedText{std::string(text), WindowTextOf(control)};
}

bool WindowsToolkit::Checked(ControlId box) {
  return SendMessageW(Control(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowsToolkit::SetChecked(ControlId box, bool checked) {
  SendMessageW(Control(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void WindowsToolkit::SetFocus(ControlId control) {
  HWND target = Control(control);
  if (RadioGroup* group = FindRadioGroup(control)) {
    const int index = ItemIndex(control);
    target = group->items.empty() ? group->box
                                  : group->items[static_cast<size_t>(index < 0 ? 0 : index)];
  }
  if (target == nullptr) return;
  ::SetFocus(target);
  // An edit the user is sent back to comes with its text selected, ready to be
  // typed over, as when it is reached with Tab.
  if (IsEdit(target)) SendMessageW(target, EM_SETSEL, 0, -1);
}

void WindowsToolkit::SetStatus(std::string_view text) {
  HWND label = Control(ControlId::LabelA1);
  SetWindowTextW(label, WideFromSjis(text).c_str());
  // The handler that sets the status runs on without returning to the message
  // loop, so the label repaints now.
  UpdateWindow(label);
}

void WindowsToolkit::ShowMessage(std::string_view text) {
  MessageBoxW(window_, WideFromSjis(text).c_str(), WideFromSjis(kMessageCaption).c_str(),
              MB_OK | MB_ICONQUESTION);
}

std::optional<char32_t> WindowsToolkit::RejectedCharacter(ControlId edit) {
  const std::wstring shown = WindowTextOf(Control(edit));
  const std::optional<LoadedText>& loaded = loadedTexts_[Index(edit)];
  if (loaded && loaded->shown == shown) return std::nullopt;
  return FirstCharacterWithoutSjis(shown);
}

void WindowsToolkit::SetDpi(int dpi) {
  dpi_ = dpi;
  fontHeight_ = DialogFontHeight(dpi);
}

StripSize WindowsToolkit::PreviewSize() {
  RECT client{};
  GetClientRect(strip_.Window(), &client);
  return StripSize{client.right, client.bottom, fontHeight_, dpi_};
}

// The band above the strip says in one line what OK would do.
void WindowsToolkit::ShowPreview(const PreviewScene& scene) {
  strip_.Show(scene);
  SetWindowTextW(Control(ControlId::LabelA1), WideMessage(scene.Description).c_str());
}
