#pragma once
// The toolkit operations TForm1 needs from its window, and nothing more. The
// Win32 window implements them for real; MemoryForm implements them in memory
// for the tests and the quick pass. Every text crossing this interface is
// Shift-JIS bytes; a front end converts at its own edge.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "tool/control_id.h"

struct PreviewScene;
struct StripSize;

class FormToolkit {
 public:
  virtual ~FormToolkit() = default;

  // Folder of the running executable.
  virtual std::filesystem::path ProgramFolder() = 0;

  // Outer window position in screen pixels.
  virtual int WindowLeft() = 0;
  virtual int WindowTop() = 0;
  virtual void MoveWindow(int left, int top) = 0;
  // Asks the window to close; closing runs TForm1::FormClose.
  virtual void RequestClose() = 0;

  // Drop-down lists and radio groups. An index of -1 means no selection.
  virtual void ClearItems(ControlId list) = 0;
  virtual void AddItem(ControlId list, std::string_view text) = 0;
  virtual int ItemCount(ControlId list) = 0;
  virtual int ItemIndex(ControlId list) = 0;
  // `index` is -1 or a valid item: TForm1 decides what an out-of-range index means.
  virtual void SetItemIndex(ControlId list, int index) = 0;

  // Edits.
  virtual std::string Text(ControlId edit) = 0;
  virtual void SetText(ControlId edit, std::string_view text) = 0;
  // The first character the user typed or pasted into the edit that Jw_cad's
  // files cannot hold: one Shift-JIS has no code for, or a control character.
  // A text the program set and nobody changed has none.
  virtual std::optional<char32_t> RejectedCharacter(ControlId edit) = 0;

  // Check boxes.
  virtual bool Checked(ControlId box) = 0;
  virtual void SetChecked(ControlId box, bool checked) = 0;

  virtual void SetFocus(ControlId control) = 0;

  // LabelA1's caption, repainted at once.
  virtual void SetStatus(std::string_view text) = 0;

  // A modal confirmation box (question icon, caption "確認", one OK button).
  virtual void ShowMessage(std::string_view text) = 0;

  // The preview strip (ScrollBox1): its size and the dialog's font height in
  // pixels, and the scene it shows from now on, drawn at once.
  virtual StripSize PreviewSize() = 0;
  virtual void ShowPreview(const PreviewScene& scene) = 0;
};
