#pragma once
// Test helper: the code page 932 bytes of a UTF-8 text; a text that cannot be
// converted fails the test.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/support/utf8_to_cp932.h"

inline std::string ToCp932(std::string_view utf8) {
  std::optional<std::string> bytes = Utf8ToCp932(utf8);
  EXPECT_TRUE(bytes.has_value()) << utf8;
  return bytes.value_or(std::string());
}
