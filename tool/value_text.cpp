#include "tool/value_text.h"

#include "util/full_width.h"
#include "util/geometry.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

// "ｍ": the full-width letter m, always written for metres.
constexpr std::string_view kMetreUnit = "\x82\x8D";
constexpr std::string_view kMillimetreUnit = "mm";

// With the dialog's "無" (no zeros shown): drops the trailing zeros of the
// decimals, and the point itself when no decimal digit is left. Digits before
// the point are never touched.
void RemoveTrailingZeros(std::string& number) {
  const std::size_t point = number.find('.');
  if (point == std::string::npos) return;
  std::size_t cut = std::string::npos;
  for (std::size_t i = number.size(); i-- > point;) {
    if (number[i] != '0' && number[i] != '.') break;
    cut = i;
  }
  if (cut != std::string::npos) number.resize(cut);
}

}  // namespace

std::string FormatDimensionValue(double measuredLength, int valueUnit, int precisionIndex,
                                 int roundingMode, int showTrailingZeros, bool addThousandsCommas,
                                 bool addUnitText, bool fullWidthValue,
                                 std::string_view valuePrefix, std::string_view valueSuffix) {
  // Metres are converted before rounding, so the precision applies to the
  // number as it is shown.
  double v = measuredLength;
  if (valueUnit == 1) v = v / 1000;
  const double rounded = RoundToPrecision(precisionIndex, roundingMode, v);

  std::string number = addThousandsCommas ? RealToGroupedText(precisionIndex, rounded)
                                          : RealToFixedText(precisionIndex, rounded);
  if (showTrailingZeros == 0) RemoveTrailingZeros(number);
  if (fullWidthValue) number = ToFullWidth(number);

  std::string text = BlankToEmpty(valuePrefix);
  text += number;
  if (addUnitText) text += valueUnit == 1 ? kMetreUnit : kMillimetreUnit;
  text += BlankToEmpty(valueSuffix);
  return text;
}

double SmallestShownLength(int valueUnit, int precisionIndex) {
  static constexpr double kLastDecimal[] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};
  const int decimals = precisionIndex < 0 ? 0 : precisionIndex > 8 ? 8 : precisionIndex;
  const double step = kLastDecimal[decimals];
  return valueUnit == 1 ? step * 1000 : step;
}
