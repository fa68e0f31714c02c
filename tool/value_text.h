#pragma once
// The dimension value text: the measured length in the chosen unit, rounded,
// formatted and framed by prefix, unit and suffix (Shift-JIS).

#include <string>
#include <string_view>

// The prefix/suffix rule: a text holding nothing but blanks, full-width blanks
// and control bytes becomes empty; any other text is kept exactly as typed.
std::string BlankToEmpty(std::string_view text);

std::string FormatDimensionValue(double measuredLength, int valueUnit, int precisionIndex,
                                 int roundingMode, int showTrailingZeros, bool addThousandsCommas,
                                 bool addUnitText, bool fullWidthValue,
                                 std::string_view valuePrefix, std::string_view valueSuffix);
