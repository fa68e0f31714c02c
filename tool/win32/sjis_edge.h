#pragma once
// The one place where the dialog's Shift-JIS texts meet the wide-character
// Windows API. Code page 932 is named explicitly, so Japanese shows correctly
// whatever the user's system locale is.

#include <string>
#include <string_view>

std::wstring WideFromSjis(std::string_view sjis);
// Characters that code page 932 cannot hold become '?'.
std::string SjisFromWide(std::wstring_view wide);
