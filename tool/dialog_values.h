#pragma once
// The dialog's values as the OK action reads them, after its checks.

#include <string>

struct DialogValues {
  int StartMarkerKind = 0;    // ComboBox1, a kind of tool/end_markers.h
  int EndMarkerKind = 0;      // ComboBox2, likewise
  double EndMarkerScale = 1;  // Edit1, > 0
  double ArrowLength = 3;     // Edit7, paper mm, 0 < v <= 1000
  double ArrowAngle = 15;     // Edit8, degrees, 0 < v < 180
  int TextTypeChoice = 0;     // ComboBox3: 0 the current text type, 1..10 that type
  std::string ValuePrefix;    // Edit2, emptied when blank
  std::string ValueSuffix;    // Edit3, emptied when blank
  int PrecisionIndex = 3;     // ComboBox4, decimals 0..8
  int RoundingMode = 2;       // ComboBox5: 0 cut off, 1 round up, 2 half up
  int ShowTrailingZeros = 0;  // RadioGroup1: 0 removed, 1 kept
  int ValueUnit = 0;          // RadioGroup2: 0 mm, 1 m
  bool AddThousandsCommas = false;   // CheckBox1
  bool AddUnitText = false;          // CheckBox2
  bool FullWidthValue = false;       // CheckBox3
  bool MakeDimensionFigure = false;  // CheckBox4
  // Paper millimetres, not yet scaled.
  double TextGapPaper = 0.5;             // Edit4, unchecked
  double ExtensionGapPaper = 2;          // Edit5, >= 0
  double ExtensionOvershootPaper = 2;    // Edit6, >= 0
  double ReverseOvershootPaper = 2;      // Edit9, >= 0
};
