#include "util/trigonometry.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tests/support/mpfr_reference.h"
#include "util/pi_bits.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using Rng = std::mt19937_64;

double FromBits(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

double RandomSign(Rng& rng, double d) { return (rng() & 1) != 0 ? -d : d; }

// A double of random mantissa with its binary exponent in [low, high].
double RandomWithExponent(Rng& rng, int low, int high) {
  const int e = low + static_cast<int>(rng() % static_cast<std::uint64_t>(high - low + 1));
  const double mantissa = 1 + std::ldexp(static_cast<double>(rng() >> 12), -52);
  return RandomSign(rng, std::ldexp(mantissa, e));
}

// Degrees with up to six decimals, turned into radians as the program does.
double RandomDegreesInRadians(Rng& rng) {
  const auto micro = static_cast<std::int64_t>(rng() % 2'160'000'001) - 1'080'000'000;
  return static_cast<double>(micro) / 1e6 / 180 * 3.14159265358979323846;
}

// The double nearest to j * pi/2 and the doubles two places either side, the
// arguments whose reduction cancels most: for every j up to `every`, then for
// `count` random whole j up to 1e22 / (pi/2).
void AddNearHalfPiMultiples(Rng& rng, int every, int count, std::vector<double>& out) {
  mpfr_t halfPi, product;
  mpfr_inits2(400, halfPi, product, static_cast<mpfr_ptr>(nullptr));
  mpfr_const_pi(halfPi, MPFR_RNDN);
  mpfr_div_2ui(halfPi, halfPi, 1, MPFR_RNDN);
  std::uniform_real_distribution<double> logJ(0, std::log(1e22 / 1.5707963267948966));
  for (int i = 1; i <= every + count; ++i) {
    const double j = i <= every ? i : std::round(std::exp(logJ(rng)));
    mpfr_mul_d(product, halfPi, j, MPFR_RNDN);
    double x = mpfr_get_d(product, MPFR_RNDN);
    x = std::nextafter(std::nextafter(x, -kInf), -kInf);
    for (int k = 0; k < 5; ++k, x = std::nextafter(x, kInf)) out.push_back(RandomSign(rng, x));
  }
  mpfr_clears(halfPi, product, static_cast<mpfr_ptr>(nullptr));
}

std::vector<double> SineCosineArguments() {
  Rng rng(20261208);
  std::vector<double> a = {0.0,
                           -0.0,
                           kInf,
                           -kInf,
                           kNaN,
                           DBL_MAX,
                           -DBL_MAX,
                           DBL_MIN,
                           DBL_TRUE_MIN,
                           -DBL_TRUE_MIN,
                           0x1p-26,
                           -0x1p-26,
                           0x1p-27,
                           std::nextafter(0x1p-26, 0.0),
                           std::nextafter(0x1p-27, 0.0),
                           0x1.921fb54442d18p+0,
                           0x1.921fb54442d18p+1,
                           0x1.921fb54442d18p-1};
  for (int i = 0; i < 200'000; ++i) a.push_back(FromBits(rng()));
  for (int i = 0; i < 250'000; ++i) a.push_back(RandomDegreesInRadians(rng));
  AddNearHalfPiMultiples(rng, 20'000, 40'000, a);
  // Drawing-sized values, the small ones around the short cuts, subnormals
  // and the huge ones at the end of the table of 2/pi.
  std::uniform_real_distribution<double> drawing(-1e4, 1e4);
  for (int i = 0; i < 150'000; ++i) a.push_back(drawing(rng));
  for (int i = 0; i < 100'000; ++i) a.push_back(RandomWithExponent(rng, -40, 0));
  for (int i = 0; i < 25'000; ++i) a.push_back(RandomWithExponent(rng, -1074, -1022));
  for (int i = 0; i < 25'000; ++i) a.push_back(RandomWithExponent(rng, 900, 1023));
  return a;
}

std::vector<std::pair<double, double>> ArcTangentArguments() {
  Rng rng(8122026);
  std::vector<std::pair<double, double>> a;
  const double specials[] = {0.0,  -0.0,    kInf,     -kInf,        kNaN,          1.0,
                             -1.0, DBL_MAX, -DBL_MAX, DBL_TRUE_MIN, -DBL_TRUE_MIN, DBL_MIN};
  for (double y : specials)
    for (double x : specials) a.emplace_back(y, x);
  for (int i = 0; i < 200'000; ++i) a.emplace_back(FromBits(rng()), FromBits(rng()));
  // Directions at whole-micro-degree angles with radii from 1e-3 to 1e7.
  std::uniform_real_distribution<double> logRadius(std::log(1e-3), std::log(1e7));
  for (int i = 0; i < 300'000; ++i) {
    const double angle = RandomDegreesInRadians(rng);
    const double r = std::exp(logRadius(rng));
    a.emplace_back(r * Sine(angle), r * Cosine(angle));
  }
  // Coordinate differences of a drawing, in thousandths of a millimetre.
  std::uniform_int_distribution<std::int64_t> coordinate(-1'000'000'000, 1'000'000'000);
  for (int i = 0; i < 200'000; ++i) {
    a.emplace_back(static_cast<double>(coordinate(rng)) / 1000,
                   static_cast<double>(coordinate(rng)) / 1000);
  }
  // Near the diagonals and the axes: the swap of the octants and the table's ends.
  for (int i = 0; i < 150'000; ++i) {
    const double x = RandomWithExponent(rng, -60, 60);
    double y = std::fabs(x);
    for (int k = static_cast<int>(rng() % 9); k > 0; --k) y = std::nextafter(y, kInf);
    if ((rng() & 3) == 0) y = std::ldexp(y, -static_cast<int>(rng() % 70));
    a.emplace_back(RandomSign(rng, y), x);
  }
  // Far-apart magnitudes: the tiny quotients and the subnormal results.
  for (int i = 0; i < 150'000; ++i) {
    a.emplace_back(RandomWithExponent(rng, -1074, 1023), RandomWithExponent(rng, -1074, 1023));
  }
  return a;
}

std::string Hex(double d) {
  char text[40];
  std::snprintf(text, sizeof text, "%a", d);
  return text;
}

// Compares every argument with MPFR; returns the count of differences and
// keeps the first few as text.
struct Mismatches {
  int Count = 0;
  std::string First;
  void Add(const std::string& call, double ours, double reference) {
    if (++Count <= 8) First += call + " = " + Hex(ours) + ", MPFR " + Hex(reference) + "\n";
  }
};

}  // namespace

TEST(trigonometry, special_values_follow_the_c_library) {
  const double pi = 0x1.921fb54442d18p+1;
  const double halfPi = 0x1.921fb54442d18p+0;
  struct {
    const char* call;
    double ours;
    double expected;
  } cases[] = {
      {"sin(-0)", Sine(-0.0), -0.0},
      {"sin(inf)", Sine(kInf), kNaN},
      {"sin(nan)", Sine(kNaN), kNaN},
      {"cos(-0)", Cosine(-0.0), 1},
      {"cos(-inf)", Cosine(-kInf), kNaN},
      {"sin(denorm_min)", Sine(-DBL_TRUE_MIN), -DBL_TRUE_MIN},
      // The two figures that came out different on Windows.
      {"cos(pi/2)", Cosine(halfPi), 6.123233995736766e-17},
      {"sin(pi)", Sine(pi), 1.2246467991473532e-16},
      {"atan2(0, -0)", ArcTangent2(0.0, -0.0), pi},
      {"atan2(-0, -0)", ArcTangent2(-0.0, -0.0), -pi},
      {"atan2(-0, +0)", ArcTangent2(-0.0, 0.0), -0.0},
      {"atan2(1, -0)", ArcTangent2(1, -0.0), halfPi},
      {"atan2(-1, inf)", ArcTangent2(-1, kInf), -0.0},
      {"atan2(1, -inf)", ArcTangent2(1, -kInf), pi},
      {"atan2(-inf, -inf)", ArcTangent2(-kInf, -kInf), -0x1.2d97c7f3321d2p+1},
      {"atan2(inf, inf)", ArcTangent2(kInf, kInf), 0x1.921fb54442d18p-1},
      {"atan2(-inf, 5)", ArcTangent2(-kInf, 5), -halfPi},
      {"atan2(nan, 0)", ArcTangent2(kNaN, 0), kNaN},
      {"atan2(1, 1)", ArcTangent2(1, 1), 0x1.921fb54442d18p-1},
      // A subnormal quotient exactly halfway between two subnormals rounds
      // down, as the arc tangent lies just below it.
      {"atan2(3 * 2^-1075 * 2^100, 2^100)", ArcTangent2(0x1.8p-974, 0x1p+100), 0x1p-1074},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    EXPECT_TRUE(SameDouble(c.ours, c.expected)) << Hex(c.ours) << " expected " << Hex(c.expected);
  }
}

TEST(trigonometry, tables_of_two_over_pi_and_half_pi_are_exact) {
  mpfr_t v;
  mpfr_init2(v, 64 * (kTwoOverPiWordCount + 2));
  mpfr_const_pi(v, MPFR_RNDN);
  mpfr_ui_div(v, 2, v, MPFR_RNDN);
  for (int i = 0; i < kTwoOverPiWordCount; ++i) {
    mpfr_mul_2ui(v, v, 64, MPFR_RNDN);
    const std::uint64_t word = mpfr_get_uj(v, MPFR_RNDZ);
    EXPECT_EQ(word, kTwoOverPiWords[i]) << "word " << i << " of 2/pi";
    mpfr_frac(v, v, MPFR_RNDN);
  }
  mpfr_const_pi(v, MPFR_RNDN);
  mpfr_div_2ui(v, v, 1, MPFR_RNDN);
  mpfr_frac(v, v, MPFR_RNDN);
  for (int i = 0; i < kHalfPiFractionWordCount; ++i) {
    mpfr_mul_2ui(v, v, 64, MPFR_RNDN);
    const std::uint64_t word = mpfr_get_uj(v, MPFR_RNDZ);
    EXPECT_EQ(word, kHalfPiFractionWords[i]) << "word " << i << " of pi/2";
    mpfr_frac(v, v, MPFR_RNDN);
  }
  mpfr_clear(v);
}

// One million arguments a function, compared bit for bit with MPFR.
void ExpectEqualToMpfr(const char* name, double (*ours)(double),
                       double (MpfrReference::*reference)(double)) {
  MpfrReference mpfr;
  const std::vector<double> arguments = SineCosineArguments();
  ASSERT_GE(arguments.size(), 1'000'000u);
  Mismatches mismatches;
  for (double x : arguments) {
    const double a = ours(x), expected = (mpfr.*reference)(x);
    if (!SameDouble(a, expected))
      mismatches.Add(std::string(name) + "(" + Hex(x) + ")", a, expected);
  }
  EXPECT_EQ(mismatches.Count, 0) << mismatches.First;
}

TEST(trigonometry, sine_equals_mpfr_on_a_million_arguments) {
  ExpectEqualToMpfr("sin", Sine, &MpfrReference::Sin);
}

TEST(trigonometry, cosine_equals_mpfr_on_a_million_arguments) {
  ExpectEqualToMpfr("cos", Cosine, &MpfrReference::Cos);
}

TEST(trigonometry, arc_tangent_equals_mpfr_on_a_million_argument_pairs) {
  MpfrReference mpfr;
  const auto arguments = ArcTangentArguments();
  ASSERT_GE(arguments.size(), 1'000'000u);
  Mismatches atan2;
  for (const auto& [y, x] : arguments) {
    const double a = ArcTangent2(y, x), aRef = mpfr.Atan2(y, x);
    if (!SameDouble(a, aRef)) atan2.Add("atan2(" + Hex(y) + ", " + Hex(x) + ")", a, aRef);
  }
  EXPECT_EQ(atan2.Count, 0) << atan2.First;
}
