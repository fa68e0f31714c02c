// Cost of the correctly rounded sine, cosine and atan2 beside the C
// library's, on the angles a drawing gives (whole micro-degrees) and on
// arguments next to multiples of pi/2, where the rounding is hardest.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "util/trigonometry.h"

namespace {

std::vector<double> DrawingAngles() {
  std::mt19937_64 rng(408);
  std::vector<double> v(4096);
  for (double& x : v) {
    const auto micro = static_cast<std::int64_t>(rng() % 720'000'001) - 360'000'000;
    x = static_cast<double>(micro) / 1e6 / 180 * 3.14159265358979323846;
  }
  return v;
}

std::vector<double> NearQuarterTurns() {
  std::vector<double> v;
  for (int k = 1; k <= 1024; ++k) {
    const double x = k * 1.5707963267948966;
    v.insert(v.end(), {std::nextafter(x, 0.0), x, std::nextafter(x, 1e9)});
  }
  return v;
}

void Unary(benchmark::State& state, double (*f)(double), const std::vector<double>& args) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f(args[i]));
    i = (i + 1) % args.size();
  }
}

void Binary(benchmark::State& state, double (*f)(double, double)) {
  const std::vector<double> angles = DrawingAngles();
  std::size_t i = 0;
  for (auto _ : state) {
    const double a = angles[i];
    benchmark::DoNotOptimize(f(1000 * std::sin(a), 1000 * std::cos(a)));
    i = (i + 1) % angles.size();
  }
}

double StdSin(double x) { return std::sin(x); }
double StdCos(double x) { return std::cos(x); }
double StdAtan2(double y, double x) { return std::atan2(y, x); }

}  // namespace

BENCHMARK_CAPTURE(Unary, sine_drawing_angles, Sine, DrawingAngles());
BENCHMARK_CAPTURE(Unary, std_sin_drawing_angles, StdSin, DrawingAngles());
BENCHMARK_CAPTURE(Unary, cosine_drawing_angles, Cosine, DrawingAngles());
BENCHMARK_CAPTURE(Unary, std_cos_drawing_angles, StdCos, DrawingAngles());
BENCHMARK_CAPTURE(Unary, cosine_near_quarter_turns, Cosine, NearQuarterTurns());
BENCHMARK_CAPTURE(Binary, atan2_drawing_vectors, ArcTangent2);
BENCHMARK_CAPTURE(Binary, std_atan2_drawing_vectors, StdAtan2);

BENCHMARK_MAIN();
