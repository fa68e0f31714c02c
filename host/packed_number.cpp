#include "host/packed_number.h"

#include <array>
#include <cstring>
#include <string>

#include "util/text_to_number.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using packed_number::kEnd;
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

}  // namespace

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
