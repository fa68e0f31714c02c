#pragma once
// Shift-JIS byte rules shared by every text function of the program.

#include <cstddef>
#include <string_view>

// A lead byte starts a double-byte character; the byte after it belongs to
// that character whatever its value. 0x80 and 0xFD count as lead bytes too,
// so that every function walks a text the same way.
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

// Bytes of the character that starts at `i` (< text.size()): 2 for a lead
// byte with a byte after it, otherwise 1. A lead byte in the last position has
// no second byte and is a character of its own, so a walk by this step never
// reads past the end of the text.
constexpr std::size_t CharByteCount(std::string_view text, std::size_t i) {
  return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// The longest prefix of `text` of at most `maxBytes` bytes that does not end in
// the middle of a double-byte character. A lone lead byte at the very end of
// `text` counts as one character of its own.
std::string_view CutToWholeChars(std::string_view text, std::size_t maxBytes);
