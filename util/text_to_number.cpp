#include "util/text_to_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "util/sjis.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::size_t SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  return i;
}

}  // namespace

std::int32_t TextToInteger(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return 0;  // no digits at all

  // The magnitude may reach 2^31 for the most negative value; anything above
  // is out of range, so the sum stops growing there and cannot overflow.
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int digit = base == 16 ? HexDigitValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) return 0;
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) return 0;
  }
  if (!negative && magnitude == kLimit) return 0;
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

namespace {

// A real number's text as read: its digits gathered into an integer on the
// way, for the exact short conversion most numbers of an exchange file take.
struct RealText {
  bool Negative = false;
  const char* Start = nullptr;  // the first digit or ".", after the sign
  std::uint64_t Mantissa = 0;   // the digits, exact up to 19 of them
  std::size_t DigitCount = 0;
  std::size_t Decimals = 0;  // digits after the point
  long Exponent = 0;
};

// Reads blanks, a sign, digits with an optional point and an optional
// exponent, and nothing after them; nothing for any other text.
std::optional<RealText> ReadRealText(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  RealText r;
  while (p < end && *p == ' ') ++p;
  if (p < end && (*p == '+' || *p == '-')) r.Negative = *p++ == '-';
  r.Start = p;
  while (p < end && IsDigit(*p)) r.Mantissa = r.Mantissa * 10 + static_cast<unsigned>(*p++ - '0');
  r.DigitCount = static_cast<std::size_t>(p - r.Start);
  if (p < end && *p == '.') {
    const char* const fractionStart = ++p;
    while (p < end && IsDigit(*p)) r.Mantissa = r.Mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    r.Decimals = static_cast<std::size_t>(p - fractionStart);
    r.DigitCount += r.Decimals;
  }
  if (r.DigitCount == 0) return std::nullopt;  // "." or a sign alone
  if (p < end && (*p == 'E' || *p == 'e')) {
    ++p;
    bool negativeExponent = false;
    if (p < end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    if (p == end || !IsDigit(*p)) return std::nullopt;
    for (; p < end && IsDigit(*p); ++p) {
      if (r.Exponent < 100000) r.Exponent = r.Exponent * 10 + (*p - '0');
    }
    if (negativeExponent) r.Exponent = -r.Exponent;
  }
  if (p != end) return std::nullopt;  // any other character, a trailing blank included
  return r;
}

// The exact short way (ExactShortReal, shared with the packed entity
// tables), for the magnitude; nothing when it does not apply.
std::optional<double> ShortConversion(const RealText& r) {
  if (!TakesShortWay(r.Mantissa, r.DigitCount, r.Decimals, r.Exponent)) return std::nullopt;
  return ExactShortReal(r.Mantissa, r.Exponent - static_cast<long>(r.Decimals), false);
}

}  // namespace

double TextToReal(std::string_view text) {
  const std::optional<RealText> r = ReadRealText(text);
  if (!r) return 0;
  double value = 0;
  if (const std::optional<double> exact = ShortConversion(*r)) {
    value = *exact;
  } else {
    // The text is known to be well formed; the digits are converted with
    // correct rounding. The sign is put back by hand because the conversion
    // does not accept a "+".
    const char* const end = text.data() + text.size();
    auto [last, error] = std::from_chars(r->Start, end, value, std::chars_format::general);
    // Out of range is either an overflow, which is no number Jw_cad could
    // use, or an underflow below the smallest denormal, whose value is zero
    // anyway.
    if (last != end || error != std::errc() || std::isinf(value)) return 0;
  }
  return r->Negative ? -value : value;
}

std::string RemoveBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (CharByteCount(text, i) == 2) {
      if (!(b == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40)) {
        result.append(text.substr(i, 2));
      }
      i += 2;
      continue;
    }
    // A lone lead byte at the very end is kept as a character of its own.
    if (b > 0x20) result.push_back(text[i]);
    ++i;
  }
  return result;
}

std::string BlankToEmpty(std::string_view text) {
  if (RemoveBlanks(text).empty()) return {};
  return std::string(text);
}
