#include "host/packed_number.h"

#include <array>
#include <cstring>
#include <string>

#include "util/text_to_number.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define T408_FOUR_AT_ONCE 1
#endif

namespace {

using packed_number::kEnd;
using packed_number::kMinus;
using packed_number::kPlus;
using packed_number::kValueMark;
constexpr unsigned kNotPackable = 0x10;

// The characters of the codes 0 to 0xE. "e" stands for "E" too: TextToReal
// reads both alike.
constexpr char kCodeChars[] = "0123456789e+?-.";

constexpr std::array<std::uint8_t, 256> MakeCodes() {
  std::array<std::uint8_t, 256> codes{};
  codes.fill(kNotPackable);
  for (unsigned code = 0; code < sizeof kCodeChars - 1; ++code) {
    if (kCodeChars[code] != '?') codes[static_cast<unsigned char>(kCodeChars[code])] = code;
  }
  codes['E'] = codes['e'];
  return codes;
}
constexpr std::array<std::uint8_t, 256> kCodes = MakeCodes();

std::uint8_t* PackValue(double value, std::uint8_t* out) {
  *out = kValueMark;
  std::memcpy(out + 1, &value, sizeof value);
  return out + 1 + sizeof value;
}

#if defined(__SSE2__)
// A token of 8 to 15 bytes of digits, ".", "+" and "-", as most coordinates
// are, packed sixteen bytes at a time: the codes of these bytes are the low
// halves of their ASCII codes. Null for any other token, nothing written.
std::uint8_t* PackUsualNumber(std::string_view token, std::uint8_t* out) {
  const std::size_t n = token.size();
  if (n < 8 || n > 15) return nullptr;
  // Bytes 0 to 7, and 8 to n - 1 taken from the last eight bytes, so that
  // nothing after the token is read.
  std::uint64_t first, last;
  std::memcpy(&first, token.data(), 8);
  std::memcpy(&last, token.data() + n - 8, 8);
  last = (last >> 8) >> (8 * (15 - n));
  const __m128i x = _mm_set_epi64x(static_cast<long long>(last), static_cast<long long>(first));
  const __m128i inToken =
      _mm_cmplt_epi8(_mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15),
                     _mm_set1_epi8(static_cast<char>(n)));
  const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('0' - 1)),
                                      _mm_cmplt_epi8(x, _mm_set1_epi8('9' + 1)));
  const __m128i mark = _mm_or_si128(
      _mm_cmpeq_epi8(x, _mm_set1_epi8('.')),
      _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('-')), _mm_cmpeq_epi8(x, _mm_set1_epi8('+'))));
  if (_mm_movemask_epi8(_mm_andnot_si128(_mm_or_si128(digit, mark), inToken)) != 0) return nullptr;
  // The code of each byte, the end code after the token; then two codes to a byte.
  const __m128i low = _mm_set1_epi8(0x0F);
  const __m128i codes = _mm_or_si128(_mm_and_si128(x, low), _mm_andnot_si128(inToken, low));
  const __m128i pairs =
      _mm_and_si128(_mm_or_si128(codes, _mm_srli_epi16(codes, 4)), _mm_set1_epi16(0x00FF));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(pairs, pairs));
  return out + n / 2 + 1;
}
#endif

// The codes as the characters they stand for, and TextToReal of them: any
// token at all, read the slow way.
double ReadNumberText(const std::uint8_t*& in) {
  // Nearly every token fits the buffer; a longer one goes to the heap.
  char buffer[64];
  std::size_t length = 0;
  std::string longToken;
  const auto append = [&](unsigned code) {
    if (length == sizeof buffer) longToken.assign(buffer, length);
    if (length >= sizeof buffer) {
      longToken.push_back(kCodeChars[code]);
    } else {
      buffer[length] = kCodeChars[code];
    }
    ++length;
  };
  for (;; ++in) {
    const unsigned low = *in & 0xF, high = *in >> 4;
    if (low == kEnd) break;
    append(low);
    if (high == kEnd) break;
    append(high);
  }
  ++in;
  return TextToReal(length > sizeof buffer ? std::string_view(longToken)
                                           : std::string_view(buffer, length));
}

#if defined(T408_FOUR_AT_ONCE)
// Four numbers read one after another each wait for the end of the one
// before, and the reading of one takes some ninety instructions: read side
// by side in the four lanes of AVX2, a line's four take three quarters of the
// time.

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

