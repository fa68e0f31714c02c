#include "util/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

TEST(geometry, exchange_swaps_and_twice_restores) {
  double a = 1.5, b = -2.25;
  ExchangeReals(a, b);
  EXPECT_EQ(a, -2.25);
  EXPECT_EQ(b, 1.5);
  ExchangeReals(a, b);
  EXPECT_EQ(a, 1.5);
  EXPECT_EQ(b, -2.25);
}

TEST(geometry, ten_decimals_round_half_away_from_zero) {
  struct {
    double in;
    double out;
  } cases[] = {
      {1.00000000004, 1},
      {1.00000000007, 1.0000000001},
      {-1.00000000007, -1.0000000001},
      {-1.00000000004, -1},
      {0, 0},
      {90.00000000001, 90},
      {359.99999999999, 360},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    // Truncation times 1e-10 may land one unit off the decimal literal.
    EXPECT_NEAR(RoundToTenDecimals(c.in), c.out, std::fabs(c.out) * 4e-16);
  }
}

TEST(geometry, precision_rounds_by_mode_on_the_magnitude) {
  struct {
    int digits;
    RoundingMode mode;
    double in;
    double out;
  } cases[] = {
      {2, RoundingMode::RoundUp, 1.231, 1.24},
      {2, RoundingMode::RoundUp, 1.2309, 1.23},
      {0, RoundingMode::HalfUp, -2.5, -3},
      {0, RoundingMode::CutOff, -2.7, -2},
      {14, RoundingMode::HalfUp, 1.26, 1},
      {-1, RoundingMode::HalfUp, 1.26, 1},
      {3, RoundingMode::CutOff, 0.0019, 0.001},
      {2, RoundingMode::HalfUp, 1.235, 1.24},
      {2, RoundingMode::HalfUp, -1.235, -1.24},
      {2, RoundingMode::CutOff, 1.239, 1.23},
      {0, RoundingMode::RoundUp, 2.1, 3},
      {0, RoundingMode::RoundUp, 2.05, 2},
      {13, RoundingMode::CutOff, 1.5, 1.5},
      {0, RoundingMode::HalfUp, 0.4, 0},
      {2, RoundingMode::RoundUp, -1.231, -1.24},
      // Cut off works on the double as it is: 2.9 is 2.8999999999999999111...,
      // and ten times that, formed without rounding, stays below 29.
      {1, RoundingMode::CutOff, 2.9, 2.8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.digits) + "/" + std::to_string(static_cast<int>(c.mode)) + "/" +
                 std::to_string(c.in));
    EXPECT_EQ(RoundToPrecision(c.digits, c.mode, c.in), c.out);
  }
}

TEST(geometry, precision_result_equals_the_double_of_its_decimal_text) {
  // Rounding a value that already has `digits` decimals must give back the
  // very double that its decimal text reads as, so later formatting to 18
  // digits shows no stray last digit.
  for (int digits = 1; digits <= 8; ++digits) {
    long scale = 1;
    for (int i = 0; i < digits; ++i) scale *= 10;
    for (long units = 1; units < 2000000; units += 7) {
      char text[64];
      std::snprintf(text, sizeof text, "%ld.%0*ld", units / scale, digits, units % scale);
      double value = std::strtod(text, nullptr);
      SCOPED_TRACE(text);
      ASSERT_EQ(RoundToPrecision(digits, RoundingMode::HalfUp, value), value);
    }
  }
}

