#include "util/sjis.h"

std::string_view CutToWholeChars(std::string_view text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    // A lead byte in the last position has no trail byte: it is a character of
    // one byte, so nothing ever reads past the end of the text.
    std::size_t width =
        (IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size()) ? 2 : 1;
    if (end + width > maxBytes) break;
    end += width;
  }
  return text.substr(0, end);
}
