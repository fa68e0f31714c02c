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
  const int count =
      WideCharToMultiByte(kShiftJisCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return {};
  std::string sjis(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(kShiftJisCodePage, 0, wide.data(), size, sjis.data(), count, nullptr,
                      nullptr);
  return sjis;
}