// Bit i set: byte i of the 32 at `at` is the last of a number (it holds the
// end code in either half). Only numbers of codes, no kept value, lie there.
std::uint32_t LastBytes(const std::uint8_t* at) {
  const __m128i low = _mm_set1_epi8(0x0F), high = _mm_set1_epi8(static_cast<char>(0xF0));
  const auto ends = [&](const std::uint8_t* from) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(
        _mm_cmpeq_epi8(_mm_and_si128(x, low), low), _mm_cmpeq_epi8(_mm_and_si128(x, high), high))));
  };
  return ends(at) | ends(at + 16) << 16;
}

#define T408_AVX2 __attribute__((target("avx2"), always_inline)) inline

// Bit 0 of every code of `x` that is 0xF.
T408_AVX2 __m256i EndCodes(__m256i x) {
  return _mm256_and_si256(
      _mm256_and_si256(_mm256_and_si256(x, _mm256_srli_epi64(x, 1)),
                       _mm256_and_si256(_mm256_srli_epi64(x, 2), _mm256_srli_epi64(x, 3))),
      _mm256_set1_epi64x(0x1111111111111111));
}

// How many codes have bit 0 set in `bits`, which has no other bits.
T408_AVX2 __m256i CodeCount(__m256i bits) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i ones = _mm256_set1_epi8(1);
  return _mm256_add_epi64(
      _mm256_sad_epu8(_mm256_and_si256(bits, ones), zero),
      _mm256_sad_epu8(_mm256_and_si256(_mm256_srli_epi64(bits, 4), ones), zero));
}

// `x` with the codes marked in `after` taken from one place higher.
T408_AVX2 __m256i MovedDown(__m256i x, __m256i after) {
  return _mm256_or_si256(_mm256_andnot_si256(after, x),
                         _mm256_and_si256(_mm256_srli_epi64(x, 4), after));
}

// The power of ten of four: a, b, c or e, as `halves` picks them.
T408_AVX2 __m256d PickPower(__m256i halves, double a, double b, double c, double e) {
  return _mm256_castsi256_pd(
      _mm256_permutevar8x32_epi32(_mm256_castpd_si256(_mm256_setr_pd(a, b, c, e)), halves));
}

// 10^d in each lane, d 0 to 15: picked from four registers of four powers
// each (a gather would take longer than all the rest).
T408_AVX2 __m256d PowersOfTen(__m256i d) {
  const __m256i place = _mm256_slli_epi64(_mm256_and_si256(d, _mm256_set1_epi64x(3)), 1);
  const __m256i halves =
      _mm256_or_si256(place, _mm256_slli_epi64(_mm256_add_epi64(place, _mm256_set1_epi64x(1)), 32));
  const __m256i group = _mm256_srli_epi64(d, 2);
  __m256d power = PickPower(halves, 1e0, 1e1, 1e2, 1e3);
  power = _mm256_blendv_pd(power, PickPower(halves, 1e4, 1e5, 1e6, 1e7),
                           _mm256_castsi256_pd(_mm256_cmpeq_epi64(group, _mm256_set1_epi64x(1))));
  power = _mm256_blendv_pd(power, PickPower(halves, 1e8, 1e9, 1e10, 1e11),
                           _mm256_castsi256_pd(_mm256_cmpeq_epi64(group, _mm256_set1_epi64x(2))));
  return _mm256_blendv_pd(power, PickPower(halves, 1e12, 1e13, 1e14, 1e15),
                          _mm256_castsi256_pd(_mm256_cmpeq_epi64(group, _mm256_set1_epi64x(3))));
}

// Four numbers' codes in the lanes, their sign taken off: which codes are
// the token's, which lanes are negative, where the point is, and which lanes
// hold a number of the short form at all.
struct FourTokens {
  __m256i Codes, Token, Negative, Points, Ok;
};

