#pragma once
// Text from one character set to another by the C library's iconv, where
// there is one: the native quick pass tells the terminal its Shift-JIS
// reasons in UTF-8, and the tests and case generators write their Shift-JIS
// texts from UTF-8 rather than as bytes typed by hand.

#include <optional>
#include <string>
#include <string_view>

// `text` in `to` (iconv's names: "CP932", "UTF-8"); nothing when there is no
// converter or the text has no form in `to`.
std::optional<std::string> ConvertText(std::string_view text, const char* from, const char* to);
