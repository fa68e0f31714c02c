#pragma once
// The code page 932 bytes of a UTF-8 text, by glibc's own converter, so
// Shift-JIS texts are never typed as bytes by hand. No test framework here:
// the case generators use it too.

#include <optional>
#include <string>
#include <string_view>

#include "util/iconv_text.h"

// Nothing when the converter is missing or the text has no code page 932 form.
inline std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  return ConvertText(utf8, "UTF-8", "CP932");
}
