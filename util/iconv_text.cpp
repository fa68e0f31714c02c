#include "util/iconv_text.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#define T408_HAVE_ICONV 1
#endif

std::optional<std::string> ConvertText(std::string_view text, const char* from, const char* to) {
#ifdef T408_HAVE_ICONV
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in(text);
  // Three bytes out for every byte in is enough between these character sets.
  std::string out(in.size() * 3 + 8, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
#else
  (void)text, (void)from, (void)to;
  return std::nullopt;
#endif
}
