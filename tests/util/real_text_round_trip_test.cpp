// Every real written by the shared rule reads back as the number it stands
// for, to 15 significant digits, up to the largest double.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "util/number_text.h"
#include "util/text_to_number.h"

TEST(real_text_round_trip, the_largest_doubles_are_cut_so_that_they_read_back) {
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

TEST(real_text_round_trip, reals_across_the_whole_range_read_back_within_15_digits) {
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
