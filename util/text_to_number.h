#pragma once
// Text to number conversions. They never fail: malformed text reads as 0 and
// callers check ranges themselves.

#include <cstdint>
#include <string>
#include <string_view>

// Decimal, or hexadecimal after "$", "x", "X", "0x" or "0X"; leading blanks and
// a sign allowed; anything else (a trailing blank, out of 32-bit range) gives 0.
std::int32_t TextToInteger(std::string_view text);

// [blanks][sign]digits[.digits][(E|e)[sign]digits] with "." as the decimal
// point whatever the locale; anything else, or an overflow to infinity, gives 0.
double TextToReal(std::string_view text);

// `text` without half-width blanks, full-width blanks (0x81 0x40) and control
// bytes. Used to decide whether a text is blank.
std::string RemoveBlanks(std::string_view text);
