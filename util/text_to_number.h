#pragma once
// Text to number conversions. They never fail: malformed text reads as 0 and
// callers check ranges themselves.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Decimal, or hexadecimal after "$", "x", "X", "0x" or "0X"; leading blanks and
// a sign allowed; anything else (a trailing blank, out of 32-bit range) gives 0.
std::int32_t TextToInteger(std::string_view text);

// [blanks][sign]digits[.digits][(E|e)[sign]digits] with "." as the decimal
// point whatever the locale; anything else, or an overflow to infinity, gives 0.
double TextToReal(std::string_view text);

// TextToReal's short way, for an integer `mantissa` up to 2^53 and `power`
// -22 to 22: the value mantissa x 10^power, with its sign. The integer and
// the power of ten are both exact doubles, so one multiplication or division
// rounds correctly, to the double the full conversion gives. Whatever reads
// numbers without their text (the packed entity tables) goes this way too,
// and so gets TextToReal's very doubles.
inline double ExactShortReal(std::uint64_t mantissa, long power, bool negative) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  // Through a signed integer, which converts in one instruction.
  const double integer = static_cast<double>(static_cast<std::int64_t>(mantissa));
  // x / 1 is x: a number without an exponent is always divided, so that how
  // many decimals it has decides no branch.
  const double magnitude =
      power <= 0 ? integer / kPowersOfTen[-power] : integer * kPowersOfTen[power];
  // The sign bit set is the negation of a magnitude of +0 or more.
  return std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) |
                               static_cast<std::uint64_t>(negative) << 63);
}

// Whether a well-formed number whose `digitCount` digits, `decimals` of them
// after the point, read as the integer `mantissa` (valid up to 19 digits),
// with `exponent` after an "E", takes the short way: ExactShortReal(mantissa,
// exponent - decimals, sign).
inline bool TakesShortWay(std::uint64_t mantissa, std::size_t digitCount, std::size_t decimals,
                          long exponent) {
  if (digitCount > 19 || mantissa > (std::uint64_t{1} << 53) || decimals > 40) return false;
  const long power = exponent - static_cast<long>(decimals);
  return power >= -22 && power <= 22;
}

// `text` without half-width blanks, full-width blanks (0x81 0x40) and control
// bytes. Used to decide whether a text is blank.
std::string RemoveBlanks(std::string_view text);

// The rule for a prefix or a suffix: a text holding nothing but blanks,
// full-width blanks and control bytes becomes empty; any other text is kept
// exactly as typed.
std::string BlankToEmpty(std::string_view text);