T408_AVX2 FourTokens TokensOfFour(const std::uint8_t* const* starts) {
  // Eight bytes from each start (not through memory: four narrow stores read
  // back as one wide load would stall).
  const auto word = [&](int i) {
    std::uint64_t w;
    std::memcpy(&w, starts[i], sizeof w);
    return static_cast<long long>(w);
  };
  __m256i codes = _mm256_set_epi64x(word(3), word(2), word(1), word(0));
  const __m256i zero = _mm256_setzero_si256();
  const __m256i one = _mm256_set1_epi64x(1);
  const __m256i lowBits = _mm256_set1_epi64x(0x1111111111111111);

  const __m256i ends = EndCodes(codes);
  const __m256i endless = _mm256_cmpeq_epi64(ends, zero);
  // Every bit below the first end: the token's codes.
  __m256i token = _mm256_sub_epi64(_mm256_and_si256(ends, _mm256_sub_epi64(zero, ends)), one);
  const __m256i first = _mm256_and_si256(codes, _mm256_set1_epi64x(0xF));
  const __m256i negative = _mm256_cmpeq_epi64(first, _mm256_set1_epi64x(kMinus));
  const __m256i sign =
      _mm256_or_si256(negative, _mm256_cmpeq_epi64(first, _mm256_set1_epi64x(kPlus)));
  const __m256i signShift = _mm256_and_si256(sign, _mm256_set1_epi64x(4));
  codes = _mm256_srlv_epi64(codes, signShift);
  token = _mm256_srlv_epi64(token, signShift);

  // Codes above 9, of which only one point may be there.
  const __m256i others = _mm256_and_si256(
      _mm256_and_si256(_mm256_srli_epi64(codes, 3),
                       _mm256_or_si256(_mm256_srli_epi64(codes, 2), _mm256_srli_epi64(codes, 1))),
      _mm256_and_si256(lowBits, token));
  const __m256i points = _mm256_and_si256(EndCodes(_mm256_xor_si256(codes, lowBits)), token);
  __m256i ok = _mm256_andnot_si256(endless, _mm256_cmpeq_epi64(others, points));
  ok = _mm256_and_si256(
      ok, _mm256_cmpeq_epi64(_mm256_and_si256(points, _mm256_sub_epi64(points, one)), zero));
  return FourTokens{codes, token, negative, points, ok};
}

// The digits of four tokens, the point taken out, and their counts.
struct FourDigitRuns {
  __m256i Codes, Digits, Decimals;
};

T408_AVX2 FourDigitRuns DigitsOfFour(const FourTokens& t) {
  const __m256i lowBits = _mm256_set1_epi64x(0x1111111111111111);
  // The point and every code after it, then the codes after it moved down
  // onto it.
  __m256i after = t.Points;
  after = _mm256_or_si256(after, _mm256_slli_epi64(after, 4));
  after = _mm256_or_si256(after, _mm256_slli_epi64(after, 8));
  after = _mm256_or_si256(after, _mm256_slli_epi64(after, 16));
  after = _mm256_or_si256(after, _mm256_slli_epi64(after, 32));
  const __m256i afterCodes = _mm256_sub_epi64(_mm256_slli_epi64(after, 4), after);
  const __m256i codes = MovedDown(t.Codes, afterCodes);
  const __m256i token = MovedDown(t.Token, afterCodes);
  const __m256i digitBits = _mm256_and_si256(token, lowBits);
  return FourDigitRuns{_mm256_and_si256(codes, token), CodeCount(digitBits),
                       CodeCount(_mm256_and_si256(digitBits, after))};
}

// The integers the digits read as: moved up until the last digit is code 15,
// then summed in pairs, fours and eights, as ReadShortNumber does.
T408_AVX2 __m256i MantissasOfFour(const FourDigitRuns& d) {
  const __m256i codes = _mm256_sllv_epi64(
      d.Codes, _mm256_slli_epi64(_mm256_sub_epi64(_mm256_set1_epi64x(16), d.Digits), 2));
  const __m256i lowHalves = _mm256_set1_epi8(0x0F);
  const __m256i highDigits = _mm256_and_si256(codes, lowHalves);
  const __m256i pairs = _mm256_add_epi64(
      _mm256_add_epi64(_mm256_slli_epi64(highDigits, 3), _mm256_slli_epi64(highDigits, 1)),
      _mm256_and_si256(_mm256_srli_epi64(codes, 4), lowHalves));
  const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
  const __m256i fours = _mm256_add_epi16(
      _mm256_mullo_epi16(_mm256_and_si256(pairs, lowBytes), _mm256_set1_epi16(100)),
      _mm256_and_si256(_mm256_srli_epi64(pairs, 8), lowBytes));
  const __m256i lowWords = _mm256_set1_epi32(0x0000FFFF);
  const __m256i eights = _mm256_add_epi32(
      _mm256_mullo_epi32(_mm256_and_si256(fours, lowWords), _mm256_set1_epi32(10000)),
      _mm256_and_si256(_mm256_srli_epi64(fours, 16), lowWords));
  return _mm256_add_epi64(_mm256_mul_epu32(eights, _mm256_set1_epi64x(100000000)),
                          _mm256_srli_epi64(eights, 32));
}

