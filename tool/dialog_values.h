#pragma once
// The dialog's values. DialogValues is what the OK action reads, after its
// checks. The table below holds, for every control that keeps a value, how
// that value is read and written and which line of t407.dat keeps it.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "tool/form_toolkit.h"

// Set from the table below, control by control; the checks are the table's.
// The dialog's defaults are the form's (tool/form_layout.cpp):
// DefaultDialogValues().
struct DialogValues {
  int StartMarkerKind = 0;           // ComboBox1, a kind of tool/end_markers.h
  int EndMarkerKind = 0;             // ComboBox2, likewise
  double EndMarkerScale = 0;         // Edit1
  double ArrowLength = 0;            // Edit7, paper mm
  double ArrowAngle = 0;             // Edit8, degrees
  int TextTypeChoice = 0;            // ComboBox3: 0 the current text type, 1..10 that type
  std::string ValuePrefix;           // Edit2, emptied when blank
  std::string ValueSuffix;           // Edit3, emptied when blank
  int PrecisionIndex = 0;            // ComboBox4, decimals 0..8
  int RoundingMode = 0;              // ComboBox5: 0 cut off, 1 round up, 2 half up
  int ShowTrailingZeros = 0;         // RadioGroup1: 0 removed, 1 kept
  int ValueUnit = 0;                 // RadioGroup2: 0 mm, 1 m
  bool AddThousandsCommas = false;   // CheckBox1
  bool AddUnitText = false;          // CheckBox2
  bool FullWidthValue = false;       // CheckBox3
  bool MakeDimensionFigure = false;  // CheckBox4
  // Paper millimetres, not yet scaled.
  double TextGapPaper = 0;             // Edit4
  double ExtensionGapPaper = 0;        // Edit5
  double ExtensionOvershootPaper = 0;  // Edit6
  double ReverseOvershootPaper = 0;    // Edit9

  bool operator==(const DialogValues&) const = default;
};

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

// The values a check accepts: above Low (or from Low on, when LowIncluded)
// and below High (or up to High, when HighIncluded).
struct AcceptedRange {
  double Low = 0;
  bool LowIncluded = true;
  double High = 0;
  bool HighIncluded = true;

  constexpr bool Holds(double v) const {
    return (LowIncluded ? v >= Low : v > Low) && (HighIncluded ? v <= High : v < High);
  }
};

// Where DialogValues keeps a value: an int for the index forms, a double for
// Number, a std::string for Text and a bool for Check.
using DialogValueField = std::variant<int DialogValues::*, double DialogValues::*,
                                      std::string DialogValues::*, bool DialogValues::*>;

struct DialogValueRow {
  ControlId Control;
  ValueForm Form;
  int SettingLine;  // the line of t407.dat (3..22)
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
