// Prints one digest of Sine, Cosine and ArcTangent2 over three million
// seeded arguments. scripts/test-wine builds it natively and for Windows and
// runs both: equal digests mean the Windows build computes every one of
// those results to the same bit as the native build, which the unit tests
// hold to MPFR's correctly rounded values.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

#include "util/trigonometry.h"

namespace {

double FromBits(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// Whole micro-degrees in [-360, 360], in radians as the program turns them.
double DrawingAngle(std::uint64_t bits) {
  const auto micro = static_cast<std::int64_t>(bits % 720'000'001) - 360'000'000;
  return static_cast<double>(micro) / 1e6 / 180 * 3.14159265358979323846;
}

struct Digest {
  std::uint64_t Value = 14695981039346656037u;  // FNV-1a
  void Add(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    for (int i = 0; i < 8; ++i, bits >>= 8) Value = (Value ^ (bits & 0xFF)) * 1099511628211u;
  }
};

}  // namespace

int main() {
  std::mt19937_64 rng(408);  // the standard fixes its sequence on every platform
  Digest digest;
  for (int i = 0; i < 500'000; ++i) {
    const double any = FromBits(rng());
    const double angle = DrawingAngle(rng());
    digest.Add(Sine(any));
    digest.Add(Cosine(any));
    digest.Add(Sine(angle));
    digest.Add(Cosine(angle));
    digest.Add(ArcTangent2(any, FromBits(rng())));
    digest.Add(ArcTangent2(1000 * Sine(angle), 1000 * Cosine(angle)));
  }
  std::printf("trigonometry digest %016" PRIx64 " of 3000000 results\n", digest.Value);
  return 0;
}
