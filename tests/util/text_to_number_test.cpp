#include "util/text_to_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

TEST(text_to_number, integer_reads_decimal_and_hexadecimal) {
  struct {
    const char* in;
    std::int32_t out;
  } cases[] = {
      {"12", 12},
      {" 12", 12},
      {"   12", 12},
      {"+7", 7},
      {"-0", 0},
      {"-12", -12},
      {"0012", 12},
      {"$A", 10},
      {"$a", 10},
      {"x1f", 31},
      {"X1F", 31},
      {"0x1f", 31},
      {"0X1F", 31},
      {"-$A", -10},
      {"+0x10", 16},
      {"$7FFFFFFF", 2147483647},
      {"-$80000000", INT32_MIN},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"0", 0},
      {"$0", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(TextToInteger(c.in), c.out);
  }
}

TEST(text_to_number, integer_rejects_malformed_or_out_of_range_text_as_zero) {
  const char* cases[] = {
      "",     "12 ",  "1.5", "2147483648", "-2147483649", "$80000000", "$",
      "x",    "0x",   "-",   "+",          " ",           "1 2",       "$G",
      "0x1g", "12a",  "--1", "+-1",        "$-1",         "1e3",       "99999999999999999999999",
      "\t12", "0x$1", "$$1", "00x1",       "12\x82",
  };
  for (const char* c : cases) {
    SCOPED_TRACE(c);
    EXPECT_EQ(TextToInteger(c), 0);
  }
}

TEST(text_to_number, real_reads_the_plain_decimal_grammar) {
  struct {
    const char* in;
    double out;
  } cases[] = {
      {"1.5", 1.5},
      {"-.5", -0.5},
      {"1e3", 1000},
      {"2.5E-1", 0.25},
      {" 1", 1},
      {"+.5e+2", 50},
      {"5.", 5},
      {".5", 0.5},
      {"0", 0},
      {"-0", 0},
      {"007", 7},
      {"1E+02", 100},
      {"0.1", 0.1},
      {"123456.789", 123456.789},
      {"1e-400", 0},
      {"5e-324", 4.9406564584124654e-324},
      {"1.7976931348623157e308", DBL_MAX},
      {"  -3.25e0", -3.25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(TextToReal(c.in), c.out);
  }
}

TEST(text_to_number, real_rounds_long_digit_strings_correctly) {
  // The nearest double to these digit strings, not a truncation of them.
  struct {
    const char* in;
    double out;
  } cases[] = {
      {"0.30000000000000001665", 0.3},
      {"9007199254740993", 9007199254740992.0},
      {"9007199254740993.0000000001", 9007199254740994.0},
      {"2.4703282292062328e-324", 4.9406564584124654e-324},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(TextToReal(c.in), c.out);
  }
}

TEST(text_to_number, real_rejects_malformed_text_as_zero) {
  const char* cases[] = {
      "",      "1,5",  "1e",    "abc",  "1 ",  ".",     "-.",     "+",
      "1.2.3", "e5",   ".e5",   "1e+",  "1e-", "1e5.5", "inf",    "nan",
      "-inf",  "INF",  "0x1p3", "0x10", "$10", "1e400", "-1e400", "1.8e308",
      "1d5",   "1E 5", "- 1",   "\t1",  "1f",  "++1",   "1..",    "1\x82",
  };
  for (const char* c : cases) {
    SCOPED_TRACE(c);
    EXPECT_EQ(TextToReal(c), 0.0);
  }
}

TEST(text_to_number, remove_blanks_drops_blanks_and_control_bytes) {
  struct {
    std::string in;
    std::string out;
  } cases[] = {
      // full-width space, a, blank, b, tab, c
      {"\x81\x40"
       "a b\tc",
       "abc"},
      {"   ", ""},
      {"\x81\x40\x81\x40", ""},
      {"", ""},
      {"\r\n\x01\x1F", ""},
      // 0x7F and half-width katakana (0xB1) are characters, not blanks.
      {"\x7F\xB1", "\x7F\xB1"},
      // The second byte of a double-byte character may be 0x40 or even 0x20:
      // it belongs to the character. "ア" is 83 41, "＠" is 81 97.
      {"\x83\x41 \x81\x97", "\x83\x41\x81\x97"},
      {"\x82\x20", "\x82\x20"},
      // A full-width space only counts when it starts on a character boundary.
      {"\x83\x81\x40", "\x83\x81\x40"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(RemoveBlanks(c.in), c.out);
  }
}

TEST(text_to_number, remove_blanks_keeps_a_trailing_lone_lead_byte) {
  struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"a \x81", "a\x81"},
      {"\x81", "\x81"},
      {"\x81\x40\x81", "\x81"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(RemoveBlanks(c.in), c.out);
  }
}

// ---- Rounding of long and random decimals ------------------------------------

namespace {

// TextToReal gives the correctly rounded double, whichever way it takes:
// glibc's strtod, correctly rounded itself, is the reference.

// strtod, with an overflow read as 0 as TextToReal reads it.
double Reference(const std::string& text) {
  const double v = std::strtod(text.c_str(), nullptr);
  return std::isinf(v) ? 0 : v;
}

TEST(text_to_number, blank_to_empty_keeps_any_text_with_a_visible_character) {
  struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"", ""},          {" ", ""},
      {"\x81\x40", ""},                                             // a full-width blank
      {"\x01\x1f ", ""},                                            // control bytes
      {" x ", " x "},    {"\x81\x40\x82\x60", "\x81\x40\x82\x60"},  // 　Ａ
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(BlankToEmpty(c.in), c.out);
  }
}

}  // namespace

TEST(text_to_number, real_reads_edge_texts_as_the_correctly_rounded_double) {
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

TEST(text_to_number, real_reads_random_decimal_texts_as_the_correctly_rounded_double) {
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
