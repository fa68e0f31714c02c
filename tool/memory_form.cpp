#include "tool/memory_form.h"

#include "tool/form_layout.h"
#include "util/sjis.h"

MemoryForm::MemoryForm(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {
  const FormDescription& form = Form1Description();
  left_ = form.Window.DesignLeft;
  top_ = form.Window.DesignTop;
  for (const ControlDescription& c : form.Controls) {
    ControlState& state = controls_[c.Id];
    for (std::string_view item : c.Items) state.Items.emplace_back(item);
    state.Index = c.DefaultIndex;
    state.Text = std::string(c.DefaultText);
    state.Checked = c.DefaultChecked;
  }
  status_ = std::string(DescribeControl(ControlId::LabelA1).Caption);
}

std::filesystem::path MemoryForm::ProgramFolder() { return programFolder_; }
int MemoryForm::WindowLeft() { return left_; }
int MemoryForm::WindowTop() { return top_; }

void MemoryForm::MoveWindow(int left, int top) {
  left_ = left;
  top_ = top;
  ++moveCount_;
}

void MemoryForm::RequestClose() { closeRequested_ = true; }

void MemoryForm::ClearItems(ControlId list) {
  controls_[list].Items.clear();
  controls_[list].Index = -1;
}

void MemoryForm::AddItem(ControlId list, std::string_view text) {
  controls_[list].Items.emplace_back(text);
}

int MemoryForm::ItemCount(ControlId list) { return static_cast<int>(controls_[list].Items.size()); }

int MemoryForm::ItemIndex(ControlId list) { return controls_[list].Index; }

void MemoryForm::SetItemIndex(ControlId list, int index) {
  ControlState& state = controls_[list];
  if (index < -1 || index >= static_cast<int>(state.Items.size())) {
    ++invalidIndexRequests_;
    index = -1;
  }
  state.Index = index;
}

std::string MemoryForm::Text(ControlId edit) { return controls_[edit].Text; }

void MemoryForm::SetText(ControlId edit, std::string_view text) {
  controls_[edit].Text = std::string(text);
  controls_[edit].Typed = false;
  rejected_.erase(edit);
}

std::optional<char32_t> MemoryForm::RejectedCharacter(ControlId edit) {
  if (const auto it = rejected_.find(edit); it != rejected_.end()) return it->second;
  if (!controls_[edit].Typed) return std::nullopt;
  for (unsigned char c : controls_[edit].Text) {
    if (c < 0x20 || c == 0x7F) return static_cast<char32_t>(c);
  }
  return std::nullopt;
}

bool MemoryForm::Checked(ControlId box) { return controls_[box].Checked; }

void MemoryForm::SetChecked(ControlId box, bool checked) { controls_[box].Checked = checked; }

void MemoryForm::SetFocus(ControlId control) { focusMoves_.push_back(control); }

void MemoryForm::SetStatus(std::string_view text) {
  status_ = std::string(text);
  statusTexts_.push_back(status_);
}

void MemoryForm::ShowMessage(std::string_view text) { messages_.emplace_back(text); }

StripSize MemoryForm::PreviewSize() {
  const ControlDescription& strip = DescribeControl(ControlId::ScrollBox1);
  return StripSize{strip.Bounds.Width, strip.Bounds.Height, Form1Description().Window.FontHeight};
}

void MemoryForm::ShowPreview(const PreviewScene& scene) { previews_.push_back(scene); }

void MemoryForm::TypeText(ControlId edit, std::string_view text) {
  const int maxLength = DescribeControl(edit).MaxLength;
  if (maxLength > 0) {
    // Characters, not bytes: a double-byte character counts once.
    std::size_t end = 0;
    for (int count = 0; count < maxLength && end < text.size(); ++count) {
      end += CharByteCount(text, end);
    }
    text = text.substr(0, end);
  }
  SetText(edit, text);
  controls_[edit].Typed = true;
}

void MemoryForm::TypeUnrepresentable(ControlId edit, char32_t character) {
  controls_[edit].Text += '?';
  controls_[edit].Typed = true;
  rejected_.emplace(edit, character);
}

std::vector<std::string> MemoryForm::Items(ControlId list) const {
  const auto it = controls_.find(list);
  return it == controls_.end() ? std::vector<std::string>{} : it->second.Items;
}
