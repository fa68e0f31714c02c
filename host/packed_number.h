#pragma once
// The number tokens of the entity tables, kept as text in half the bytes and
// converted by TextToReal only when a record is read back: the reader stores
// the coordinates of a big drawing without converting one of them, and a
// record read back holds exactly the doubles TextToReal gives its tokens.
//
// A token made only of digits, ".", "+", "-", "e" and "E" is kept as one 4-bit
// code per byte, two to a byte (the first in the low half), ended by the code
// 0xF. Any other token is kept as the value TextToReal gives it: the byte 0xCC
// and the eight bytes of the double.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The most bytes PackNumber writes for a token of `tokenBytes` bytes.
constexpr std::size_t PackedNumberMaxBytes(std::size_t tokenBytes) {
  return std::max<std::size_t>(tokenBytes / 2 + 1, 1 + sizeof(double));
}

// Writes `token` packed at `out`; returns the end of what was written.
std::uint8_t* PackNumber(std::string_view token, std::uint8_t* out);

// TextToReal of the token packed at `in`; `in` moves past it. The bytes up
// to `readableEnd` may be read, more than the number's own, which lets a
// short number be read eight bytes at a time.
double ReadPackedNumber(const std::uint8_t*& in, const std::uint8_t* readableEnd);

// The end of the packed number at `in`.
const std::uint8_t* SkipPackedNumber(const std::uint8_t* in);
