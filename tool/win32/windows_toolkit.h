#pragma once
// FormToolkit on real Win32 controls. The window builds the controls and
// registers their handles here; TForm1 then reads and writes them through the
// toolkit. Texts cross as Shift-JIS and are converted at this edge.

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tool/form_toolkit.h"
#include "tool/win32/preview_strip.h"
#include "tool/window_position.h"

constexpr int kControlIdCount = static_cast<int>(ControlId::LabelA1) + 1;

class WindowsToolkit final : public FormToolkit {
 public:
  void SetWindow(HWND window) { window_ = window; }
  void SetControl(ControlId id, HWND control) { controls_[Index(id)] = control; }
  HWND Control(ControlId id) const { return controls_[Index(id)]; }
  // A radio group is its group box and its buttons, in item order. They are
  // built with the window and stay: ClearItems and AddItem change drop-down
  // lists only.
  void SetRadioGroup(ControlId id, HWND groupBox, std::vector<HWND> items);
  PreviewStrip& Strip() { return strip_; }
  // The resolution the window is laid out at, and with it the dialog's font height.
  void SetDpi(int dpi);

  std::filesystem::path ProgramFolder() override;
  // The position in t407.dat's units, which a program that is not DPI-aware
  // uses (tool/window_position.h); a saved position nobody could reach puts
  // the window on the nearest monitor instead.
  int WindowLeft() override;
  int WindowTop() override;
  void MoveWindow(int left, int top) override;
  void RequestClose() override;
  void ClearItems(ControlId list) override;
  void AddItem(ControlId list, std::string_view text) override;
  int ItemCount(ControlId list) override;
  int ItemIndex(ControlId list) override;
  void SetItemIndex(ControlId list, int index) override;
  // A text reads back as the very bytes it was set with until the user changes
  // what the control shows: Shift-JIS that has no exact way through UTF-16
  // (NEC and IBM duplicates, a lone lead byte, a NUL) is kept as loaded.
  std::string Text(ControlId edit) override;
  void SetText(ControlId edit, std::string_view text) override;
  bool Checked(ControlId box) override;
  void SetChecked(ControlId box, bool checked) override;
  void SetFocus(ControlId control) override;
  void SetStatus(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  // A text typed or pasted: its first character without a Shift-JIS code, or
  // a control character; a text as the program set it has none.
  std::optional<char32_t> RejectedCharacter(ControlId edit) override;
  StripSize PreviewSize() override;
  void ShowPreview(const PreviewScene& scene) override;

 private:
  struct RadioGroup {
    HWND box = nullptr;
    std::vector<HWND> items;
  };
  // The last text set on a control: its bytes, and what the control showed then.
  struct LoadedText {
    std::string bytes;
    std::wstring shown;
  };
  static size_t Index(ControlId id) { return static_cast<size_t>(id); }
  ScreenPoint SavedWindowPosition() const;
  RadioGroup* FindRadioGroup(ControlId id);

  HWND window_ = nullptr;
  std::array<HWND, kControlIdCount> controls_{};
  std::array<std::optional<LoadedText>, kControlIdCount> loadedTexts_{};
  std::array<RadioGroup, 2> radioGroups_{};
  std::array<ControlId, 2> radioGroupIds_{ControlId::RadioGroup1, ControlId::RadioGroup2};
  PreviewStrip strip_;
  int fontHeight_ = 13;
  int dpi_ = 96;
};
