#include "util/trigonometry.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "util/pi_bits.h"
#include "util/wide_fixed.h"

// How a result is made certain: it is first computed in fixed point with 128
// fraction bits, with a counted error bound, and rounded to the nearest double
// only if every value within that bound rounds to the same double. If not (a
// value very close to a midpoint between two doubles), it is computed again
// with 576 fraction bits. The hardest doubles for these functions need about
// 120 bits beyond the result's own, so the second attempt always decides.
//
// Sections: rounding, constants, sine and cosine, arc tangent, entry points.

namespace {

constexpr int kQuickWords = 3;  // 128 fraction bits
constexpr int kWideWords = 10;  // 576 fraction bits

// Every fixed-point result below lies within this many ulps of the true value.
// The largest count, the arc tangent table at the wide precision, stays below
// 1,200 (two ulps per term of its series); the sine and cosine below 20.
constexpr std::uint64_t kErrorUlps = 1u << 12;

// ---- Rounding

struct Rounding {
  double Value = 0;
  bool Certain = false;
};

template <int N>
int HighestBit(const WideFixed<N>& a) {
  for (int i = N - 1; i >= 0; --i) {
    if (a.Word[i] != 0) return 64 * i + std::bit_width(a.Word[i]) - 1;
  }
  return -1;
}

// Bits [first, first + 64) of `a` (not negative), as an integer.
template <int N>
std::uint64_t BitsFrom(const WideFixed<N>& a, int first) {
  const int word = first / 64;
  const int bit = first % 64;
  std::uint64_t r = a.Word[word] >> bit;
  if (bit != 0 && word + 1 < N) r |= a.Word[word + 1] << (64 - bit);
  return r;
}

// `a` (not negative) rounded to a multiple of 2^drop, half up, in units of 2^drop.
template <int N>
std::uint64_t RoundedAt(WideFixed<N> a, int drop) {
  WideFixed<N> half;
  half.Word[(drop - 1) / 64] = std::uint64_t{1} << ((drop - 1) % 64);
  return BitsFrom(a + half, drop);
}

// The double nearest to `v`, certain when every value within the error bound
// of `v` rounds to it. A transcendental result is never exactly a midpoint,
// so how ties would go does not matter.
template <int N>
Rounding RoundToNearestDouble(const WideFixed<N>& v) {
  const WideFixed<N> m = Magnitude(v);
  const int top = HighestBit(m);
  // Too few bits below the 53 kept ones to say anything: try wider.
  if (top < 53 + 16) return {};
  const int drop = top - 52;
  WideFixed<N> bound;
  bound.Word[0] = kErrorUlps;
  const std::uint64_t low = RoundedAt(m - bound, drop);
  const std::uint64_t high = RoundedAt(m + bound, drop);
  const double magnitude =
      std::ldexp(static_cast<double>(high), drop - WideFixed<N>::kFractionBits);
  return {v.IsNegative() ? -magnitude : magnitude, low == high};
}

// ---- Constants

// 64 bits of 2/pi starting after bit `position` (bit 1 is the first after the
// binary point; bits at 0 and before are the integer part, all zero).
std::uint64_t TwoOverPiBitsAfter(int position) {
  const auto word = [](int i) -> std::uint64_t {
    return i >= 0 && i < kTwoOverPiWordCount ? kTwoOverPiWords[i] : 0;
  };
  if (position <= -64) return 0;
  if (position < 0) return word(0) >> -position;
  const int bit = position % 64;
  const int index = position / 64;
  if (bit == 0) return word(index);
  return (word(index) << bit) | (word(index + 1) >> (64 - bit));
}

template <int N>
WideFixed<N> HalfPi() {
  WideFixed<N> r = WideFixed<N>::Integer(1);
  for (int i = 0; i < N - 1 && i < kHalfPiFractionWordCount; ++i) {
    r.Word[N - 2 - i] = kHalfPiFractionWords[i];
  }
  return r;
}

// 2^-(fraction bits + 8): a series term below this is dropped.
template <int N>
double NegligibleTerm() {
  return std::ldexp(1.0, -WideFixed<N>::kFractionBits - 8);
}

template <int N>
struct Tables {
  WideFixed<N> HalfPiValue;
  std::vector<WideFixed<N>> SineCoefficients;        // 1/1!, 1/3!, 1/5!, ...
  std::vector<WideFixed<N>> CosineCoefficients;      // 1/0!, 1/2!, 1/4!, ...
  std::vector<WideFixed<N>> ArcTangentCoefficients;  // 1/1, 1/3, 1/5, ...
  WideFixed<N> ArcTangentOfEighths[9];               // atan(k/8)
};

// atan(k/8) by Euler's series, whose terms fall by k²/(64 + k²) <= 1/2 each:
// atan(x) = sum of (2n)!!/(2n+1)!! * x^(2n+1)/(1+x²)^(n+1). Small integers only.
template <int N>
WideFixed<N> ArcTangentOfEighth(int k) {
  const std::uint64_t k2 = static_cast<std::uint64_t>(k) * k;
  WideFixed<N> term = DivideSmall(WideFixed<N>::Integer(8 * k), 64 + k2);
  WideFixed<N> sum = term;
  for (std::uint64_t n = 1; !term.IsZero(); ++n) {
    term = DivideSmall(MultiplySmall(term, 2 * n * k2), (2 * n + 1) * (64 + k2));
    sum = sum + term;
  }
  return sum;
}

template <int N>
Tables<N> MakeTables() {
  Tables<N> t;
  t.HalfPiValue = HalfPi<N>();
  // Terms of the series for |r| <= pi/4 (sine, cosine) and |u| <= 1/16 (arc tangent).
  const double negligible = NegligibleTerm<N>();
  WideFixed<N> inverseFactorial = WideFixed<N>::Integer(1);
  double termBound = 1;
  for (std::uint64_t n = 0; termBound >= negligible; ++n) {
    if (n > 0) {
      inverseFactorial = DivideSmall(inverseFactorial, n);
      termBound = termBound * 0.7854 / static_cast<double>(n);
    }
    (n % 2 == 0 ? t.CosineCoefficients : t.SineCoefficients).push_back(inverseFactorial);
  }
  double power = 1;
  for (std::uint64_t j = 0; power / static_cast<double>(2 * j + 1) >= negligible; ++j) {
    t.ArcTangentCoefficients.push_back(DivideSmall(WideFixed<N>::Integer(1), 2 * j + 1));
    power /= 256;
  }
  for (int k = 0; k < 8; ++k) t.ArcTangentOfEighths[k] = ArcTangentOfEighth<N>(k);
  t.ArcTangentOfEighths[8] = ShiftRightSmall(t.HalfPiValue, 1);
  return t;
}

template <int N>
const Tables<N>& TablesFor() {
  static const Tables<N> tables = MakeTables<N>();
  return tables;
}

// c0 - s (c1 - s (c2 - ...)): an alternating series in s by Horner's rule.
template <int N>
WideFixed<N> AlternatingSeries(const std::vector<WideFixed<N>>& c, const WideFixed<N>& s) {
  WideFixed<N> sum = c.back();
  for (std::size_t j = c.size() - 1; j-- > 0;) sum = c[j] - s * sum;
  return sum;
}

// ---- Sine and cosine

// |x| = (4j + Quadrant) * pi/2 + Angle, with Angle in [-pi/4, pi/4].
template <int N>
struct QuarterTurns {
  int Quadrant = 0;
  WideFixed<N> Angle;
};

// Payne and Hanek's reduction: |x| * 2/pi taken modulo 4 from just the bits of
// 2/pi that matter. With |x| = mantissa * 2^e, bits of 2/pi at place i weigh
// 2^(e - i) in the product: those with e - i >= 2 add only multiples of 4, and
// those more than 64 places below the last fraction bit add less than
// 2^-11 ulp. The window of N + 2 words covers every bit in between.
template <int N>
QuarterTurns<N> ReduceToQuarterTurns(double ax) {
  int exponent = 0;
  const double m = std::frexp(ax, &exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(m, 53));
  const int e = exponent - 53;  // ax = mantissa * 2^e
  constexpr int kWindowWords = N + 2;
  const int lastBit = e + WideFixed<N>::kFractionBits + 64;

  // window * mantissa, where the window's lowest bit is bit `lastBit` of 2/pi.
  std::uint64_t product[kWindowWords + 1] = {};
  std::uint64_t carry = 0;
  for (int k = 0; k < kWindowWords; ++k) {
    const std::uint64_t w = TwoOverPiBitsAfter(lastBit - 64 * (k + 1));
    const Uint128 t = static_cast<Uint128>(w) * mantissa + carry;
    product[k] = static_cast<std::uint64_t>(t);
    carry = static_cast<std::uint64_t>(t >> 64);
  }
  product[kWindowWords] = carry;

  // The product's lowest word lies below the last fraction bit: drop it
  // (truncation, less than one ulp), and keep the integer part modulo 4.
  WideFixed<N> v;
  for (int i = 0; i < N; ++i) v.Word[i] = product[i + 1];
  v.Word[N - 1] &= 3;

  QuarterTurns<N> r;
  r.Quadrant = static_cast<int>(v.Word[N - 1]);
  if ((v.Word[N - 2] >> 63) != 0) {  // fraction >= 1/2: the next quarter is nearer
    r.Quadrant = (r.Quadrant + 1) & 3;
    v = v - WideFixed<N>::Integer(static_cast<std::int64_t>(v.Word[N - 1]) + 1);
  } else {
    v.Word[N - 1] = 0;
  }
  r.Angle = v * TablesFor<N>().HalfPiValue;
  return r;
}

template <int N>
Rounding SineOrCosineAt(double x, bool cosine) {
  const Tables<N>& t = TablesFor<N>();
  const QuarterTurns<N> turns = ReduceToQuarterTurns<N>(std::fabs(x));
  // sin(Angle + q pi/2) is sin, cos, -sin, -cos of Angle for q = 0..3, and
  // cos(y) = sin(y + pi/2).
  const int q = (turns.Quadrant + (cosine ? 1 : 0)) & 3;
  const WideFixed<N> s = turns.Angle * turns.Angle;
  WideFixed<N> v = (q & 1) != 0 ? AlternatingSeries(t.CosineCoefficients, s)
                                : turns.Angle * AlternatingSeries(t.SineCoefficients, s);
  const bool negate = ((q & 2) != 0) != (!cosine && x < 0);
  if (negate) v = -v;
  return RoundToNearestDouble(v);
}

double SineOrCosine(double x, bool cosine) {
  const Rounding quick = SineOrCosineAt<kQuickWords>(x, cosine);
  if (quick.Certain) return quick.Value;
  return SineOrCosineAt<kWideWords>(x, cosine).Value;
}

// ---- Arc tangent

struct Binary {
  std::uint64_t Mantissa = 0;  // 2^52 <= Mantissa < 2^53
  int Exponent = 0;            // the value is Mantissa * 2^Exponent
};

Binary Decompose(double a) {
  int exponent = 0;
  const double m = std::frexp(std::fabs(a), &exponent);
  return {static_cast<std::uint64_t>(std::ldexp(m, 53)), exponent - 53};
}

// n/d for 0 < n <= d, truncated to the fixed point.
template <int N>
WideFixed<N> Quotient(Binary n, Binary d) {
  const int shift = n.Exponent - d.Exponent + WideFixed<N>::kFractionBits;
  WideFixed<N> q;
  if (shift < 0) {
    // n * 2^shift is below 2^53 * 2^-75 < 1 < d beyond 74 places.
    if (shift < -74) return q;
    const Uint128 quotient =
        static_cast<Uint128>(n.Mantissa) / (static_cast<Uint128>(d.Mantissa) << -shift);
    q.Word[0] = static_cast<std::uint64_t>(quotient);
    return q;
  }
  // Long division of n * 2^shift by the 53-bit d, one word at a time.
  std::uint64_t numerator[N + 1] = {};
  numerator[shift / 64] = n.Mantissa << (shift % 64);
  if (shift % 64 != 0 && shift / 64 + 1 <= N) {
    numerator[shift / 64 + 1] = n.Mantissa >> (64 - shift % 64);
  }
  std::uint64_t remainder = 0;
  for (int i = N; i >= 0; --i) {
    const Uint128 t = (static_cast<Uint128>(remainder) << 64) | numerator[i];
    const auto word = static_cast<std::uint64_t>(t / d.Mantissa);
    remainder = static_cast<std::uint64_t>(t % d.Mantissa);
    if (i < N) q.Word[i] = word;
  }
  return q;
}

// 1/d for d in [1, 2] by Newton's iteration from a double, each step doubling
// the correct bits: y + y (1 - d y).
template <int N>
WideFixed<N> Reciprocal(const WideFixed<N>& d) {
  WideFixed<N> y = FromDouble<N>(1.0 / ApproximateDouble(d));
  const WideFixed<N> one = WideFixed<N>::Integer(1);
  for (int bits = 50; bits < WideFixed<N>::kFractionBits + 8; bits *= 2) {
    y = y + y * (one - d * y);
  }
  return y;
}

// atan(q) for q in [0, 1]: atan(k/8) from the table plus atan(u), where
// u = (q - k/8) / (1 + q k/8) is at most 1/16 for the nearest eighth k/8.
template <int N>
WideFixed<N> ArcTangentOfRatio(const WideFixed<N>& q) {
  const Tables<N>& t = TablesFor<N>();
  const int sixteenths =
      q.Word[N - 1] != 0 ? 16 : static_cast<int>(q.Word[N - 2] >> 60);  // floor(16 q)
  const int k = (sixteenths + 1) / 2;                                   // the nearest eighth
  const WideFixed<N> numerator = q - DivideSmall(WideFixed<N>::Integer(k), 8);
  const WideFixed<N> denominator =
      WideFixed<N>::Integer(1) + ShiftRightSmall(MultiplySmall(q, k), 3);
  const WideFixed<N> u = numerator * Reciprocal(denominator);
  return t.ArcTangentOfEighths[k] + u * AlternatingSeries(t.ArcTangentCoefficients, u * u);
}

template <int N>
Rounding ArcTangent2At(Binary n, Binary d, bool swapped, bool leftHalf, bool negative) {
  const WideFixed<N> halfPi = TablesFor<N>().HalfPiValue;
  WideFixed<N> angle = ArcTangentOfRatio(Quotient<N>(n, d));
  if (swapped) angle = halfPi - angle;
  if (leftHalf) angle = MultiplySmall(halfPi, 2) - angle;
  return RoundToNearestDouble(negative ? -angle : angle);
}

// atan(n/d) for n/d below 2^-61, where atan(q) = q - q³/3 + ... is below q by
// far less than the distance from q to any midpoint between doubles, unless q
// is exactly such a midpoint: so q rounded to nearest, with exact halves going
// down. The grid is that of q's binade, or of the subnormals.
double RoundedTinyQuotient(Binary n, Binary d) {
  const int e = n.Exponent - d.Exponent;
  const int floorLog2 = n.Mantissa >= d.Mantissa ? e : e - 1;
  const int grid = std::max(floorLog2 - 52, -1074);
  const int shift = e - grid;  // q / 2^grid = (n.Mantissa / d.Mantissa) * 2^shift
  if (shift < -1) return 0;    // below half the smallest subnormal
  Uint128 numerator = n.Mantissa;
  Uint128 denominator = d.Mantissa;
  if (shift >= 0) {
    numerator <<= shift;  // shift <= 53
  } else {
    denominator <<= -shift;
  }
  auto steps = static_cast<std::uint64_t>(numerator / denominator);
  const Uint128 remainder = numerator % denominator;
  if (2 * remainder > denominator) ++steps;
  return std::ldexp(static_cast<double>(steps), grid);
}

// Directions of the axes and diagonals, each pi/4 multiple correctly rounded.
constexpr double kPi = 0x1.921fb54442d18p+1;
constexpr double kHalfPi = 0x1.921fb54442d18p+0;
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
constexpr double kThreeQuarterPi = 0x1.2d97c7f3321d2p+1;

double SpecialArcTangent2(double y, double x) {
  if (std::isinf(y)) {
    const double a = std::isinf(x) ? (x > 0 ? kQuarterPi : kThreeQuarterPi) : kHalfPi;
    return std::copysign(a, y);
  }
  if (y == 0 || std::isinf(x)) {
    return std::copysign(std::signbit(x) ? kPi : 0.0, y);
  }
  return std::copysign(kHalfPi, y);  // x is a zero, y finite and not zero
}

}  // namespace

