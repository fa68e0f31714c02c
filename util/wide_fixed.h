#pragma once
// Signed fixed-point numbers of N 64-bit words for the correctly rounded
// trigonometry: the top word holds the integer part, the N - 1 words below it
// the fraction, in two's complement. Every operation is exact or truncates
// once, so an error bound can be counted in units of the last place (ulps),
// 2^-(64 * (N - 1)). The arithmetic is integer only, so it gives the same bits
// with every compiler and run-time library.

#include <array>
#include <cmath>
#include <cstdint>

template <int N>
struct WideFixed {
  static_assert(N >= 2, "a fraction needs at least one word");
  static constexpr int kFractionBits = 64 * (N - 1);
  std::array<std::uint64_t, N> Word{};  // least significant first

  static WideFixed Integer(std::int64_t value) {
    WideFixed r;
    r.Word[N - 1] = static_cast<std::uint64_t>(value);
    return r;
  }

  bool IsNegative() const { return (Word[N - 1] >> 63) != 0; }
  bool IsZero() const {
    for (std::uint64_t w : Word)
      if (w != 0) return false;
    return true;
  }
};

using Uint128 = unsigned __int128;

template <int N>
WideFixed<N> operator+(const WideFixed<N>& a, const WideFixed<N>& b) {
  WideFixed<N> r;
  std::uint64_t carry = 0;
  for (int i = 0; i < N; ++i) {
    const Uint128 s = static_cast<Uint128>(a.Word[i]) + b.Word[i] + carry;
    r.Word[i] = static_cast<std::uint64_t>(s);
    carry = static_cast<std::uint64_t>(s >> 64);
  }
  return r;
}

template <int N>
WideFixed<N> operator-(const WideFixed<N>& a) {
  WideFixed<N> r;
  std::uint64_t carry = 1;
  for (int i = 0; i < N; ++i) {
    const Uint128 s = static_cast<Uint128>(~a.Word[i]) + carry;
    r.Word[i] = static_cast<std::uint64_t>(s);
    carry = static_cast<std::uint64_t>(s >> 64);
  }
  return r;
}

template <int N>
WideFixed<N> operator-(const WideFixed<N>& a, const WideFixed<N>& b) {
  return a + (-b);
}

template <int N>
WideFixed<N> Magnitude(const WideFixed<N>& a) {
  return a.IsNegative() ? -a : a;
}

// The product, truncated toward zero: less than one ulp off.
template <int N>
WideFixed<N> operator*(const WideFixed<N>& a, const WideFixed<N>& b) {
  const WideFixed<N> x = Magnitude(a);
  const WideFixed<N> y = Magnitude(b);
  std::array<std::uint64_t, 2 * N> full{};
  for (int i = 0; i < N; ++i) {
    std::uint64_t carry = 0;
    for (int j = 0; j < N; ++j) {
      const Uint128 t = static_cast<Uint128>(x.Word[i]) * y.Word[j] + full[i + j] + carry;
      full[i + j] = static_cast<std::uint64_t>(t);
      carry = static_cast<std::uint64_t>(t >> 64);
    }
    full[i + N] = carry;
  }
  WideFixed<N> r;
  for (int i = 0; i < N; ++i) r.Word[i] = full[i + N - 1];
  return a.IsNegative() != b.IsNegative() ? -r : r;
}

// `a` (not negative) times a small factor; exact while the integer part fits.
template <int N>
WideFixed<N> MultiplySmall(const WideFixed<N>& a, std::uint64_t factor) {
  WideFixed<N> r;
  std::uint64_t carry = 0;
  for (int i = 0; i < N; ++i) {
    const Uint128 t = static_cast<Uint128>(a.Word[i]) * factor + carry;
    r.Word[i] = static_cast<std::uint64_t>(t);
    carry = static_cast<std::uint64_t>(t >> 64);
  }
  return r;
}

// `a` (not negative) divided by a small divisor, truncated: less than one ulp off.
template <int N>
WideFixed<N> DivideSmall(const WideFixed<N>& a, std::uint64_t divisor) {
  WideFixed<N> r;
  std::uint64_t remainder = 0;
  for (int i = N - 1; i >= 0; --i) {
    const Uint128 t = (static_cast<Uint128>(remainder) << 64) | a.Word[i];
    r.Word[i] = static_cast<std::uint64_t>(t / divisor);
    remainder = static_cast<std::uint64_t>(t % divisor);
  }
  return r;
}

// `a` (not negative) shifted right by fewer than 64 bits, truncated.
template <int N>
WideFixed<N> ShiftRightSmall(const WideFixed<N>& a, int bits) {
  if (bits == 0) return a;
  WideFixed<N> r;
  for (int i = 0; i < N; ++i) {
    const std::uint64_t above = i + 1 < N ? a.Word[i + 1] : 0;
    r.Word[i] = (a.Word[i] >> bits) | (above << (64 - bits));
  }
  return r;
}

// The exact value of a double whose magnitude is below 2^63; bits below the
// last place are cut off.
template <int N>
WideFixed<N> FromDouble(double d) {
  const bool negative = d < 0;
  int exponent = 0;
  const double m = std::frexp(std::fabs(d), &exponent);  // d = m * 2^exponent, m in [0.5, 1)
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(m, 53));
  // The mantissa's lowest bit has the weight 2^(exponent - 53); its position
  // counted from the bottom of the number is that plus the fraction bits.
  const int shift = exponent - 53 + WideFixed<N>::kFractionBits;
  WideFixed<N> r;
  if (m != 0 && shift > -64) {
    const int word = shift >= 0 ? shift / 64 : -1;
    const int bit = shift >= 0 ? shift % 64 : shift + 64;
    if (word >= 0) r.Word[word] = mantissa << bit;
    if (word + 1 < N && bit != 0) r.Word[word + 1] = mantissa >> (64 - bit);
  }
  return negative ? -r : r;
}

// A rough double of the value (within a few parts in 2^53), as the start of
// Newton's iteration.
template <int N>
double ApproximateDouble(const WideFixed<N>& a) {
  const WideFixed<N> m = Magnitude(a);
  double r = 0;
  for (int i = 0; i < N; ++i) {
    r += std::ldexp(static_cast<double>(m.Word[i]), 64 * i - WideFixed<N>::kFractionBits);
  }
  return a.IsNegative() ? -r : r;
}
