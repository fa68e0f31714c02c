#include "tool/win32/sjis_edge.h"

#include <windows.h>

namespace {
constexpr UINT kShiftJisCodePage = 932;
}

std::wstring WideFromSjis(std::string_view sjis) {
  if (sjis.empty()) return {};
  const int size = static_cast<int>(sjis.size());
  const int count = MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), size, nullptr, 0);
  if (count <= 0) return {};
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), size, wide.data(), count);
  return wide;
}

std::string SjisFromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int count = WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                        nullptr, 0, nullptr, nullptr);
  if (count <= 0) return {};
  std::string sjis(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, sjis.data(),
                      count, nullptr, nullptr);
  return sjis;
}

std::optional<char32_t> FirstCharacterWithoutSjis(std::wstring_view wide) {
  for (std::size_t i = 0; i < wide.size();) {
    const wchar_t unit = wide[i];
    const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() &&
                      wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    const std::wstring_view character = wide.substr(i, pair ? 2 : 1);
    const char32_t code =
        pair ? 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (wide[i + 1] - 0xDC00)
             : static_cast<char32_t>(unit);
    if (code < 0x20 || code == 0x7F) return code;
    // It has a code when it comes back from Shift-JIS as it went in.
    if (WideFromSjis(SjisFromWide(character)) != character) return code;
    i += character.size();
  }
  return std::nullopt;
}
