#include "tool/value_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/cp932.h"

namespace {

// Shift-JIS constants, checked against iconv below.
constexpr const char* kMetre = "\x82\x8D";                       // ｍ
constexpr const char* kTwoFullWidthBlanks = "\x81\x40\x81\x40";  // 　　
// L=１２，３４５．６mm
constexpr const char* kFullWidthExample =
    "L=\x82\x50\x82\x51\x81\x43\x82\x52\x82\x53\x82\x54\x81\x44\x82\x55mm";

// The dialog's defaults: mm, 3 decimals, half up, zeros removed, nothing added.
struct Settings {
  int unit = 0;
  int decimals = 3;
  int rounding = 2;
  int zeros = 0;
  bool commas = false;
  bool unitText = false;
  bool fullWidth = false;
  const char* prefix = "";
  const char* suffix = "";
};

std::string Format(double length, const Settings& s) {
  return FormatDimensionValue(length, s.unit, s.decimals, s.rounding, s.zeros, s.commas, s.unitText,
                              s.fullWidth, s.prefix, s.suffix);
}

struct Case {
  double length;
  Settings settings;
  std::string expected;
};

void Check(const Case& c) {
  SCOPED_TRACE(testing::Message() << c.length << " -> " << c.expected);
  EXPECT_EQ(Format(c.length, c.settings), c.expected);
}

TEST(value_text, shift_jis_constants_match_cp932) {
  EXPECT_EQ(ToCp932("ｍ"), kMetre);
  EXPECT_EQ(ToCp932("　　"), kTwoFullWidthBlanks);
  EXPECT_EQ(ToCp932("L=１２，３４５．６mm"), kFullWidthExample);
}

TEST(value_text, formats_the_dialog_examples) {
  const Case cases[] = {
      {1234.5678, {}, "1234.568"},
      {1234.5678, {.commas = true}, "1,234.568"},
      {1500, {}, "1500"},
      {1500, {.zeros = 1}, "1500.000"},
      {1500, {.commas = true, .unitText = true}, "1,500mm"},
      {1500, {.unit = 1, .unitText = true}, std::string("1.5") + kMetre},
      {1500, {.unit = 1, .zeros = 1, .unitText = true}, std::string("1.500") + kMetre},
      {910, {.unit = 1, .decimals = 2, .zeros = 1}, "0.91"},
      {1234.5672, {.rounding = 1}, "1234.568"},
      {1234.56705, {.rounding = 1}, "1234.567"},
      {1234.5679, {.decimals = 2, .rounding = 0}, "1234.56"},
      {1234.5, {.decimals = 0}, "1235"},
      {1234.5, {.decimals = 0, .commas = true}, "1,235"},
      {0.0004, {}, "0"},
      {1000000.25, {.decimals = 1, .commas = true}, "1,000,000.3"},
      {12345.6,
       {.commas = true, .unitText = true, .fullWidth = true, .prefix = "L="},
       kFullWidthExample},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, whole_number_decimals_print_no_point) {
  const Case cases[] = {
      {1234.5, {.decimals = 0, .zeros = 1}, "1235"},
      {1234.5, {.decimals = 0, .zeros = 0}, "1235"},
      {1000, {.decimals = 0, .zeros = 0}, "1000"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, trailing_zero_removal_stops_at_the_point) {
  const Case cases[] = {
      {0.0004, {.zeros = 0}, "0"},
      {0.0004, {.zeros = 1}, "0.000"},
      {100, {.decimals = 2}, "100"},  // zeros before the point stay
      {10.5, {.decimals = 2}, "10.5"},
      {1500, {.commas = true}, "1,500"},
      {1500.05, {.decimals = 2, .commas = true}, "1,500.05"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, metres_round_after_conversion) {
  const Case cases[] = {
      {1500, {.unit = 1, .decimals = 0, .rounding = 2}, "2"},
      {1500, {.unit = 1, .decimals = 0, .rounding = 0}, "1"},
      {1500, {.unit = 1, .decimals = 0, .rounding = 1}, "2"},
      {1234, {.unit = 1, .decimals = 1, .rounding = 0}, "1.2"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, blank_prefix_and_suffix_are_dropped_others_kept_as_typed) {
  const Case cases[] = {
      {1500, {.prefix = kTwoFullWidthBlanks}, "1500"},
      {1500, {.prefix = " \t "}, "1500"},
      {1500, {.suffix = "  "}, "1500"},
      {1500, {.prefix = " a "}, " a 1500"},
      {1500, {.suffix = " b "}, "1500 b "},
      {1500, {.unitText = true, .prefix = "W", .suffix = ")"}, "W1500mm)"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, full_width_applies_to_the_number_only) {
  const Case cases[] = {
      // ５００ between the half-width prefix, unit and suffix.
      {500,
       {.unitText = true, .fullWidth = true, .prefix = "a", .suffix = "b"},
       "a\x82\x54\x82\x4f\x82\x4fmmb"},
      // ０．５ｍ: the metre sign is full-width whether or not the number is.
      {500,
       {.unit = 1, .unitText = true, .fullWidth = true},
       std::string("\x82\x4f\x81\x44\x82\x54") + kMetre},
  };
  for (const auto& c : cases) Check(c);
  EXPECT_EQ(ToCp932("a５００mmb"), "a\x82\x54\x82\x4f\x82\x4fmmb");
  EXPECT_EQ(ToCp932("０．５"), "\x82\x4f\x81\x44\x82\x54");
}

}  // namespace

TEST(value_text, the_smallest_length_shown_is_one_unit_of_the_last_decimal) {
  struct {
    int unit, precision;
    double length;
  } cases[] = {{0, 0, 1}, {0, 3, 1e-3}, {0, 8, 1e-8}, {1, 0, 1000}, {1, 2, 10}, {1, 3, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.unit << " " << c.precision);
    EXPECT_DOUBLE_EQ(SmallestShownLength(c.unit, c.precision), c.length);
    // Half of it rounds (half up) to a value text of 0, a whole one to 1.
    const auto shown = [&](double v) {
      return FormatDimensionValue(v, c.unit, c.precision, 2, 0, false, false, false, "", "");
    };
    EXPECT_EQ(shown(c.length * 0.4), "0");
    EXPECT_NE(shown(c.length), "0");
  }
}
