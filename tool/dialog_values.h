#pragma once
// The dialog's values. DialogValues is what the OK action reads, after its
// checks. The table below holds, for every control that keeps a value, how
// that value is read and written and which line of t407.dat keeps it.

#include <span>
#include <string>

#include "tool/form_toolkit.h"

struct DialogValues {
  int StartMarkerKind = 0;           // ComboBox1, a kind of tool/end_markers.h
  int EndMarkerKind = 0;             // ComboBox2, likewise
  double EndMarkerScale = 1;         // Edit1, > 0
  double ArrowLength = 3;            // Edit7, paper mm, 0 < v <= 1000
  double ArrowAngle = 15;            // Edit8, degrees, 0 < v < 180
  int TextTypeChoice = 0;            // ComboBox3: 0 the current text type, 1..10 that type
  std::string ValuePrefix;           // Edit2, emptied when blank
  std::string ValueSuffix;           // Edit3, emptied when blank
  int PrecisionIndex = 3;            // ComboBox4, decimals 0..8
  int RoundingMode = 2;              // ComboBox5: 0 cut off, 1 round up, 2 half up
  int ShowTrailingZeros = 0;         // RadioGroup1: 0 removed, 1 kept
  int ValueUnit = 0;                 // RadioGroup2: 0 mm, 1 m
  bool AddThousandsCommas = false;   // CheckBox1
  bool AddUnitText = false;          // CheckBox2
  bool FullWidthValue = false;       // CheckBox3
  bool MakeDimensionFigure = false;  // CheckBox4
  // Paper millimetres, not yet scaled.
  double TextGapPaper = 0.5;           // Edit4, unchecked
  double ExtensionGapPaper = 2;        // Edit5, >= 0
  double ExtensionOvershootPaper = 2;  // Edit6, >= 0
  double ReverseOvershootPaper = 2;    // Edit9, >= 0
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
  // An edit holding a text; t407.dat keeps it as typed.
  Text,
  // A check box: "1" or "0"; any integer but 0 reads as checked.
  Check,
};

struct DialogValueRow {
  ControlId Control;
  ValueForm Form;
  int SettingLine;  // the line of t407.dat (3..22)
};

// Every control that keeps a value, one row each.
std::span<const DialogValueRow> DialogValueRows();
// The row of `control`, or null when the control keeps no value.
const DialogValueRow* FindDialogValue(ControlId control);
// The row kept on `line` of t407.dat, or null.
const DialogValueRow* DialogValueOnLine(int line);

// Sets the row's control from the text of its t407.dat line, as t407 does.
void ApplySettingsText(FormToolkit& toolkit, const DialogValueRow& row, const std::string& text);
// The text of the row's t407.dat line for the control as it stands.
std::string SettingsText(FormToolkit& toolkit, const DialogValueRow& row);
