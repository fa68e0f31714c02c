// The number and text formatters on any double and any text. Input: one byte
// of choices, eight bytes of a double, then a text (prefix and suffix are its
// two halves).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_output_checks.h"
#include "tool/value_text.h"
#include "util/full_width.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

bool HasInfOrNan(std::string_view s) {
  std::string lower(s);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

std::string Show(double x) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", x);
  return text;
}

// The shared rule: a number that reads back within 15 significant digits,
// with no trailing zeros, in fixed notation exactly for 1e-4 <= |v| < 1e15.
void CheckRealToText(double x) {
  const std::string t = RealToText(x);
  if (!std::isfinite(x)) {
    if (t != "0") FuzzFail("RealToText of inf or nan", t);
    return;
  }
  if (!IsNumberText(t) || t.size() > 22) FuzzFail("RealToText form", t + " for " + Show(x));
  const double y = TextToReal(t);
  if (!(std::fabs(y - x) <= std::fabs(x) * 1e-14 + 5e-324)) {
    FuzzFail("RealToText does not read back", t + " for " + Show(x));
  }
  if (RealToText(y) != t) FuzzFail("RealToText not stable", t + " for " + Show(x));
  const std::size_t e = t.find('E');
  const std::string mantissa = t.substr(0, e);
  if (mantissa.find('.') != std::string::npos && mantissa.back() == '0') {
    FuzzFail("RealToText trailing zero", t);
  }
  std::size_t significant = 0;
  bool leading = true;
  for (char c : mantissa) {
    if (c < '0' || c > '9') continue;
    if (c != '0') leading = false;
    if (!leading) ++significant;
  }
  if (significant > 15) FuzzFail("RealToText over 15 digits", t);
  const bool fixed = y == 0 || (std::fabs(y) >= 1e-4 && std::fabs(y) < 1e15);
  if (fixed != (e == std::string::npos)) FuzzFail("RealToText notation", t + " for " + Show(x));
}

// "-"? digits, then "." and exactly `decimals` digits when decimals > 0;
// grouped: commas between groups of three integer digits, else the same.
void CheckFixed(int decimals, double x) {
  const std::string f = RealToFixedText(decimals, x);
  const std::string g = RealToGroupedText(decimals, x);
  if (HasInfOrNan(f) || HasInfOrNan(g)) FuzzFail("fixed text inf or nan", f);
  if (!IsNumberText(f)) FuzzFail("fixed text form", f + " for " + Show(x));
  std::string ungrouped;
  for (char c : g) {
    if (c != ',') ungrouped += c;
  }
  if (ungrouped != f) FuzzFail("grouped text differs from fixed text", g + " / " + f);
  if (f.find('E') != std::string::npos) {
    if (std::fabs(x) < 1e17) FuzzFail("fixed text in scientific form", f + " for " + Show(x));
    return;
  }
  const std::size_t point = f.find('.');
  const std::size_t decimalsShown = point == std::string::npos ? 0 : f.size() - point - 1;
  if (static_cast<int>(decimalsShown) != decimals) FuzzFail("fixed text decimals", f);
  const std::size_t integerStart = f[0] == '-' ? 1 : 0;
  const std::size_t integerDigits = (point == std::string::npos ? f.size() : point) - integerStart;
  // Commas exactly every three digits from the point.
  std::size_t expectedCommas = (integerDigits - 1) / 3;
  if (g.size() != f.size() + expectedCommas) FuzzFail("grouped text commas", g);
  const std::size_t gPoint = g.find('.') == std::string::npos ? g.size() : g.find('.');
  for (std::size_t i = integerStart, left = integerDigits; i < gPoint; ++i) {
    if (left % 3 == 0 && i > integerStart) {
      if (g[i] != ',') FuzzFail("grouped text comma place", g);
      ++i;
    }
    --left;
  }
  if (std::isfinite(x)) {
    const double back = TextToReal(f);
    if (!(std::fabs(back - x) <=
          0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(x) * 1e-15)) {
      FuzzFail("fixed text value", f + " for " + Show(x));
    }
  }
}

// Full-width text of valid code page 932 is valid again, with every
// half-width character replaced.
void CheckFullWidth(std::string_view text) {
  const std::string w = ToFullWidth(text);
  if (!IsValidCp932(text)) return;
  if (!IsValidCp932(w)) FuzzFail("full-width text invalid", w);
  for (std::size_t i = 0; i < w.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(w[i]);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
      ++i;
      continue;
    }
    if ((b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF)) {
      FuzzFail("half-width character left in full-width text", w);
    }
  }
}

void CheckValueText(std::uint8_t choices, double length, std::string_view text) {
  static constexpr RoundingMode kModes[] = {RoundingMode::CutOff, RoundingMode::RoundUp,
                                            RoundingMode::HalfUp};
  ValueTextSettings settings;
  settings.Unit = (choices & 1) != 0 ? ValueUnit::Metres : ValueUnit::Millimetres;
  settings.Decimals = (choices >> 1) % 9;
  settings.Rounding = kModes[(choices >> 5) % 3];
  settings.ShowTrailingZeros = (choices >> 4) & 1;
  settings.ThousandsCommas = (choices >> 7) & 1;
  settings.UnitText = (choices >> 2) & 1;
  settings.FullWidth = (choices >> 3) & 1;
  const bool fullWidth = settings.FullWidth;
  const std::string_view prefix = text.substr(0, text.size() / 2);
  const std::string_view suffix = text.substr(text.size() / 2);
  settings.Prefix = std::string(prefix);
  settings.Suffix = std::string(suffix);
  const std::string v = FormatDimensionValue(length, settings);
  const std::string p = BlankToEmpty(prefix), s = BlankToEmpty(suffix);
  if (v.size() < p.size() + s.size() || v.compare(0, p.size(), p) != 0 ||
      v.compare(v.size() - s.size(), s.size(), s) != 0) {
    FuzzFail("value text lost its prefix or suffix", v);
  }
  std::string number = v.substr(p.size(), v.size() - p.size() - s.size());
  if (number.empty()) FuzzFail("value text without a number", v);
  if (fullWidth) {
    if (!IsValidCp932(number) || number.size() % 2 != 0) FuzzFail("full-width value", number);
    return;
  }
  if (settings.UnitText) {
    const std::string u = settings.Unit == ValueUnit::Metres ? "\x82\x8D" : "mm";
    if (number.size() < u.size() || number.compare(number.size() - u.size(), u.size(), u) != 0) {
      FuzzFail("value text unit", number);
    }
    number.resize(number.size() - u.size());
  }
  std::string plain;
  for (char c : number) {
    if (c != ',') plain += c;
  }
  if (HasInfOrNan(number) || !IsNumberText(plain)) FuzzFail("value number form", number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  const std::uint8_t choices = data[0];
  double x;
  std::memcpy(&x, data + 1, sizeof x);
  const std::string_view text(reinterpret_cast<const char*>(data + 9), size - 9);

  CheckRealToText(x);
  for (int decimals = 0; decimals <= 8; ++decimals) CheckFixed(decimals, x);
  CheckFullWidth(text);
  CheckValueText(choices, x, text);

  // Text to number never fails and never gives a number Jw_cad cannot read.
  if (!std::isfinite(TextToReal(text))) FuzzFail("TextToReal not finite", text);
  CheckRealToText(TextToReal(text));
  (void)TextToInteger(text);
  return 0;
}