// ---- Entry points

double Sine(double x) {
  if (std::isnan(x)) return x;
  if (std::isinf(x)) return std::numeric_limits<double>::quiet_NaN();
  // sin x = x - x³/6 + ... rounds to x: x³/6 is below a quarter of x's last place.
  if (std::fabs(x) < 0x1p-26) return x;
  return SineOrCosine(x, false);
}

double Cosine(double x) {
  if (std::isnan(x)) return x;
  if (std::isinf(x)) return std::numeric_limits<double>::quiet_NaN();
  // cos x = 1 - x²/2 + ... rounds to 1: x²/2 is below 2^-55.
  if (std::fabs(x) < 0x1p-27) return 1;
  return SineOrCosine(x, true);
}

double ArcTangent2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return x + y;
  if (std::isinf(x) || std::isinf(y) || x == 0 || y == 0) return SpecialArcTangent2(y, x);
  // The angle is atan(q) for q = smaller / larger of |y| and |x|, turned into
  // the right octant: pi/2 - atan(q) above the diagonal, pi - that left of
  // the y axis, and negative below the x axis.
  const bool swapped = std::fabs(y) > std::fabs(x);
  const Binary n = Decompose(swapped ? x : y);
  const Binary d = Decompose(swapped ? y : x);
  const bool leftHalf = x < 0;
  const bool negative = y < 0;
  if (!swapped && !leftHalf && n.Exponent - d.Exponent <= -62) {
    // The result is atan(q) itself and q is below 2^-61: the fixed point
    // would lose it; the quotient decides the rounding.
    return std::copysign(RoundedTinyQuotient(n, d), y);
  }
  const Rounding quick = ArcTangent2At<kQuickWords>(n, d, swapped, leftHalf, negative);
  if (quick.Certain) return quick.Value;
  return ArcTangent2At<kWideWords>(n, d, swapped, leftHalf, negative).Value;
}
