// Splits a line of JWC_TEMP.TXT into its tokens. Most lines of a big drawing
// are numbers: runs of plain bytes are found eight bytes at a time, and a
// line complete in the reader's buffer is split where it lies.

#include "host/exchange_tokenizer.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "util/sjis.h"

namespace {

// What the tokenizer does with a byte. In literal mode only lead bytes and
// dropped bytes stay special: blanks, double quotes and "=" are plain, a TAB is dropped.
enum ByteClass : unsigned char { kPlain, kDrop, kLead, kQuote, kEquals, kBlank };

constexpr std::array<ByteClass, 256> MakeByteClasses(bool literal) {
  std::array<ByteClass, 256> c{};
  for (int b = 0; b < 256; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      c[b] = kLead;
    } else if (b >= 0x20 && b <= 0xFD) {
      c[b] = kPlain;
    } else {
      c[b] = kDrop;  // control bytes, 0xFE, 0xFF
    }
  }
  if (!literal) {
    c['"'] = kQuote;
    c['='] = kEquals;
    c[' '] = kBlank;
    c['\t'] = kBlank;
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
    if (i < n && classes[static_cast<unsigned char>(line[i])] == kPlain) {
      ++i;
      continue;
    }
    return i;
  }
}

}  // namespace

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
      case kPlain:
        break;  // not reached: the run above took it
      case kLead:
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
      case kQuote:
        // Everything after the first double quote is one token, blanks included.
        classes = kLiteralByteClasses.data();
        ++i;
        break;
      case kEquals:
        line[outLen++] = '=';
        classes = kLiteralByteClasses.data();
        ++i;
        break;
      case kBlank:
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
      case kDrop:
        ++i;
        break;
    }
  }
  tokens.Tokens[index] = std::string_view(line + tokenStart, outLen - tokenStart);
  tokens.Count = index + 1;
}

void SplitExchangeLine(std::string_view line, std::string& scratch, LineTokens& tokens) {
  scratch.assign(line);
  SplitExchangeLineInPlace(scratch.data(), scratch.size(), tokens);
}
