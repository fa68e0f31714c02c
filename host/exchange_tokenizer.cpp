// Splits a line of JWC_TEMP.TXT into its tokens. Most lines of a big drawing
// are numbers and blanks: such a simple line is split by finding its blanks
// sixteen bytes at a time. Any other line is split byte by byte, runs of
// plain bytes found eight bytes at a time, where it lies in the reader's
// buffer.

#include "host/exchange_tokenizer.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "util/sjis.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// What the tokenizer does with a byte. In literal mode only lead bytes and
// dropped bytes stay special: blanks, double quotes and "=" are plain, a TAB is dropped.
enum class ByteClass : unsigned char { Plain, Drop, Lead, Quote, Equals, Blank };

constexpr std::array<ByteClass, 256> MakeByteClasses(bool literal) {
  std::array<ByteClass, 256> c{};
  for (int b = 0; b < 256; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      c[b] = ByteClass::Lead;
    } else if (b >= 0x20 && b <= 0xFD) {
      c[b] = ByteClass::Plain;
    } else {
      c[b] = ByteClass::Drop;  // control bytes, 0xFE, 0xFF
    }
  }
  if (!literal) {
    c['"'] = ByteClass::Quote;
    c['='] = ByteClass::Equals;
    c[' '] = ByteClass::Blank;
    c['\t'] = ByteClass::Blank;
  }
  return c;
}
constexpr std::array<ByteClass, 256> kByteClasses = MakeByteClasses(false);
constexpr std::array<ByteClass, 256> kLiteralByteClasses = MakeByteClasses(true);

constexpr std::uint64_t kEachByte = 0x0101010101010101;

// The high bit of each byte of `x` that is below `n` (n <= 0x80). Bits above
// the lowest one may be wrong, the lowest one never is.
constexpr std::uint64_t BytesBelow(std::uint64_t x, unsigned n) {
  return (x - kEachByte * n) & ~x & (kEachByte * 0x80);
}
constexpr std::uint64_t BytesEqual(std::uint64_t x, char c) {
  return BytesBelow(x ^ (kEachByte * static_cast<unsigned char>(c)), 1);
}

// Marks the bytes that may not be plain: blanks, double quotes and "="
// outside literal mode, control bytes, and every byte from 0x80 on, which is
// left to the byte table (it knows the lead bytes).
std::uint64_t MaybeSpecial(std::uint64_t x, bool literal) {
  const std::uint64_t high = x & (kEachByte * 0x80);
  if (literal) return high | BytesBelow(x, 0x20);
  return high | BytesBelow(x, 0x21) | BytesEqual(x, '"') | BytesEqual(x, '=');
}

// The end of the run of plain bytes that starts at `i`. Most runs are numbers
// of up to a dozen bytes: tested eight at a time, the lowest marked byte
// gives the run's end at once.
std::size_t PlainRunEnd(const char* line, std::size_t i, std::size_t n, const ByteClass* classes) {
  const bool literal = classes == kLiteralByteClasses.data();
  for (;;) {
    while (i + 8 <= n) {
      std::uint64_t eight;
      std::memcpy(&eight, line + i, 8);
      const std::uint64_t special = MaybeSpecial(eight, literal);
      if (special != 0) {
        if constexpr (std::endian::native == std::endian::little) {
          i += static_cast<std::size_t>(std::countr_zero(special)) / 8;
        }
        break;
      }
      i += 8;
    }
    // A byte the eight-byte test could not tell, or one of the last seven.
    if (i < n && classes[static_cast<unsigned char>(line[i])] == ByteClass::Plain) {
      ++i;
      continue;
    }
    return i;
  }
}

// One bit per byte of up to 64 bytes of a line: blanks, and the bytes that
// make a line not simple (control bytes, TAB included; bytes from 0x80 on;
// double quotes; "=").
struct ByteMasks {
  std::uint64_t blanks = 0;
  std::uint64_t special = 0;
};

// Sets the bits of the `count` bytes from `window`, one byte at a time.
void MarkBytes(const char* window, std::size_t count, ByteMasks& masks) {
  for (std::size_t k = 0; k < count; ++k) {
    const unsigned char b = static_cast<unsigned char>(window[k]);
    masks.blanks |= std::uint64_t{b == ' '} << k;
    masks.special |= std::uint64_t{b < 0x20 || b >= 0x80 || b == '"' || b == '='} << k;
  }
}

#if defined(__SSE2__)
// The same for the sixteen bytes from `window + at` (at may be negative, the
// bits of bytes before the window then dropped): one compare each.
void MarkSixteenBytes(const char* window, std::ptrdiff_t at, ByteMasks& masks) {
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(window + at));
  const __m128i blank = _mm_set1_epi8(' ');
  // Compared as signed bytes, those from 0x80 on are below the blank too.
  const __m128i special = _mm_or_si128(
      _mm_cmplt_epi8(x, blank),
      _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('"')), _mm_cmpeq_epi8(x, _mm_set1_epi8('='))));
  const auto place = [at](int bits) {
    const std::uint64_t b = static_cast<std::uint16_t>(bits);
    return at >= 0 ? b << at : b >> -at;
  };
  masks.blanks |= place(_mm_movemask_epi8(_mm_cmpeq_epi8(x, blank)));
  masks.special |= place(_mm_movemask_epi8(special));
}
#endif

