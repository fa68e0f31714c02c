#pragma once
// How the dialog keeps its values: for every control that keeps one, how the
// value is read from it and written to it and what its check accepts. Which
// line of t407.dat keeps it is tool/settings_layout.h's.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "tool/dialog_values.h"
#include "tool/form_toolkit.h"

// How a value is held by its control and kept in t407.dat.
enum class ValueForm {
  // A drop-down list's item index. From t407.dat a negative index reads as 0
  // and one past the items leaves the list without a selection.
  ListIndex,
  // A radio group's item index; from t407.dat a negative index reads as 0 and
  // one past the items selects the last item.
  RadioIndex,
  // An edit holding a number (TextToReal); t407.dat keeps the text as typed.
  Number,
  // An edit holding a text; t407.dat keeps it as typed, OK takes a blank
  // text as empty (BlankToEmpty).
  Text,
  // A check box: "1" or "0"; any integer but 0 reads as checked.
  Check,
};

// Where DialogValues keeps a value: an int for the index forms, a double for
// Number, a std::string for Text and a bool for Check.
using DialogValueField = std::variant<int DialogValues::*, double DialogValues::*,
                                      std::string DialogValues::*, bool DialogValues::*>;

struct DialogValueRow {
  ControlId Control;
  ValueForm Form;
  DialogValueField Field;
  // Checked values only: what OK accepts. A value outside it moves the focus
  // to the control and stops the OK action.
  std::optional<AcceptedRange> Accepted;
  // How a message names the value: the caption the user knows it by.
  std::string_view MessageName;
};

// Every control that keeps a value, one row each, the checked ones in the
// order the OK action checks them: the first value that fails gets the focus.
std::span<const DialogValueRow> DialogValueRows();
// The row of `control`, or null when the control keeps no value.
const DialogValueRow* FindDialogValue(ControlId control);
// The row kept on `line` of t407.dat, or null.
const DialogValueRow* DialogValueOnLine(int line);

// Reads the row's control into its field of `values`; false when the value
// fails its check.
bool ReadDialogValue(FormToolkit& toolkit, const DialogValueRow& row, DialogValues& values);

// Sets the row's control from the text of its t407.dat line, as t407 does.
void ApplySettingsText(FormToolkit& toolkit, const DialogValueRow& row, const std::string& text);
// The values of a dialog at the form's defaults, the text-type list naming the
// current type.
DialogValues DefaultDialogValues();

// The text of the row's t407.dat line for the control at the dialog's default.
// The text-type list, which has no default of its own, names the current type.
std::string DefaultSettingsText(const DialogValueRow& row);
// The text of the row's t407.dat line for the control as it stands.
std::string SettingsText(FormToolkit& toolkit, const DialogValueRow& row);
