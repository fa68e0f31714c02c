#pragma once
// Plane geometry and rounding on plain doubles, in the drawing's real units.
// Angles in degrees turn counter-clockwise from +X.

#include <string_view>

struct Point {
  double X = 0;
  double Y = 0;
};

// Geometric values closer than this are taken as equal: the picked point on a
// reference end, a dimension of no length, two axis angles, two corners of a
// solid, a vector of no direction, a distance that is no distance.
inline constexpr double kGeometryTolerance = 1e-10;

// Swaps the two values.
void ExchangeReals(double& a, double& b);

// Half away from zero at the tenth decimal: |x| / 1e-10 + 0.5, truncated, x 1e-10.
double RoundToTenDecimals(double x);

// How a value is rounded to its last decimal shown, in the order of the
// dialog's list (寸法値の丸め).
enum class RoundingMode {
  CutOff,   // 切り捨て
  RoundUp,  // 切り上げ: adds 0.9 of the last unit, so a remainder below 0.1 is dropped
  HalfUp,   // 四捨五入
};

// `x` rounded to `digits` decimals (1..13; anything else rounds to whole units)
// by `mode`, away from zero for a negative `x`. Product, sum and truncation
// are formed in long double.
double RoundToPrecision(int digits, RoundingMode mode, double x);

// The distance from (x1, y1) to (x2, y2), as sqrt of the sum of squares.
double PointDistance(double x1, double y1, double x2, double y2);

// Direction of (dx, dy) in [0, 2*pi); 0 for a vector of no direction.
double VectorAngleRad(double dx, double dy);
// The same in degrees, rounded at the tenth decimal.
double VectorAngleDeg(double dx, double dy);
// `a` folded into [0, 360).
double NormalizeDegrees(double a);
// Degrees as radians, computed as degrees / 180 x pi, so that every caller
// turns an angle into the same double.
double DegreesToRadians(double degrees);

// (rx, ry) is (px, py) turned about (cx, cy) by `angle`.
void RotatePointRad(double& rx, double& ry, double px, double py, double cx, double cy,
                    double angle);
// The same with the angle in degrees (converted by DegreesToRadians).
void RotatePointDeg(double& rx, double& ry, double px, double py, double cx, double cy,
                    double angleDeg);
// `p` turned about `centre` by `angleDeg`: RotatePointDeg on points.
Point Turned(Point p, Point centre, double angleDeg);

// Drawn length of a Shift-JIS text: full-width characters take `charWidth`,
// half-width ones half of it, with spacing only between characters.
double TextRunLength(std::string_view text, double charWidth, double charSpacing);
