#include "tool/dialog_values.h"

#include <cstddef>

#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

using enum ValueForm;

constexpr DialogValueRow kRows[] = {
    {ControlId::ComboBox1, ListIndex, 3},
    {ControlId::ComboBox2, ListIndex, 4},
    {ControlId::Edit1, Number, 8},
    {ControlId::Edit7, Number, 14},
    {ControlId::Edit8, Number, 15},
    {ControlId::ComboBox3, ListIndex, 5},
    {ControlId::Edit2, Text, 9},
    {ControlId::Edit3, Text, 10},
    {ControlId::ComboBox4, ListIndex, 6},
    {ControlId::ComboBox5, ListIndex, 7},
    {ControlId::RadioGroup1, RadioIndex, 17},
    {ControlId::RadioGroup2, RadioIndex, 18},
    {ControlId::CheckBox1, Check, 19},
    {ControlId::CheckBox2, Check, 20},
    {ControlId::CheckBox3, Check, 21},
    {ControlId::CheckBox4, Check, 22},
    {ControlId::Edit4, Number, 11},
    {ControlId::Edit5, Number, 12},
    {ControlId::Edit6, Number, 13},
    {ControlId::Edit9, Number, 16},
};

// Each of the lines 3 to 22 belongs to one control, and each control keeps
// one line.
constexpr bool LinesAreOneEach() {
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    if (kRows[i].SettingLine < 3 || kRows[i].SettingLine > 22) return false;
    for (std::size_t j = i + 1; j < std::size(kRows); ++j) {
      if (kRows[i].SettingLine == kRows[j].SettingLine) return false;
      if (kRows[i].Control == kRows[j].Control) return false;
    }
  }
  return std::size(kRows) == 20;
}
static_assert(LinesAreOneEach());

// The controls' own rules for a selection index.
void SelectListItem(FormToolkit& toolkit, ControlId list, int index) {
  // A drop-down list has no selection for an index past its items.
  if (index < -1 || index >= toolkit.ItemCount(list)) index = -1;
  toolkit.SetItemIndex(list, index);
}

void SelectRadioItem(FormToolkit& toolkit, ControlId group, int index) {
  // A radio group selects its last item for an index past its items.
  const int count = toolkit.ItemCount(group);
  if (index >= count) index = count - 1;
  if (index < -1) index = -1;
  toolkit.SetItemIndex(group, index);
}

}  // namespace

std::span<const DialogValueRow> DialogValueRows() { return kRows; }

const DialogValueRow* FindDialogValue(ControlId control) {
  for (const DialogValueRow& row : kRows) {
    if (row.Control == control) return &row;
  }
  return nullptr;
}

const DialogValueRow* DialogValueOnLine(int line) {
  for (const DialogValueRow& row : kRows) {
    if (row.SettingLine == line) return &row;
  }
  return nullptr;
}

void ApplySettingsText(FormToolkit& toolkit, const DialogValueRow& row, const std::string& text) {
  switch (row.Form) {
    case ListIndex: {
      const int index = TextToInteger(text);
      SelectListItem(toolkit, row.Control, index < 0 ? 0 : index);
      return;
    }
    case RadioIndex: {
      const int index = TextToInteger(text);
      SelectRadioItem(toolkit, row.Control, index < 0 ? 0 : index);
      return;
    }
    case Number:
    case Text:
      // In full: the maximum length limits typing only.
      toolkit.SetText(row.Control, text);
      return;
    case Check:
      toolkit.SetChecked(row.Control, TextToInteger(text) != 0);
      return;
  }
}

std::string SettingsText(FormToolkit& toolkit, const DialogValueRow& row) {
  switch (row.Form) {
    case ListIndex:
    case RadioIndex:
      return IntegerToText(toolkit.ItemIndex(row.Control));
    case Number:
    case Text:
      return toolkit.Text(row.Control);
    case Check:
      return toolkit.Checked(row.Control) ? "1" : "0";
  }
  return std::string();
}
