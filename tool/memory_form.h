#pragma once
// The dialog held in memory: every control's state, starting from the form's
// defaults, with a record of what TForm1 asked the window to do. The quick
// pass runs on it, and the tests drive TForm1 through it.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tool/form_toolkit.h"
#include "tool/preview_scene.h"

class MemoryForm : public FormToolkit {
 public:
  explicit MemoryForm(std::filesystem::path programFolder);

  // FormToolkit.
  std::filesystem::path ProgramFolder() override;
  int WindowLeft() override;
  int WindowTop() override;
  void MoveWindow(int left, int top) override;
  void RequestClose() override;
  void ClearItems(ControlId list) override;
  void AddItem(ControlId list, std::string_view text) override;
  int ItemCount(ControlId list) override;
  int ItemIndex(ControlId list) override;
  void SetItemIndex(ControlId list, int index) override;
  std::string Text(ControlId edit) override;
  void SetText(ControlId edit, std::string_view text) override;
  bool Checked(ControlId box) override;
  void SetChecked(ControlId box, bool checked) override;
  void SetFocus(ControlId control) override;
  void SetStatus(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  std::optional<char32_t> RejectedCharacter(ControlId edit) override;
  StripSize PreviewSize() override;
  void ShowPreview(const PreviewScene& scene) override;

  // What the user could do: typing stops at the edit's maximum length in
  // characters (a double-byte character counts once), as the real edit does.
  void TypeText(ControlId edit, std::string_view text);
  // Typing a character Shift-JIS has no code for: the edit holds it (shown
  // here as '?') until its text is set again.
  void TypeUnrepresentable(ControlId edit, char32_t character);
  std::vector<std::string> Items(ControlId list) const;

  // What TForm1 did.
  const std::vector<ControlId>& FocusMoves() const { return focusMoves_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<std::string>& StatusTexts() const { return statusTexts_; }
  const std::string& Status() const { return status_; }
  // Every scene the strip was given, the last one showing.
  const std::vector<PreviewScene>& Previews() const { return previews_; }
  bool CloseRequested() const { return closeRequested_; }
  int MoveCount() const { return moveCount_; }
  // SetItemIndex calls with an index that was neither -1 nor a valid item.
  int InvalidIndexRequests() const { return invalidIndexRequests_; }

 private:
  struct ControlState {
    std::vector<std::string> Items;
    int Index = -1;
    std::string Text;
    bool Checked = false;
    bool Typed = false;  // the user changed the text since the program set it
  };

  std::filesystem::path programFolder_;
  int left_ = 0;
  int top_ = 0;
  std::map<ControlId, ControlState> controls_;
  std::vector<ControlId> focusMoves_;
  std::vector<std::string> messages_;
  std::vector<std::string> statusTexts_;
  std::string status_;
  std::vector<PreviewScene> previews_;
  std::map<ControlId, char32_t> rejected_;
  bool closeRequested_ = false;
  int moveCount_ = 0;
  int invalidIndexRequests_ = 0;
};