// ExactShortReal in four lanes: an integer below 2^52 is exact as the double
// 2^52 + m less 2^52; one division; the sign bit.
T408_AVX2 __m256d ValuesOfFour(__m256i mantissa, __m256i decimals, __m256i negative) {
  const __m256d integer = _mm256_sub_pd(
      _mm256_castsi256_pd(_mm256_or_si256(mantissa, _mm256_set1_epi64x(0x4330000000000000))),
      _mm256_set1_pd(0x1p52));
  const __m256d magnitude = _mm256_div_pd(integer, PowersOfTen(decimals));
  return _mm256_or_pd(
      magnitude, _mm256_castsi256_pd(_mm256_and_si256(negative, _mm256_set1_epi64x(INT64_MIN))));
}

// ReadShortNumber in four lanes: the numbers at `starts` (each with eight
// bytes readable) into `values`, and a bit for each lane that was one to read
// (the others are left to ReadAnyNumber). Lane by lane the same steps, the
// place of the point and the counts of digits found without a loop: the
// codes from the point on as a mask smeared upward, the counts by summing
// bytes.
T408_AVX2 unsigned ReadFourShortNumbers(const std::uint8_t* const* starts, double* values) {
  const FourTokens tokens = TokensOfFour(starts);
  const FourDigitRuns digits = DigitsOfFour(tokens);
  const __m256i ok =
      _mm256_and_si256(tokens.Ok, _mm256_cmpgt_epi64(digits.Digits, _mm256_setzero_si256()));
  _mm256_storeu_pd(values, ValuesOfFour(MantissasOfFour(digits), digits.Decimals, tokens.Negative));
  return static_cast<unsigned>(_mm256_movemask_pd(_mm256_castsi256_pd(ok)));
}

// The four numbers at `in`, found from the last bytes in the window of 32
// and read side by side; false (nothing read) when they do not all end in
// the window or one is a kept value, whose eight bytes may look like ends.
__attribute__((target("avx2"))) bool ReadFourAtOnce(const std::uint8_t*& in, double* values) {
  std::uint32_t last = LastBytes(in);
  const std::uint8_t* starts[4];
  std::size_t next = 0;
  bool fourEnds = true;
  for (const std::uint8_t*& start : starts) {
    start = in + next;
    fourEnds &= last != 0;
    next = static_cast<std::size_t>(std::countr_zero(last)) + 1;
    last &= last - 1;
  }
  if (!fourEnds || (*starts[0] == kValueMark) | (*starts[1] == kValueMark) |
                       (*starts[2] == kValueMark) | (*starts[3] == kValueMark)) {
    return false;
  }
  const unsigned read = ReadFourShortNumbers(starts, values);
  for (int i = 0; i < 4; ++i) {
    if ((read >> i & 1) == 0) values[i] = packed_number::ReadAnyNumber(starts[i]);
  }
  in += next;
  return true;
}
#endif

}  // namespace

void ReadFourPackedNumbers(const std::uint8_t*& in, const std::uint8_t* readableEnd,
                           double* values) {
#if defined(T408_FOUR_AT_ONCE)
  // The window of 32 bytes, and eight after the last number's start.
  if (readableEnd - in >= 40 && HasAvx2() && ReadFourAtOnce(in, values)) return;
#endif
  for (int i = 0; i < 4; ++i) values[i] = ReadPackedNumber(in, readableEnd);
}

std::uint8_t* PackNumber(std::string_view token, std::uint8_t* out) {
#if defined(__SSE2__)
  if (std::uint8_t* end = PackUsualNumber(token, out)) return end;
#endif
  const auto* bytes = reinterpret_cast<const unsigned char*>(token.data());
  const std::size_t n = token.size();
  std::uint8_t* o = out;
  std::size_t i = 0;
  for (; i + 2 <= n; i += 2) {
    const unsigned low = kCodes[bytes[i]], high = kCodes[bytes[i + 1]];
    if ((low | high) & kNotPackable) return PackValue(TextToReal(token), out);
    *o++ = static_cast<std::uint8_t>(low | high << 4);
  }
  unsigned last = kEnd;
  if (i < n) {
    last = kCodes[bytes[i]];
    if (last & kNotPackable) return PackValue(TextToReal(token), out);
  }
  *o++ = static_cast<std::uint8_t>(last | kEnd << 4);
  return o;
}

double packed_number::ReadAnyNumber(const std::uint8_t*& in) {
  if (*in == kValueMark) {
    double value;
    std::memcpy(&value, in + 1, sizeof value);
    in += 1 + sizeof value;
    return value;
  }
  return ReadNumberText(in);
}

const std::uint8_t* SkipPackedNumber(const std::uint8_t* in) {
  if (*in == kValueMark) return in + 1 + sizeof(double);
  while ((*in & 0xF) != kEnd && (*in >> 4) != kEnd) ++in;
  return in + 1;
}
