// Runs under Wine (scripts/test-wine), with a Western code page as the
// system's: the dialog's conversions must use code page 932 whatever the
// locale, keep the bytes Jw_cad wrote, and never drop a byte.

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "tool/win32/sjis_edge.h"

namespace {

int failures = 0;

std::string Hex(std::string_view bytes) {
  std::string out;
  char buffer[4];
  for (unsigned char c : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X ", c);
    out += buffer;
  }
  return out;
}

void Check(bool ok, const char* what, const char* name) {
  if (ok) return;
  ++failures;
  std::printf("FAIL %s: %s\n", name, what);
}

}  // namespace

int main() {
  struct {
    const char* name;
    std::string_view sjis;
    std::wstring_view wide;
  } cases[] = {
      {"caption 水平寸法線＋", "\x90\x85\x95\xBD\x90\xA1\x96\x40\x90\xFC\x81\x7B",
       L"\u6C34\u5E73\u5BF8\u6CD5\u7DDA\uFF0B"},
      // Trail bytes 0x5C and 0x7E are not a backslash or a tilde.
      {"trail byte 0x5C (表, ソ)", "\x95\x5C\x83\x5C", L"\u8868\u30BD"},
      {"trail byte 0x7E (円, ミ)", "\x89\x7E\x83\x7E", L"\u5186\u30DF"},
      // A single-byte backslash and tilde stay themselves under code page 932.
      {"backslash and tilde", "C:\\jww\\~a", L"C:\\jww\\~a"},
      {"half-width katakana ｶﾞ", "\xB6\xDE", L"\uFF76\uFF9E"},
      {"wave dash item ～", "\x81\x60", L"\uFF5E"},
      {"full-width space", "\x81\x40", L"\u3000"},
      {"ASCII digits", "12.5", L"12.5"},
      {"empty", "", L""},
  };
  for (const auto& c : cases) {
    const std::wstring wide = WideFromSjis(c.sjis);
    Check(wide == c.wide, "Shift-JIS to wide", c.name);
    const std::string back = SjisFromWide(c.wide);
    if (back != c.sjis) {
      std::printf("  got %s\n", Hex(back).c_str());
    }
    Check(back == c.sjis, "wide to Shift-JIS", c.name);
  }
  // A character with no Shift-JIS form becomes one '?' and the rest survives;
  // none becomes a look-alike (an e for an e acute, a 5C for a yen sign).
  Check(SjisFromWide(L"a\u20ACb") == "a?b", "unmappable character", "euro sign");
  Check(SjisFromWide(L"a\u00E9\u20AC\uD55Cb") == "a???b", "no look-alikes",
        "e acute, euro, hangul");
  Check(SjisFromWide(L"\u00A5") == "?", "no look-alike", "yen sign U+00A5");
  // What a prefix or suffix may not hold: the first character without a code
  // of its own, or a control character.
  struct {
    const char* name;
    std::wstring_view wide;
    char32_t rejected;  // 0: none
  } texts[] = {
      {"plain", L"L=\u5BF8\u6CD5 mm", 0},
      {"NEC and IBM duplicates", L"\u2460\u2170\uFFE2", 0},
      {"e acute", L"a\u00E9b", 0xE9},
      {"euro sign after a kanji", L"\u5BF8\u20AC", 0x20AC},
      {"emoji (a surrogate pair)", L"A\U0001F600B", 0x1F600},
      {"TAB", L"a\tb", 0x09},
      {"DEL", L"a\x7F", 0x7F},
      {"yen sign U+00A5", L"\u00A5", 0xA5},
  };
  for (const auto& t : texts) {
    const std::optional<char32_t> found = FirstCharacterWithoutSjis(t.wide);
    Check(found.value_or(0) == t.rejected, "first character without Shift-JIS", t.name);
  }
  std::printf("sjis_edge_check: system code page %u, %d failure(s)\n", GetACP(), failures);
  return failures == 0 ? 0 : 1;
}
