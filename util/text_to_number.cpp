#include "util/text_to_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
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

double TextToReal(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && *p == ' ') ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* const numberStart = p;

  // While checking the form, the digits are gathered too: most numbers of an
  // exchange file have few digits and take the exact short way below. Up to
  // 19 digits fit the integer exactly; with more it has wrapped and is not
  // used.
  std::uint64_t mantissa = 0;
  while (p < end && IsDigit(*p)) mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
  std::size_t digitCount = static_cast<std::size_t>(p - numberStart);
  std::size_t decimals = 0;
  if (p < end && *p == '.') {
    const char* const fractionStart = ++p;
    while (p < end && IsDigit(*p)) mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    decimals = static_cast<std::size_t>(p - fractionStart);
    digitCount += decimals;
  }
  if (digitCount == 0) return 0;  // "." or a sign alone

  long exponent = 0;
  if (p < end && (*p == 'E' || *p == 'e')) {
    ++p;
    bool negativeExponent = false;
    if (p < end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    if (p == end || !IsDigit(*p)) return 0;
    for (; p < end && IsDigit(*p); ++p) {
      if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (p != end) return 0;  // any other character, a trailing blank included

  if (TakesShortWay(mantissa, digitCount, decimals, exponent)) {
    return ExactShortReal(mantissa, exponent - static_cast<long>(decimals), negative);
  }

  // The text is known to be well formed; the digits are converted with
  // correct rounding. The sign is put back by hand because the conversion
  // does not accept a "+".
  double value = 0;
  auto [last, error] = std::from_chars(numberStart, end, value, std::chars_format::general);
  if (last != end) return 0;
  // Out of range is either an overflow, which is no number Jw_cad could use,
  // or an underflow below the smallest denormal, whose value is zero anyway.
  if (error != std::errc() || std::isinf(value)) return 0;
  return negative ? -value : value;
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
