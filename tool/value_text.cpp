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

ValueTextSettings ValueTextSettingsOf(const DialogValues& values) {
  ValueTextSettings s;
  s.Unit = values.ValueUnit == 1 ? ValueUnit::Metres : ValueUnit::Millimetres;
  s.Decimals = values.PrecisionIndex;
  s.Rounding = values.RoundingMode == 0   ? RoundingMode::CutOff
               : values.RoundingMode == 1 ? RoundingMode::RoundUp
                                          : RoundingMode::HalfUp;
  s.ShowTrailingZeros = values.ShowTrailingZeros != 0;
  s.ThousandsCommas = values.AddThousandsCommas;
  s.UnitText = values.AddUnitText;
  s.FullWidth = values.FullWidthValue;
  s.Prefix = values.ValuePrefix;
  s.Suffix = values.ValueSuffix;
  return s;
}

std::string FormatDimensionValue(double measuredLength, const ValueTextSettings& settings) {
  const bool metres = settings.Unit == ValueUnit::Metres;
  // Metres are converted before rounding, so the precision applies to the
  // number as it is shown.
  double v = measuredLength;
  if (metres) v = v / 1000;
  const double rounded = RoundToPrecision(settings.Decimals, settings.Rounding, v);

  std::string number = settings.ThousandsCommas ? RealToGroupedText(settings.Decimals, rounded)
                                                : RealToFixedText(settings.Decimals, rounded);
  if (!settings.ShowTrailingZeros) RemoveTrailingZeros(number);
  if (settings.FullWidth) number = ToFullWidth(number);

  std::string text = BlankToEmpty(settings.Prefix);
  text += number;
  if (settings.UnitText) text += metres ? kMetreUnit : kMillimetreUnit;
  text += BlankToEmpty(settings.Suffix);
  return text;
}

double SmallestShownLength(ValueUnit unit, int decimals) {
  static constexpr double kLastDecimal[] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};
  const double step = kLastDecimal[decimals < 0 ? 0 : decimals > 8 ? 8 : decimals];
  return unit == ValueUnit::Metres ? step * 1000 : step;
}
