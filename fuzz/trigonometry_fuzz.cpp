// Sine, cosine and atan2 of any two doubles, compared bit for bit with
// MPFR's correctly rounded results: the long sweep beside the unit test's
// fixed million arguments.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/support/mpfr_reference.h"
#include "util/trigonometry.h"

namespace {

void Check(const char* call, double a, double b, double ours, double expected) {
  if (SameDouble(ours, expected)) return;
  std::fprintf(stderr, "%s(%a, %a) = %a, MPFR %a\n", call, a, b, ours, expected);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MpfrReference mpfr;
  double v[2] = {0, 0};
  std::memcpy(v, data, size < sizeof v ? size : sizeof v);
  for (double x : v) {
    Check("sin", x, 0, Sine(x), mpfr.Sin(x));
    Check("cos", x, 0, Cosine(x), mpfr.Cos(x));
  }
  Check("atan2", v[0], v[1], ArcTangent2(v[0], v[1]), mpfr.Atan2(v[0], v[1]));
  return 0;
}