// The masks of bytes [start, end) of a line of `n` bytes, end - start <= 64.
ByteMasks MaskWindow(const char* line, std::size_t start, std::size_t end, std::size_t n) {
  ByteMasks masks;
  const char* const window = line + start;
  const std::size_t bytes = end - start;
#if defined(__SSE2__)
  if (n >= 16) {
    std::size_t k = 0;
    for (; k + 16 <= bytes; k += 16)
      MarkSixteenBytes(window, static_cast<std::ptrdiff_t>(k), masks);
    // The rest as the last sixteen bytes of the line up to `end`: a byte
    // tested twice gets the same bits twice.
    if (k < bytes) MarkSixteenBytes(window, static_cast<std::ptrdiff_t>(bytes) - 16, masks);
    return masks;
  }
#endif
  MarkBytes(window, bytes, masks);
  return masks;
}

}  // namespace

bool SplitSimpleLine(const char* const line, const std::size_t n, LineTokens& tokens) {
  int index = 0;
  bool inToken = false;  // the byte before the window is a token's
  std::size_t tokenStart = 0;
  for (std::size_t start = 0; start < n; start += 64) {
    const std::size_t end = n - start > 64 ? start + 64 : n;
    const ByteMasks masks = MaskWindow(line, start, end, n);
    if (masks.special != 0) return false;
    const std::uint64_t inWindow =
        end - start == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << (end - start)) - 1;
    const std::uint64_t others = ~masks.blanks & inWindow;
    const std::uint64_t before = others << 1 | std::uint64_t{inToken};
    // A token starts at an other byte after a blank and ends at the blank
    // after an other byte; starts and ends take turns.
    std::uint64_t starts = others & ~before;
    std::uint64_t ends = masks.blanks & before;
    while (inToken || starts != 0) {
      if (!inToken) {
        tokenStart = start + static_cast<std::size_t>(std::countr_zero(starts));
        starts &= starts - 1;
        inToken = true;
      }
      if (ends == 0) break;  // the token goes on into the next window
      const std::size_t tokenEnd = start + static_cast<std::size_t>(std::countr_zero(ends));
      ends &= ends - 1;
      inToken = false;
      tokens.Tokens[index] = std::string_view(line + tokenStart, tokenEnd - tokenStart);
      if (++index == LineTokens::kMaxTokens) {
        tokens.Count = index;
        return true;
      }
    }
  }
  tokens.Tokens[index] =
      inToken ? std::string_view(line + tokenStart, n - tokenStart) : std::string_view(line, 0);
  tokens.Count = index + 1;
  return true;
}

void SplitExchangeLineInPlace(char* const line, const std::size_t n, LineTokens& tokens) {
  std::size_t outLen = 0;      // where the next kept byte goes
  std::size_t tokenStart = 0;  // of the current token
  int index = 0;               // current token
  const ByteClass* classes = kByteClasses.data();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t runStart = i;
    i = PlainRunEnd(line, i, n, classes);
    if (outLen != runStart) std::memmove(line + outLen, line + runStart, i - runStart);
    outLen += i - runStart;
    if (i == n) break;
    switch (classes[static_cast<unsigned char>(line[i])]) {
      case ByteClass::Plain:
        break;  // not reached: the run above took it
      case ByteClass::Lead:
        // A lead byte takes the next byte whatever it is. A lone lead byte at
        // the end of the line, a character of one byte to the text functions,
        // is half a character to the reader, which drops it.
        if (CharByteCount(std::string_view(line, n), i) == 1) {
          i = n;
          break;
        }
        line[outLen++] = line[i];
        line[outLen++] = line[i + 1];
        i += 2;
        break;
      case ByteClass::Quote:
        // Everything after the first double quote is one token, blanks included.
        classes = kLiteralByteClasses.data();
        ++i;
        break;
      case ByteClass::Equals:
        line[outLen++] = '=';
        classes = kLiteralByteClasses.data();
        ++i;
        break;
      case ByteClass::Blank:
        if (outLen > tokenStart) {
          tokens.Tokens[index] = std::string_view(line + tokenStart, outLen - tokenStart);
          ++index;
          // Every form of the vocabulary needs at most 17 tokens: what comes
          // after the 32nd is not looked at.
          if (index == LineTokens::kMaxTokens) {
            tokens.Count = LineTokens::kMaxTokens;
            return;
          }
        }
        ++i;
        // The next token starts after the blank, wherever bytes were dropped
        // before: only bytes dropped inside a token make the rest of it move.
        tokenStart = outLen = i;
        break;
      case ByteClass::Drop:
        ++i;
        break;
    }
  }
  tokens.Tokens[index] = std::string_view(line + tokenStart, outLen - tokenStart);
  tokens.Count = index + 1;
}

void SplitExchangeLine(std::string_view line, std::string& scratch, LineTokens& tokens) {
  scratch.assign(line);
  if (!SplitSimpleLine(scratch.data(), scratch.size(), tokens)) {
    SplitExchangeLineInPlace(scratch.data(), scratch.size(), tokens);
  }
}
