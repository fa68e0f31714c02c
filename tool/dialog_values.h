#pragma once
// The dialog's values as the OK action reads them, after its checks, and the
// ranges the checks accept. Plain values: what computes the dimension reads
// them without knowing the dialog's controls.

#include <string>

// Set from the dialog's controls, one by one (tool/dialog_value_rows.h), once
// they passed their checks. The dialog's defaults are the form's
// (tool/form_layout.cpp): DefaultDialogValues().
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
  int RoundingMode = 0;              // ComboBox5: a RoundingMode (util/geometry.h) by its index
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