TEST(geometry, distance_is_euclidean) {
  struct {
    double x1, y1, x2, y2, out;
  } cases[] = {
      {0, 0, 3, 4, 5}, {3, 4, 0, 0, 5}, {-1, -1, -1, -1, 0}, {1, 2, 1, 7, 5}, {1e3, 0, 0, 0, 1e3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(PointDistance(c.x1, c.y1, c.x2, c.y2), c.out);
  }
}

TEST(geometry, vector_angle_in_degrees) {
  struct {
    double dx, dy, out;
  } cases[] = {
      {0, 0, 0}, {1e-11, -5e-11, 0}, {0, 2e-10, 90}, {0, -1, 270}, {-1, 0, 180},     {1, 1, 45},
      {1, 0, 0}, {1, -1, 315},       {-1, -1, 225},  {5, 0, 0},    {1, -1e-13, 360},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    EXPECT_EQ(VectorAngleDeg(c.dx, c.dy), c.out);
  }
}

TEST(geometry, vector_angle_in_radians_lies_in_a_full_turn) {
  const double pi = std::acos(-1.0);
  struct {
    double dx, dy, out;
  } cases[] = {
      {0, 0, 0}, {1, 0, 0}, {0, 1, pi / 2}, {-1, 0, pi}, {0, -1, 1.5 * pi}, {-1, -0.0, pi},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    double a = VectorAngleRad(c.dx, c.dy);
    EXPECT_NEAR(a, c.out, 1e-15);
    EXPECT_GE(a, 0);
    EXPECT_LT(a, 2 * pi);
  }
}

TEST(geometry, normalize_folds_into_one_turn) {
  struct {
    double in, out;
  } cases[] = {
      {-30, 330}, {720, 0},     {360, 0},      {-400, 320},     {359.5, 359.5}, {0, 0},
      {-360, 0},  {725.5, 5.5}, {-0.5, 359.5}, {1080.25, 0.25}, {90, 90},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    double r = NormalizeDegrees(c.in);
    EXPECT_EQ(r, c.out);
    EXPECT_GE(r, 0);
    EXPECT_LT(r, 360);
  }
}

TEST(geometry, rotate_turns_counter_clockwise_about_the_centre) {
  struct {
    double px, py, cx, cy, angle, rx, ry;
  } cases[] = {
      {1, 0, 0, 0, 90, 0, 1},   {1, 0, 0, 0, -90, 0, -1},
      {1, 0, 0, 0, 180, -1, 0}, {3, 2, 2, 2, 90, 2, 3},
      {2, 3, 1, 1, 360, 2, 3},  {1, 0, 0, 0, 45, std::sqrt(0.5), std::sqrt(0.5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.angle);
    double rx = 0, ry = 0;
    RotatePointDeg(rx, ry, c.px, c.py, c.cx, c.cy, c.angle);
    EXPECT_NEAR(rx, c.rx, 1e-15 * 4);
    EXPECT_NEAR(ry, c.ry, 1e-15 * 4);
    // The same turn on points, to the last bit.
    const Point turned = Turned(Point{c.px, c.py}, Point{c.cx, c.cy}, c.angle);
    EXPECT_EQ(turned.X, rx);
    EXPECT_EQ(turned.Y, ry);
  }
}

TEST(geometry, rotate_by_zero_returns_the_point_unchanged) {
  // With the centre at the origin (or any centre whose differences to the
  // point are exact) no rounding can creep in.
  struct {
    double px, py, cx, cy;
  } cases[] = {
      {123.456, -7.89, 0, 0},
      {1, 0, 0, 0},
      {123.5, -7.75, 10.5, 20.25},
      {-1e300, 1e-300, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.px);
    double rx = 0, ry = 0;
    RotatePointDeg(rx, ry, c.px, c.py, c.cx, c.cy, 0);
    EXPECT_EQ(rx, c.px);
    EXPECT_EQ(ry, c.py);
  }
}

TEST(geometry, rotate_there_and_back_returns_the_point) {
  struct {
    double px, py, cx, cy, angle;
  } cases[] = {
      {100, 50, 10, 20, 30},
      {-5, 7, 0, 0, 123.4},
      {1e4, -3e3, 2e3, 1e3, -17.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.angle);
    double tx = 0, ty = 0, bx = 0, by = 0;
    RotatePointDeg(tx, ty, c.px, c.py, c.cx, c.cy, -c.angle);
    RotatePointDeg(bx, by, tx, ty, c.cx, c.cy, c.angle);
    EXPECT_NEAR(bx, c.px, 1e-11 * std::fabs(c.px) + 1e-12);
    EXPECT_NEAR(by, c.py, 1e-11 * std::fabs(c.py) + 1e-12);
  }
}

TEST(geometry, rotate_may_write_over_its_input) {
  double x = 1, y = 0;
  RotatePointDeg(x, y, x, y, 0, 0, 90);
  EXPECT_NEAR(x, 0, 1e-15);
  EXPECT_NEAR(y, 1, 1e-15);
}

TEST(geometry, text_run_length_adds_spacing_only_between_characters) {
  struct {
    std::string text;
    double out;
  } cases[] = {
      {"ab", 4.5},  // 2 + 0.5 + 2
      {"\x82\xA0"
       "a",
       7},  // あ, a: 4 + 1 + 2
      {"", 0},
      {"a\tb", 5},  // 2 + 0.5 + 0 + 0.5 + 2
      {"a", 2},
      {"\x82\xA0", 4},
      {"\x82\xA0\x82\xA0", 9},  // 4 + 1 + 4
      {" ", 2},
      {"\xB1\xB2", 4.5},       // half-width katakana are half-width
      {"a\x82", 2 + 0.5 + 4},  // a lone lead byte at the end is full width
      {"\x80"
       "a",
       4},  // 0x80 is a lead byte: "a" is its second byte
      {"\xFD"
       "ab",
       4 + 1 + 2},  // so is 0xFD
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextRunLength(c.text, 4, 1), c.out);
  }
}
