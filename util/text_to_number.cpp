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
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t numberStart = i;

  std::size_t digitCount = 0;
  while (i < text.size() && IsDigit(text[i])) {
    ++digitCount;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ++digitCount;
      ++i;
    }
  }
  if (digitCount == 0) return 0;  // "." or a sign alone

  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == text.size() || !IsDigit(text[i])) return 0;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  if (i != text.size()) return 0;  // any other character, a trailing blank included

  // The text is now known to be well formed; the digits are converted with
  // correct rounding. The sign is put back by hand because the conversion
  // does not accept a "+".
  double value = 0;
  const char* first = text.data() + numberStart;
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (end != last) return 0;
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
    if (IsLeadByte(b) && i + 1 < text.size()) {
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
