#include "util/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <limits>
#include <random>
#include <string>

#include "util/text_to_number.h"

TEST(number_text, real_keeps_fifteen_significant_digits_without_trailing_zeros) {
  struct {
    double in;
    const char* out;
  } cases[] = {
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {0.1 + 0.2, "0.3"},
      {100, "100"},
      {0.1, "0.1"},
      {-1.5, "-1.5"},
      {123456789012345.0, "123456789012345"},
      {1e15 - 1, "999999999999999"},
      {12.5, "12.5"},
      {1234.5678, "1234.5678"},
      {0.15, "0.15"},
      {3.14159265358979323846, "3.14159265358979"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToText(c.in), c.out);
  }
}

TEST(number_text, real_switches_to_exponent_form_outside_fixed_range) {
  struct {
    double in;
    const char* out;
  } cases[] = {
      {1e15, "1E15"},
      {1e-4, "0.0001"},
      {1e-5, "1E-5"},
      {1.2345e-5, "1.2345E-5"},
      {-1.2345e-5, "-1.2345E-5"},
      {0.00012345, "0.00012345"},
      {1.5e16, "1.5E16"},
      {1e100, "1E100"},
      {123456789012345678.0, "1.23456789012346E17"},
      {5e-324, "4.94065645841247E-324"},
      // Cut, not rounded up past the largest double: it must read back.
      {DBL_MAX, "1.79769313486231E308"},
      // 999999999999999.9 rounds up to a sixteenth integer digit.
      {999999999999999.9, "1E15"},
      {0.00009999999999999999, "0.0001"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToText(c.in), c.out);
  }
}

TEST(number_text, real_rounds_exact_ties_up_not_to_even) {
  struct {
    double in;
    const char* out;
  } cases[] = {
      // Exactly halfway at the 16th digit: printf would round to the even 1E15.
      {1000000000000005.0, "1.00000000000001E15"},
      {1000000000000015.0, "1.00000000000002E15"},
      {-1000000000000005.0, "-1.00000000000001E15"},
      // 2^-1 + 2^-52 style values: the exact binary value decides, not a
      // 17-digit rendering of it.
      {0.50000000000000044, "0.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToText(c.in), c.out);
  }
}

TEST(number_text, real_writes_zero_and_non_numbers_as_0) {
  const double cases[] = {
      0.0,
      -0.0,
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN(),
  };
  for (double c : cases) {
    SCOPED_TRACE(c);
    EXPECT_EQ(RealToText(c), "0");
  }
}

TEST(number_text, real_gives_back_any_fifteen_digit_decimal) {
  // Fifteen significant digits survive a trip through a double, so every such
  // decimal must come back digit for digit (in the canonical form).
  std::mt19937_64 random(408);
  for (int n = 0; n < 2000; ++n) {
    std::uint64_t mantissa = 100000000000000u + random() % 900000000000000u;
    int exponent = static_cast<int>(random() % 41) - 20;
    char in[64];
    std::snprintf(in, sizeof in, "%llue%d", static_cast<unsigned long long>(mantissa), exponent);
    double value = std::strtod(in, nullptr);
    std::string text = RealToText(value);
    SCOPED_TRACE(std::string(in) + " -> " + text);
    // Back to a double through the C library, then to the same text again.
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), value);
    std::string digits;
    for (char ch : text.substr(0, text.find('E'))) {
      if (ch >= '0' && ch <= '9') digits += ch;
    }
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string expected = std::to_string(mantissa);
    expected.erase(expected.find_last_not_of('0') + 1);
    EXPECT_EQ(digits, expected);
  }
}

