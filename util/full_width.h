#pragma once
// Character windows and the full-width mapping of Shift-JIS text.

#include <string>
#include <string_view>

struct WholeChars {
  std::string Part;
  int ByteCount = 0;
};

// The characters lying wholly inside bytes start .. start + maxBytes - 1
// (1-based); a double-byte character straddling either edge is left out.
WholeChars CopyWholeChars(std::string_view text, int start, int maxBytes);

// Half-width characters to their full-width Shift-JIS forms (ASCII, the blank,
// half-width katakana, combining a following voiced or semi-voiced mark where
// a combined katakana exists) and hiragana to katakana. Other characters stay.
std::string ToFullWidth(std::string_view text);
