// TextToReal gives the correctly rounded double, whichever way it takes:
// glibc's strtod, correctly rounded itself, is the reference.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "util/text_to_number.h"

namespace {

// strtod, with an overflow read as 0 as TextToReal reads it.
double Reference(const std::string& text) {
  const double v = std::strtod(text.c_str(), nullptr);
  return std::isinf(v) ? 0 : v;
}

}  // namespace

TEST(text_to_real_rounding, edge_texts_read_as_the_correctly_rounded_double) {
  const char* const cases[] = {
      "9007199254740992",  // 2^53: the largest integer of the short way
      "9007199254740993",  // 2^53 + 1: rounds to even
      "9007199254740993e-5",
      "9999999999999999999",   // 19 digits
      "18446744073709551616",  // 2^64: 20 digits
      "123456789012345678901234567890",
      "1e22",
      "1e23",  // 10^23 is no exact double
      "4.35e-22",
      "1.7976931348623157e308",
      "2.2250738585072014e-308",
      "4.9406564584124654e-324",
      "1e-320",
      "0.1",
      "0.30000000000000004",
      "-0.000000000000000000000000000000000000000000001",
      "00000000000000000000001.5",
      "1.00000000000000000000000000000000000000000000000001",
      "0.000000000000000000000000000000000000000012345e30",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(TextToReal(text), Reference(text));
  }
}

TEST(text_to_real_rounding, random_decimal_texts_read_as_the_correctly_rounded_double) {
  std::mt19937_64 random(408);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 22);
    const int point = static_cast<int>(random() % (digits + 1));
    std::string text = random() % 2 ? "-" : "";
    text.append(random() % 4, '0');
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 3 == 0) {
      text += 'E';
      text += std::to_string(static_cast<int>(random() % 70) - 35);
    }
    const double got = TextToReal(text);
    const double expected = Reference(text);
    ASSERT_EQ(got, expected) << text;
    ASSERT_EQ(std::signbit(got), std::signbit(expected)) << text;
  }
}
