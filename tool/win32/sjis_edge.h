#pragma once
// The one place where the dialog's Shift-JIS texts meet the wide-character
// Windows API. Code page 932 is named explicitly, so Japanese shows correctly
// whatever the user's system locale is.

#include <optional>
#include <string>
#include <string_view>

std::wstring WideFromSjis(std::string_view sjis);
// Characters that code page 932 cannot hold become '?', never a look-alike
// (no e for an e acute).
std::string SjisFromWide(std::wstring_view wide);
// The first character of `wide` that Jw_cad's Shift-JIS files cannot hold as
// it stands: one code page 932 has no code for (a look-alike does not count),
// or a control character such as TAB.
std::optional<char32_t> FirstCharacterWithoutSjis(std::wstring_view wide);
