#include "util/geometry.h"

#include <cmath>

#include "util/sjis.h"
#include "util/trigonometry.h"

namespace {

// Pi and the full turn at double precision.
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

}  // namespace

void ExchangeReals(double& a, double& b) {
  double t = a;
  a = b;
  b = t;
}

double RoundToTenDecimals(double x) {
  double q = std::fabs(x) / 1e-10 + 0.5;
  double r = std::trunc(q) * 1e-10;
  return x < 0 ? -r : r;
}

double RoundToPrecision(int digits, RoundingMode mode, double x) {
  long double factor = 1.0L;
  if (digits >= 1 && digits <= 13) {
    for (int i = 0; i < digits; ++i) factor *= 10.0L;  // exact up to 1e13
  }
  long double t = std::fabs(static_cast<long double>(x)) * factor;
  switch (mode) {
    case RoundingMode::CutOff:
      t = std::trunc(t);
      break;
    case RoundingMode::RoundUp:
      t = std::trunc(t + 0.9L);
      break;
    case RoundingMode::HalfUp:
      t = std::trunc(t + 0.5L);
      break;
  }
  // The quotient is formed in double: below 2^53 both operands are exact
  // there, so the result is the double nearest to the rounded decimal (2877 /
  // 1e6 gives the same double as the literal 0.002877), which a long double
  // quotient rounded a second time to double misses now and then.
  double r = static_cast<double>(t) / static_cast<double>(factor);
  return x < 0 ? -r : r;
}

double PointDistance(double x1, double y1, double x2, double y2) {
  double dx = x1 - x2;
  double dy = y1 - y2;
  return std::sqrt(dx * dx + dy * dy);
}

double VectorAngleRad(double dx, double dy) {
  if (std::fabs(dx) < kGeometryTolerance && std::fabs(dy) < kGeometryTolerance) return 0;
  double a = ArcTangent2(dy, dx);
  if (a < 0) a += kTwoPi;
  return a;
}

double VectorAngleDeg(double dx, double dy) {
  return RoundToTenDecimals(VectorAngleRad(dx, dy) * 180 / kPi);
}

double NormalizeDegrees(double a) {
  double t = std::fabs(a);
  if (t >= 360) t = t - std::trunc(t / 360) * 360;
  if (a < 0) t = -t;
  if (t < 0) t = t + 360;
  if (t >= 360) t = t - 360;
  return t;
}

void RotatePointRad(double& rx, double& ry, double px, double py, double cx, double cy,
                    double angle) {
  // Both results come from the inputs: rx or ry may alias px or py.
  const double c = Cosine(angle);
  const double s = Sine(angle);
  const double dx = px - cx;
  const double dy = py - cy;
  const double x = cx + c * dx - s * dy;
  const double y = cy + s * dx + c * dy;
  rx = x;
  ry = y;
}

void RotatePointDeg(double& rx, double& ry, double px, double py, double cx, double cy,
                    double angleDeg) {
  RotatePointRad(rx, ry, px, py, cx, cy, DegreesToRadians(angleDeg));
}

Point Turned(Point p, Point centre, double angleDeg) {
  Point r;
  RotatePointDeg(r.X, r.Y, p.X, p.Y, centre.X, centre.Y, angleDeg);
  return r;
}

double TextRunLength(std::string_view text, double charWidth, double charSpacing) {
  double length = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    i += CharByteCount(text, i);
    // A lead byte in the last position still stands for a full-width character.
    if (IsLeadByte(b)) {
      length += charWidth;
      if (i < text.size()) length += charSpacing;
    } else {
      if (b >= 0x20) length += charWidth * 0.5;
      if (i < text.size()) length += charSpacing * 0.5;
    }
  }
  return length;
}

double DegreesToRadians(double degrees) { return degrees / 180 * kPi; }
