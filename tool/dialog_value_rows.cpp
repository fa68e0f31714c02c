#include "tool/dialog_value_rows.h"

#include <cstddef>
#include <limits>

#include "tool/form_layout.h"
#include "tool/settings_layout.h"
#include "tool/ui_texts.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

using enum ValueForm;

using V = DialogValues;

constexpr double kNoLimit = std::numeric_limits<double>::infinity();
// An item is selected: the index is 0 or more.
constexpr AcceptedRange kSelected{0, true, kNoLimit, true};
constexpr AcceptedRange kAboveZero{0, false, kNoLimit, true};
constexpr AcceptedRange kZeroOrMore{0, true, kNoLimit, true};
constexpr std::nullopt_t kUnchecked = std::nullopt;

constexpr DialogValueRow kRows[] = {
    {ControlId::ComboBox1, ListIndex, &V::StartMarkerKind, kSelected, kLabelStartMarker},
    {ControlId::ComboBox2, ListIndex, &V::EndMarkerKind, kSelected, kLabelEndMarker},
    {ControlId::Edit1, Number, &V::EndMarkerScale, kAboveZero, kLabelEndMarkerScale},
    {ControlId::Edit7, Number, &V::ArrowLength, AcceptedRange{0, false, 1000, true},
     kValueNameArrowLength},
    {ControlId::Edit8, Number, &V::ArrowAngle, AcceptedRange{0, false, 180, false},
     kValueNameArrowAngle},
    {ControlId::ComboBox3, ListIndex, &V::TextTypeChoice, kSelected, kLabelTextType},
    {ControlId::Edit2, Text, &V::ValuePrefix, kUnchecked, kLabelPrefix},
    {ControlId::Edit3, Text, &V::ValueSuffix, kUnchecked, kLabelSuffix},
    {ControlId::ComboBox4, ListIndex, &V::PrecisionIndex, kSelected, kLabelPrecision},
    {ControlId::ComboBox5, ListIndex, &V::RoundingMode, kSelected, kLabelRounding},
    {ControlId::RadioGroup1, RadioIndex, &V::ShowTrailingZeros, kSelected, kTrailingZerosCaption},
    {ControlId::RadioGroup2, RadioIndex, &V::ValueUnit, kSelected, kUnitCaption},
    {ControlId::CheckBox1, Check, &V::AddThousandsCommas, kUnchecked, kCheckThousandsCommas},
    {ControlId::CheckBox2, Check, &V::AddUnitText, kUnchecked, kCheckUnitText},
    {ControlId::CheckBox3, Check, &V::FullWidthValue, kUnchecked, kCheckFullWidth},
    {ControlId::CheckBox4, Check, &V::MakeDimensionFigure, kUnchecked, kCheckDimensionFigure},
    // A negative distance or a non-number (0) is used as it comes.
    {ControlId::Edit4, Number, &V::TextGapPaper, kUnchecked, kLabelTextGap},
    {ControlId::Edit5, Number, &V::ExtensionGapPaper, kZeroOrMore, kLabelExtensionGap},
    {ControlId::Edit6, Number, &V::ExtensionOvershootPaper, kZeroOrMore, kLabelExtensionOvershoot},
    {ControlId::Edit9, Number, &V::ReverseOvershootPaper, kZeroOrMore, kLabelReverseOvershoot},
};

// Each row's field has the type its form reads, and only numbers and indexes
// are checked.
constexpr bool FieldsFitTheirForms() {
  for (const DialogValueRow& row : kRows) {
    std::size_t field = 0;
    switch (row.Form) {
      case ListIndex:
      case RadioIndex:
        field = 0;
        break;
      case Number:
        field = 1;
        break;
      case Text:
        field = 2;
        break;
      case Check:
        field = 3;
        break;
    }
    if (row.Field.index() != field) return false;
    if (row.Accepted && field >= 2) return false;
  }
  return true;
}
static_assert(FieldsFitTheirForms());

// Each control that keeps a value keeps it on a line of t407.dat, and each of
// the dialog's lines belongs to a control of this table.
constexpr bool LinesAreOneEach() {
  int dialogLines = 0;
  for (const SettingsLineRow& line : kSettingsLines) dialogLines += line.Control.has_value();
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    if (!SettingsLineOf(kRows[i].Control)) return false;
    for (std::size_t j = i + 1; j < std::size(kRows); ++j) {
      if (kRows[i].Control == kRows[j].Control) return false;
    }
  }
  return static_cast<int>(std::size(kRows)) == dialogLines;
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
  if (line < 1 || line > kSettingsLineCount) return nullptr;
  const std::optional<ControlId> control = SettingsLineRowOf(line).Control;
  return control ? FindDialogValue(*control) : nullptr;
}

bool ReadDialogValue(FormToolkit& toolkit, const DialogValueRow& row, DialogValues& values) {
  double checked = 0;
  switch (row.Form) {
    case ListIndex:
    case RadioIndex: {
      const int index = toolkit.ItemIndex(row.Control);
      values.*std::get<int V::*>(row.Field) = index;
      checked = index;
      break;
    }
    case Number:
      checked = TextToReal(toolkit.Text(row.Control));
      values.*std::get<double V::*>(row.Field) = checked;
      break;
    case Text:
      values.*std::get<std::string V::*>(row.Field) = BlankToEmpty(toolkit.Text(row.Control));
      // Jw_cad would get a look-alike or a '?' for it, or an invisible byte.
      if (toolkit.RejectedCharacter(row.Control)) return false;
      break;
    case Check:
      values.*std::get<bool V::*>(row.Field) = toolkit.Checked(row.Control);
      break;
  }
  return !row.Accepted || row.Accepted->Holds(checked);
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

std::string DefaultSettingsText(const DialogValueRow& row) {
  const ControlDescription& control = DescribeControl(row.Control);
  switch (row.Form) {
    case ListIndex:
    case RadioIndex:
      return IntegerToText(control.DefaultIndex < 0 ? 0 : control.DefaultIndex);
    case Number:
    case Text:
      return std::string(control.DefaultText);
    case Check:
      return control.DefaultChecked ? "1" : "0";
  }
  return std::string();
}

DialogValues DefaultDialogValues() {
  DialogValues values;
  for (const DialogValueRow& row : kRows) {
    const std::string text = DefaultSettingsText(row);
    switch (row.Form) {
      case ListIndex:
      case RadioIndex:
        values.*std::get<int V::*>(row.Field) = TextToInteger(text);
        break;
      case Number:
        values.*std::get<double V::*>(row.Field) = TextToReal(text);
        break;
      case Text:
        values.*std::get<std::string V::*>(row.Field) = BlankToEmpty(text);
        break;
      case Check:
        values.*std::get<bool V::*>(row.Field) = TextToInteger(text) != 0;
        break;
    }
  }
  return values;
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
