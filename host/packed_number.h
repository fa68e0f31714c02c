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
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "util/text_to_number.h"

// The most bytes PackNumber writes for a token of `tokenBytes` bytes.
constexpr std::size_t PackedNumberMaxBytes(std::size_t tokenBytes) {
  return std::max<std::size_t>(tokenBytes / 2 + 1, 1 + sizeof(double));
}

// Writes `token` packed at `out`; returns the end of what was written.
std::uint8_t* PackNumber(std::string_view token, std::uint8_t* out);

// TextToReal of the token packed at `in`; `in` moves past it. The bytes up
// to `readableEnd` may be read, more than the number's own, which lets a
// short number be read eight bytes at a time.
inline double ReadPackedNumber(const std::uint8_t*& in, const std::uint8_t* readableEnd);

// ReadPackedNumber of the four numbers packed one after another at `in`, into
// `values`: the same doubles, read side by side where the processor can.
void ReadFourPackedNumbers(const std::uint8_t*& in, const std::uint8_t* readableEnd,
                           double* values);

// The end of the packed number at `in`.
const std::uint8_t* SkipPackedNumber(const std::uint8_t* in);

// ---- Reading, here so that the loop reading a whole table inlines it ----------

namespace packed_number {

inline constexpr unsigned kEnd = 0xF;
inline constexpr unsigned kPlus = 0xB;
inline constexpr unsigned kMinus = 0xD;
inline constexpr unsigned kPoint = 0xE;
// A value kept as its double; its low half is no code a token starts with.
inline constexpr std::uint8_t kValueMark = 0xCC;

// Any packed number, the slow way: a kept value, or the codes as their
// characters, read by TextToReal.
double ReadAnyNumber(const std::uint8_t*& in);

// A number of up to 15 codes, as most coordinates are: an optional sign,
// digits and at most one point, read from the eight bytes at `in` as sixteen
// codes of four bits at once. On success `in` moves past it; any other token
// is left to ReadAnyNumber, a kept value too (its first code is no digit). (A bool and a reference
// rather than an optional: the optional went through memory, which cost a third of the time.)
inline bool ReadShortNumber(const std::uint8_t*& in, double& value) {
  if constexpr (std::endian::native != std::endian::little) return false;
  // Code i in bits 4i to 4i + 3.
  std::uint64_t codes;
  std::memcpy(&codes, in, sizeof codes);
  constexpr std::uint64_t kLowBits = 0x1111111111111111;
  // A code is 0xF where all four of its bits are set.
  const std::uint64_t ends = codes & (codes >> 1) & (codes >> 2) & (codes >> 3) & kLowBits;
  if (ends == 0) return false;
  const int length = std::countr_zero(ends) / 4;
  const std::uint8_t* const next = in + length / 2 + 1;

  // Written without branches that hang on the number: signs, points and
  // lengths vary from one coordinate to the next, and a guess gone wrong
  // cost as much as the whole reading.
  const unsigned first = codes & 0xF;
  const bool negative = first == kMinus;
  const bool signed_ = negative || first == kPlus;
  codes >>= 4 * static_cast<int>(signed_);
  int digits = length - static_cast<int>(signed_);
  // Codes above 9 have bit 3 and bit 1 or 2 set; the point must be the only one.
  const std::uint64_t inToken = (std::uint64_t{1} << (4 * digits)) - 1;
  const std::uint64_t others = (codes >> 3) & ((codes >> 2) | (codes >> 1)) & kLowBits & inToken;
  // Without a point, `point` lies past the digits and removing it changes none.
  const int point = std::countr_zero(others | (std::uint64_t{1} << (4 * digits))) / 4;
  const bool hasPoint = others != 0;
  if ((others & (others - 1)) != 0 || (hasPoint && ((codes >> (4 * point)) & 0xF) != kPoint)) {
    return false;
  }
  const std::size_t decimals = hasPoint ? static_cast<std::size_t>(digits - point - 1) : 0;
  const std::uint64_t before = (std::uint64_t{1} << (4 * point)) - 1;
  codes = (codes & before) | ((codes >> 4) & ~before);
  digits -= static_cast<int>(hasPoint);
  if (digits == 0) return false;

  // The digits moved up until the last is code 15: then code j is worth
  // 10^(15 - j), and pairs, fours and eights of codes are summed in their
  // bytes, 16-bit and 32-bit halves.
  codes = (codes & ((std::uint64_t{1} << (4 * digits)) - 1)) << (4 * (16 - digits));
  constexpr std::uint64_t kLowHalves = 0x0F0F0F0F0F0F0F0F;
  const std::uint64_t pairs = (codes & kLowHalves) * 10 + ((codes >> 4) & kLowHalves);
  constexpr std::uint64_t kLowBytes = 0x00FF00FF00FF00FF;
  const std::uint64_t fours = (pairs & kLowBytes) * 100 + ((pairs >> 8) & kLowBytes);
  constexpr std::uint64_t kLowWords = 0x0000FFFF0000FFFF;
  const std::uint64_t eights = (fours & kLowWords) * 10000 + ((fours >> 16) & kLowWords);
  const std::uint64_t mantissa = (eights & 0xFFFFFFFF) * 100000000 + (eights >> 32);

  // At most 15 digits and 14 decimals: always TextToReal's short way.
  value = ExactShortReal(mantissa, -static_cast<long>(decimals), negative);
  in = next;
  return true;
}

}  // namespace packed_number

inline double ReadPackedNumber(const std::uint8_t*& in, const std::uint8_t* readableEnd) {
  if (double value; readableEnd - in >= 8 && packed_number::ReadShortNumber(in, value)) {
    return value;
  }
  return packed_number::ReadAnyNumber(in);
}
