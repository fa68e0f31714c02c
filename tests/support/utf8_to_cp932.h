#pragma once
// The code page 932 bytes of a UTF-8 text, by glibc's own converter, so
// Shift-JIS texts are never typed as bytes by hand. No test framework here:
// the case generators use it too.

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

// Nothing when the converter is missing or the text has no code page 932 form.
inline std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in(utf8);
  std::string out(in.size() * 2 + 8, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}
