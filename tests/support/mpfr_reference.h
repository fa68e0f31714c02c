#pragma once
// Test helper: sine, cosine and atan2 correctly rounded to double by MPFR,
// with the double's exponent range and subnormals, for comparing bit for bit.

#include <mpfr.h>

#include <cmath>
#include <cstring>

class MpfrReference {
 public:
  MpfrReference() {
    // Doubles: MPFR exponents (mantissa in [1/2, 1)) from -1073 for the
    // smallest subnormal to 1024.
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    mpfr_inits2(53, x_, y_, result_, static_cast<mpfr_ptr>(nullptr));
  }
  ~MpfrReference() {
    mpfr_clears(x_, y_, result_, static_cast<mpfr_ptr>(nullptr));
    mpfr_free_cache();
  }
  MpfrReference(const MpfrReference&) = delete;
  MpfrReference& operator=(const MpfrReference&) = delete;

  double Sin(double x) {
    mpfr_set_d(x_, x, MPFR_RNDN);
    return Rounded(mpfr_sin(result_, x_, MPFR_RNDN));
  }
  double Cos(double x) {
    mpfr_set_d(x_, x, MPFR_RNDN);
    return Rounded(mpfr_cos(result_, x_, MPFR_RNDN));
  }
  double Atan2(double y, double x) {
    mpfr_set_d(y_, y, MPFR_RNDN);
    mpfr_set_d(x_, x, MPFR_RNDN);
    return Rounded(mpfr_atan2(result_, y_, x_, MPFR_RNDN));
  }

 private:
  double Rounded(int inexact) {
    mpfr_subnormalize(result_, inexact, MPFR_RNDN);
    return mpfr_get_d(result_, MPFR_RNDN);
  }
  mpfr_t x_, y_, result_;
};

// Equal as bit patterns (so +0 differs from -0), any NaN equal to any NaN.
inline bool SameDouble(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::memcmp(&a, &b, sizeof a) == 0;
}
