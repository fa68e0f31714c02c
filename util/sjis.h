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

// The longest prefix of `text` of at most `maxBytes` bytes that does not end in
// the middle of a double-byte character. A lone lead byte at the very end of
// `text` counts as one character of its own.
std::string_view CutToWholeChars(std::string_view text, std::size_t maxBytes);
