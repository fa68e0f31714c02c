#pragma once
// Numbers to text. The decimal point is always "." and the thousands
// separator always ",", whatever the system locale says: the texts go into
// the exchange file and t407.dat, which are always read with ".".

#include <cstdint>
#include <string>

// The shared rule for every real written without a format of its own: at most
// 15 significant digits rounded half up on the exact decimal value, no
// trailing zeros, fixed notation for 1e-4 <= |v| < 1e15, else 1E15, 1.2345E-5.
// Zero (and -0) give "0". Never "inf" or "nan": those are written "0".
std::string RealToText(double value);

// Plain decimal, "-" before a negative value.
std::string IntegerToText(std::int64_t value);

// Upper-case hexadecimal with at least `minDigits` digits.
std::string IntegerToHexText(std::int64_t value, int minDigits);

// Fixed-point text with exactly `decimals` decimals (0..18, anything larger
// gives 2), half away from zero on the 18-significant-digit decimal form;
// |value| >= 1e18 falls back to scientific notation with up to 18 digits.
std::string RealToFixedText(int decimals, double value);
// The same with "," between groups of three integer digits.
std::string RealToGroupedText(int decimals, double value);