TEST(number_text, integer_text_is_plain_decimal) {
  struct {
    std::int64_t in;
    const char* out;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {-7, "-7"},
      {2147483647, "2147483647"},
      {-2147483647 - 1, "-2147483648"},
      {INT64_MIN, "-9223372036854775808"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(IntegerToText(c.in), c.out);
  }
}

TEST(number_text, hex_text_is_upper_case_and_padded) {
  struct {
    std::int64_t in;
    int minDigits;
    const char* out;
  } cases[] = {
      {10, 1, "A"},
      {0, 1, "0"},
      {15, 1, "F"},
      {16, 1, "10"},
      {0, 0, "0"},
      {10, 4, "000A"},
      {255, 2, "FF"},
      {255, 1, "FF"},
      {-1, 1, "FFFFFFFF"},
      {-16, 1, "FFFFFFF0"},
      {0x1ABCDEF, -3, "1ABCDEF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(IntegerToHexText(c.in, c.minDigits), c.out);
  }
}

TEST(number_text, fixed_rounds_half_away_from_zero) {
  struct {
    int decimals;
    double in;
    const char* out;
  } cases[] = {
      {2, 0.125, "0.13"},
      {2, -0.125, "-0.13"},
      {0, 2.5, "3"},
      {0, -2.5, "-3"},
      {0, 0.5, "1"},
      {0, 0.49, "0"},
      {1, 0.05, "0.1"},
      // The exact value 1.00499999999999989... has 4 as its first dropped digit.
      {2, 1.005, "1.00"},
      {3, 1234.5678, "1234.568"},
      {8, 0.1, "0.10000000"},
      {4, 2, "2.0000"},
      {1, 9.96, "10.0"},
      {0, 999999999999999872.0, "999999999999999872"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToFixedText(c.decimals, c.in), c.out);
  }
}

TEST(number_text, fixed_drops_the_sign_of_a_result_rounded_to_zero) {
  struct {
    int decimals;
    double in;
    const char* out;
  } cases[] = {
      {2, -0.004, "0.00"},   {0, -0.4, "0"},       {2, -0.0, "0.00"},
      {3, -1e-300, "0.000"}, {2, -0.005, "-0.01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToFixedText(c.decimals, c.in), c.out);
  }
}

TEST(number_text, fixed_rounds_to_eighteen_digits_before_the_decimals) {
  // 0.1 is 0.1000000000000000055511... exactly; to 18 digits it is
  // 0.100000000000000006, which 18 decimals show in full.
  struct {
    int decimals;
    double in;
    const char* out;
  } cases[] = {
      {18, 0.1, "0.100000000000000006"},
      {18, 1.0 / 3.0, "0.333333333333333315"},
      {17, 1.0 / 3.0, "0.33333333333333332"},
      // 123.4560000000000030695... keeps 18 significant digits, not 18
      // decimals: the rest is padding.
      {18, 123.456, "123.456000000000003000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToFixedText(c.decimals, c.in), c.out);
  }
}

TEST(number_text, fixed_takes_two_decimals_for_too_many_and_none_for_negative) {
  struct {
    int decimals;
    double in;
    const char* out;
  } cases[] = {
      {19, 1.234, "1.23"},
      {100, 1.235, "1.24"},
      {-1, 1.5, "2"},
      {-7, 12.25, "12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToFixedText(c.decimals, c.in), c.out);
  }
}

TEST(number_text, fixed_writes_huge_values_in_exponent_form_with_eighteen_digits) {
  struct {
    int decimals;
    double in;
    const char* out;
  } cases[] = {
      {2, 1e18, "1E18"},
      {2, -1e18, "-1E18"},
      // The double nearest to 1234567890123456789012 is 1234567890123456774144.
      {0, 1234567890123456789012.0, "1.23456789012345677E21"},
      {3, DBL_MAX, "1.79769313486231571E308"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToFixedText(c.decimals, c.in), c.out);
  }
}

TEST(number_text, fixed_writes_non_numbers_as_zero) {
  struct {
    int decimals;
    double in;
    const char* out;
  } cases[] = {
      {2, std::numeric_limits<double>::infinity(), "0.00"},
      {0, -std::numeric_limits<double>::infinity(), "0"},
      {1, std::numeric_limits<double>::quiet_NaN(), "0.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToFixedText(c.decimals, c.in), c.out);
    EXPECT_EQ(RealToGroupedText(c.decimals, c.in), c.out);
  }
}

TEST(number_text, grouped_puts_commas_between_groups_of_three) {
  struct {
    int decimals;
    double in;
    const char* out;
  } cases[] = {
      {2, 1234567.891, "1,234,567.89"},
      {0, -999.5, "-1,000"},
      {3, 999.9999, "1,000.000"},
      {0, 999, "999"},
      {0, 1000, "1,000"},
      {2, 0.5, "0.50"},
      {0, 123456, "123,456"},
      {1, -1234567.25, "-1,234,567.3"},
      {0, 999999999999999872.0, "999,999,999,999,999,872"},
      {2, -0.004, "0.00"},
      {2, 1e18, "1E18"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(RealToGroupedText(c.decimals, c.in), c.out);
  }
}

// ---- Round trips: every real written by the shared rule reads back as the
// number it stands for, to 15 significant digits, up to the largest double.

TEST(number_text, real_text_of_the_largest_doubles_is_cut_so_that_it_reads_back) {
  // Rounded half up to 15 digits these would pass DBL_MAX and read back as
  // an overflow; cut, they stay in range.
  struct {
    double value;
    const char* text;
  } cases[] = {
      {DBL_MAX, "1.79769313486231E308"},
      {-DBL_MAX, "-1.79769313486231E308"},
      {std::nextafter(DBL_MAX, 0), "1.79769313486231E308"},
      {1.797693134862315e308, "1.79769313486231E308"},
      // Just below the cut, rounding up still stays in range.
      {1.7976931348623149e308, "1.79769313486231E308"},
      {1.7976931348623e308, "1.7976931348623E308"},
      {1e308, "1E308"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string text = RealToText(c.value);
    EXPECT_EQ(text, c.text);
    const double back = TextToReal(text);
    EXPECT_NE(back, 0);
    EXPECT_LE(std::fabs(back - c.value), std::fabs(c.value) * 1e-14);
  }
}

TEST(number_text, real_text_across_the_whole_range_reads_back_within_15_digits) {
  // Powers of ten, their neighbours and the extremes of the double range.
  for (int e = -323; e <= 308; ++e) {
    for (double value : {std::pow(10.0, e), -7.123456789012345 * std::pow(10.0, e)}) {
      if (!std::isfinite(value)) continue;
      for (double v : {value, std::nextafter(value, 0.0), std::nextafter(value, value * 2)}) {
        SCOPED_TRACE(v);
        const double back = TextToReal(RealToText(v));
        ASSERT_LE(std::fabs(back - v), std::fabs(v) * 1e-14 + 5e-324) << RealToText(v);
      }
    }
  }
}

TEST(number_text, real_rounds_half_up_at_the_15th_digit_of_the_exact_value) {
  // The digits of RealToText against the exact decimal that the C library
  // prints (glibc prints every digit exactly): any double, and doubles next
  // to the ties where the 16th and 17th digits read 50.
  std::mt19937_64 random(408);
  const auto significant = [](const std::string& text) {
    std::string digits;
    for (char c : text.substr(0, text.find('E'))) {
      if (c >= '0' && c <= '9') digits += c;
    }
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
  };
  const auto expected = [](double v) {
    char exact[128];
    std::snprintf(exact, sizeof exact, "%.80e", std::fabs(v));
    std::string digits = std::string(1, exact[0]) + std::string(exact + 2, 14);
    if (exact[16] >= '5') {
      std::size_t i = digits.size();
      while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
      if (i == 0) {
        digits.insert(digits.begin(), '1');
      } else {
        ++digits[i - 1];
      }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
  };
  std::vector<double> values;
  for (int n = 0; n < 20000; ++n) {
    const double v = std::bit_cast<double>(random());
    if (std::isfinite(v) && std::fabs(v) < 1e300 && v != 0) values.push_back(v);
    // 15 digits and a tail of 50, read as a double, and its neighbours.
    char tie[48];
    std::snprintf(tie, sizeof tie, "%llu50e%d",
                  static_cast<unsigned long long>(100000000000000u + random() % 900000000000000u),
                  static_cast<int>(random() % 40) - 30);
    const double t = std::strtod(tie, nullptr);
    for (double u : {t, std::nextafter(t, 0.0), std::nextafter(t, 1e300)}) values.push_back(u);
  }
  for (double v : values) {
    SCOPED_TRACE(testing::Message() << std::setprecision(17) << v);
    ASSERT_EQ(significant(RealToText(v)), expected(v));
  }
}
