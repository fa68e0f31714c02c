#include "util/number_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr char kDecimalSeparator = '.';
constexpr char kThousandsSeparator = ',';

// A positive decimal number 0.d1d2d3... x 10^Exponent; Digits has no leading
// zero. An empty Digits stands for zero.
struct Decimal {
  std::string Digits;
  int Exponent = 0;
};

// Multiplies a little-endian base-1e9 number by `factor` (at most 2^32).
void MultiplyBig(std::vector<std::uint64_t>& limbs, std::uint64_t factor) {
  std::uint64_t carry = 0;
  for (auto& limb : limbs) {
    std::uint64_t product = limb * factor + carry;
    limb = product % 1000000000u;
    carry = product / 1000000000u;
  }
  while (carry != 0) {
    limbs.push_back(carry % 1000000000u);
    carry /= 1000000000u;
  }
}

// The exact decimal expansion of a positive finite double. A double is
// m x 2^e with an integer m below 2^53; for e < 0 it equals m x 5^-e / 10^-e,
// so both cases only need a big integer times small factors. Every digit is
// exact: the rounding below must see the true value, not a 17-digit guess.
Decimal ExactDecimal(double magnitude) {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude);
  int exponentField = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int binaryExponent;
  if (exponentField == 0) {
    binaryExponent = -1074;
  } else {
    mantissa |= std::uint64_t{1} << 52;
    binaryExponent = exponentField - 1075;
  }
  if (mantissa == 0) return {};

  std::vector<std::uint64_t> limbs;
  for (std::uint64_t m = mantissa; m != 0; m /= 1000000000u) limbs.push_back(m % 1000000000u);
  if (binaryExponent >= 0) {
    for (int left = binaryExponent; left > 0; left -= 30) {
      MultiplyBig(limbs, std::uint64_t{1} << (left < 30 ? left : 30));
    }
  } else {
    constexpr std::uint64_t kFivePow13 = 1220703125;
    int left = -binaryExponent;
    for (; left >= 13; left -= 13) MultiplyBig(limbs, kFivePow13);
    std::uint64_t rest = 1;
    for (; left > 0; --left) rest *= 5;
    MultiplyBig(limbs, rest);
  }

  Decimal result;
  result.Digits = std::to_string(limbs.back());
  for (std::size_t i = limbs.size() - 1; i-- > 0;) {
    std::string limb = std::to_string(limbs[i]);
    result.Digits.append(9 - limb.size(), '0');
    result.Digits += limb;
  }
  result.Exponent =
      static_cast<int>(result.Digits.size()) + (binaryExponent < 0 ? binaryExponent : 0);
  while (!result.Digits.empty() && result.Digits.back() == '0') result.Digits.pop_back();
  return result;
}

// Adds one unit in the last place of a string of decimal digits; returns true
// when the carry ran out of the front (the digits were all 9 and are now all 0).
bool IncrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

