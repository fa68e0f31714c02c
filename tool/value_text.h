#pragma once
// The dimension value text: the measured length in the chosen unit, rounded,
// formatted and framed by prefix, unit and suffix (Shift-JIS).

#include <string>
#include <string_view>

#include "tool/dialog_values.h"
#include "util/geometry.h"

enum class ValueUnit {
  Millimetres,  // mm
  Metres,       // ｍ
};

// How the value text is made: the dialog's settings for it.
struct ValueTextSettings {
  ValueUnit Unit = ValueUnit::Millimetres;
  // The precision: decimals kept by the rounding and printed (0..8).
  int Decimals = 3;
  RoundingMode Rounding = RoundingMode::HalfUp;
  bool ShowTrailingZeros = false;
  bool ThousandsCommas = false;
  bool UnitText = false;   // "mm" or "ｍ" after the number
  bool FullWidth = false;  // the number in full-width characters
  // As typed; a blank one (BlankToEmpty) is left out.
  std::string Prefix{};
  std::string Suffix{};
};

// The value text settings the dialog's values give (list and radio indexes
// as the dialog's items stand).
ValueTextSettings ValueTextSettingsOf(const DialogValues& values);

// The value text of a dimension `measuredLength` real units (millimetres)
// long.
std::string FormatDimensionValue(double measuredLength, const ValueTextSettings& settings);

// The smallest length, in real units, whose value text differs from that of
// no length: one unit of the last decimal shown (`decimals` 0..8), in
// millimetres or metres.
double SmallestShownLength(ValueUnit unit, int decimals);
