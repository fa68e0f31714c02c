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

std::string Format(double length, const ValueTextSettings& s) {
  return FormatDimensionValue(length, s);
}

struct Case {
  double length;
  ValueTextSettings settings;  // the dialog's defaults unless named
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
      {1234.5678, {.ThousandsCommas = true}, "1,234.568"},
      {1500, {}, "1500"},
      {1500, {.ShowTrailingZeros = true}, "1500.000"},
      {1500, {.ThousandsCommas = true, .UnitText = true}, "1,500mm"},
      {1500, {.Unit = ValueUnit::Metres, .UnitText = true}, std::string("1.5") + kMetre},
      {1500,
       {.Unit = ValueUnit::Metres, .ShowTrailingZeros = true, .UnitText = true},
       std::string("1.500") + kMetre},
      {910, {.Unit = ValueUnit::Metres, .Decimals = 2, .ShowTrailingZeros = true}, "0.91"},
      {1234.5672, {.Rounding = RoundingMode::RoundUp}, "1234.568"},
      {1234.56705, {.Rounding = RoundingMode::RoundUp}, "1234.567"},
      {1234.5679, {.Decimals = 2, .Rounding = RoundingMode::CutOff}, "1234.56"},
      {1234.5, {.Decimals = 0}, "1235"},
      {1234.5, {.Decimals = 0, .ThousandsCommas = true}, "1,235"},
      {0.0004, {}, "0"},
      {1000000.25, {.Decimals = 1, .ThousandsCommas = true}, "1,000,000.3"},
      {12345.6,
       {.ThousandsCommas = true, .UnitText = true, .FullWidth = true, .Prefix = "L="},
       kFullWidthExample},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, whole_number_decimals_print_no_point) {
  const Case cases[] = {
      {1234.5, {.Decimals = 0, .ShowTrailingZeros = true}, "1235"},
      {1234.5, {.Decimals = 0, .ShowTrailingZeros = false}, "1235"},
      {1000, {.Decimals = 0, .ShowTrailingZeros = false}, "1000"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, trailing_zero_removal_stops_at_the_point) {
  const Case cases[] = {
      {0.0004, {.ShowTrailingZeros = false}, "0"},
      {0.0004, {.ShowTrailingZeros = true}, "0.000"},
      {100, {.Decimals = 2}, "100"},  // zeros before the point stay
      {10.5, {.Decimals = 2}, "10.5"},
      {1500, {.ThousandsCommas = true}, "1,500"},
      {1500.05, {.Decimals = 2, .ThousandsCommas = true}, "1,500.05"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, metres_round_after_conversion) {
  const Case cases[] = {
      {1500, {.Unit = ValueUnit::Metres, .Decimals = 0, .Rounding = RoundingMode::HalfUp}, "2"},
      {1500, {.Unit = ValueUnit::Metres, .Decimals = 0, .Rounding = RoundingMode::CutOff}, "1"},
      {1500, {.Unit = ValueUnit::Metres, .Decimals = 0, .Rounding = RoundingMode::RoundUp}, "2"},
      {1234, {.Unit = ValueUnit::Metres, .Decimals = 1, .Rounding = RoundingMode::CutOff}, "1.2"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, blank_prefix_and_suffix_are_dropped_others_kept_as_typed) {
  const Case cases[] = {
      {1500, {.Prefix = kTwoFullWidthBlanks}, "1500"},
      {1500, {.Prefix = " \t "}, "1500"},
      {1500, {.Suffix = "  "}, "1500"},
      {1500, {.Prefix = " a "}, " a 1500"},
      {1500, {.Suffix = " b "}, "1500 b "},
      {1500, {.UnitText = true, .Prefix = "W", .Suffix = ")"}, "W1500mm)"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(value_text, full_width_applies_to_the_number_only) {
  const Case cases[] = {
      // ５００ between the half-width prefix, unit and suffix.
      {500,
       {.UnitText = true, .FullWidth = true, .Prefix = "a", .Suffix = "b"},
       "a\x82\x54\x82\x4f\x82\x4fmmb"},
      // ０．５ｍ: the metre sign is full-width whether or not the number is.
      {500,
       {.Unit = ValueUnit::Metres, .UnitText = true, .FullWidth = true},
       std::string("\x82\x4f\x81\x44\x82\x54") + kMetre},
  };
  for (const auto& c : cases) Check(c);
  EXPECT_EQ(ToCp932("a５００mmb"), "a\x82\x54\x82\x4f\x82\x4fmmb");
  EXPECT_EQ(ToCp932("０．５"), "\x82\x4f\x81\x44\x82\x54");
}

}  // namespace

TEST(value_text, the_smallest_length_shown_is_one_unit_of_the_last_decimal) {
  struct {
    ValueUnit unit;
    int decimals;
    double length;
  } cases[] = {{ValueUnit::Millimetres, 0, 1},    {ValueUnit::Millimetres, 3, 1e-3},
               {ValueUnit::Millimetres, 8, 1e-8}, {ValueUnit::Metres, 0, 1000},
               {ValueUnit::Metres, 2, 10},        {ValueUnit::Metres, 3, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.unit) << " " << c.decimals);
    EXPECT_DOUBLE_EQ(SmallestShownLength(c.unit, c.decimals), c.length);
    // Half of it rounds (half up) to a value text of 0, a whole one to 1.
    const auto shown = [&](double v) {
      return FormatDimensionValue(v, ValueTextSettings{.Unit = c.unit, .Decimals = c.decimals});
    };
    EXPECT_EQ(shown(c.length * 0.4), "0");
    EXPECT_NE(shown(c.length), "0");
  }
}