// Keeps `count` significant digits, rounding half up on the digits given,
// and drops trailing zeros.
void RoundToSignificant(Decimal& d, std::size_t count) {
  if (d.Digits.size() > count) {
    bool up = d.Digits[count] >= '5';
    d.Digits.resize(count);
    if (up && IncrementDigits(d.Digits)) {
      d.Digits.assign(1, '1');
      ++d.Exponent;
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
}

// RoundToSignificant(ExactDecimal(magnitude), 15) the short way: from the 17
// significant digits of the correctly rounded decimal, which lies within half
// a unit of the 17th digit of the exact one. The two digits after the 15th
// then settle rounding half up, unless they read exactly 50. False then (the
// exact digits decide), and for zero and the largest doubles. A dimension
// row writes tens of thousands of numbers: this takes a fraction of the
// exact expansion's time.
bool FifteenDigitsQuickly(double magnitude, Decimal& d) {
  if (!(magnitude > 0) || magnitude >= 1e300) return false;
  // d.dddddddddddddddde-XX
  char text[40];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 16);
  if (written.ec != std::errc() || text[1] != '.' || text[18] != 'e') return false;
  int exponent = 0;
  const char* exponentText = text + 19 + (text[19] == '+' ? 1 : 0);
  if (std::from_chars(exponentText, written.ptr, exponent).ec != std::errc()) return false;
  const int tail = (text[17 - 1] - '0') * 10 + (text[17] - '0');
  if (tail == 50) return false;
  d.Digits.assign(1, text[0]);
  d.Digits.append(text + 2, 14);
  d.Exponent = exponent + 1;
  if (tail > 50 && IncrementDigits(d.Digits)) {
    d.Digits.assign(1, '1');
    ++d.Exponent;
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  return true;
}

// The shared general form: fixed for -3 <= E <= 15, otherwise 1.2345E-5.
std::string FormatGeneral(bool negative, const Decimal& d) {
  if (d.Digits.empty()) return "0";
  std::string text = negative ? "-" : "";
  const int digitCount = static_cast<int>(d.Digits.size());
  const int e = d.Exponent;
  if (e >= -3 && e <= 15) {
    if (e > 0) {
      if (digitCount <= e) {
        text += d.Digits;
        text.append(e - digitCount, '0');
      } else {
        text.append(d.Digits, 0, e);
        text += kDecimalSeparator;
        text.append(d.Digits, e);
      }
    } else {
      text += '0';
      text += kDecimalSeparator;
      text.append(-e, '0');
      text += d.Digits;
    }
    return text;
  }
  text += d.Digits[0];
  if (digitCount > 1) {
    text += kDecimalSeparator;
    text.append(d.Digits, 1);
  }
  text += 'E';
  text += std::to_string(e - 1);
  return text;
}

std::string FixedText(int decimals, double value, bool grouped) {
  if (decimals > 18) decimals = 2;
  if (decimals < 0) decimals = 0;
  // Infinity and NaN are no numbers Jw_cad or the dialog could read back.
  if (!std::isfinite(value)) value = 0;

  const bool negative = std::signbit(value);
  Decimal d = ExactDecimal(std::fabs(value));
  RoundToSignificant(d, 18);
  if (!d.Digits.empty() && d.Exponent > 18) return FormatGeneral(negative, d);

  // `scaled` holds the digits of |value| x 10^decimals after rounding half
  // away from zero at the last kept decimal.
  std::string scaled;
  const long keep = static_cast<long>(d.Exponent) + decimals;
  if (d.Digits.empty() || keep < 0) {
    scaled.assign(1, '0');
  } else if (keep == 0) {
    scaled.assign(1, d.Digits[0] >= '5' ? '1' : '0');
  } else {
    const std::size_t kept = static_cast<std::size_t>(keep);
    scaled = d.Digits.substr(0, kept);
    scaled.append(kept - scaled.size(), '0');
    if (kept < d.Digits.size() && d.Digits[kept] >= '5' && IncrementDigits(scaled)) {
      scaled.insert(scaled.begin(), '1');
    }
  }
  const bool isZero = scaled.find_first_not_of('0') == std::string::npos;
  if (scaled.size() < static_cast<std::size_t>(decimals) + 1) {
    scaled.insert(0, decimals + 1 - scaled.size(), '0');
  }
  const std::size_t integerDigits = scaled.size() - decimals;

  std::string text = (negative && !isZero) ? "-" : "";
  for (std::size_t i = 0; i < integerDigits; ++i) {
    if (grouped && i > 0 && (integerDigits - i) % 3 == 0) text += kThousandsSeparator;
    text += scaled[i];
  }
  if (decimals > 0) {
    text += kDecimalSeparator;
    text.append(scaled, integerDigits);
  }
  return text;
}

}  // namespace

std::string RealToText(double value) {
  if (!std::isfinite(value)) return "0";
  if (Decimal quick; FifteenDigitsQuickly(std::fabs(value), quick)) {
    return FormatGeneral(std::signbit(value), quick);
  }
  const Decimal exact = ExactDecimal(std::fabs(value));
  Decimal d = exact;
  RoundToSignificant(d, 15);
  std::string text = FormatGeneral(std::signbit(value), d);
  // Rounded up, the largest doubles (from 1.797693134862315E308) pass the
  // largest double: a text that reads back as no number at all. Those few
  // are cut to 15 digits instead, 1.79769313486231E308.
  if (d.Exponent >= 309) {
    double back = 0;
    const char* first = text.data() + (text[0] == '-' ? 1 : 0);
    if (std::from_chars(first, text.data() + text.size(), back).ec ==
        std::errc::result_out_of_range) {
      d = exact;
      if (d.Digits.size() > 15) d.Digits.resize(15);
      while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
      text = FormatGeneral(std::signbit(value), d);
    }
  }
  return text;
}

std::string IntegerToText(std::int64_t value) { return std::to_string(value); }

std::string IntegerToHexText(std::int64_t value, int minDigits) {
  // A negative value is written as the two's complement of its 32-bit form.
  std::uint64_t bits =
      value < 0 ? static_cast<std::uint32_t>(value) : static_cast<std::uint64_t>(value);
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kHexDigits[bits & 0xF]);
    bits >>= 4;
  } while (bits != 0);
  if (static_cast<int>(text.size()) < minDigits) text.insert(0, minDigits - text.size(), '0');
  return text;
}

std::string RealToFixedText(int decimals, double value) {
  return FixedText(decimals, value, false);
}

std::string RealToGroupedText(int decimals, double value) {
  return FixedText(decimals, value, true);
}
