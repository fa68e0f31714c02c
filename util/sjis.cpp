#include "util/sjis.h"

std::string_view CutToWholeChars(std::string_view text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = CharByteCount(text, end);
    if (end + width > maxBytes) break;
    end += width;
  }
  return text.substr(0, end);
}
