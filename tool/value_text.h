#pragma once
// The dimension value text: the measured length in the chosen unit, rounded,
// formatted and framed by prefix, unit and suffix (Shift-JIS).

#include <string>
#include <string_view>

std::string FormatDimensionValue(double measuredLength, int valueUnit, int precisionIndex,
                                 int roundingMode, int showTrailingZeros, bool addThousandsCommas,
                                 bool addUnitText, bool fullWidthValue,
                                 std::string_view valuePrefix, std::string_view valueSuffix);

// The smallest length, in real units, whose value text differs from that of
// no length: one unit of the last decimal shown (`precisionIndex` 0..8
// decimals), in millimetres or, for `valueUnit` 1, in metres.
double SmallestShownLength(int valueUnit, int precisionIndex);
