#pragma once
// Sine, cosine and the four-quadrant arc tangent, correctly rounded (to the
// nearest double, for every double argument). Each C run-time library rounds
// its own last bits, so the program uses these instead: the same drawing and
// settings then give the same output bytes whichever platform built it.
// Special values follow the C library: signed zeros, NaN for the sine and
// cosine of an infinity, and the quadrant rules of atan2.

// sin x and cos x of `x` in radians, correctly rounded.
double Sine(double x);
double Cosine(double x);
// The direction of (x, y) in [-pi, pi], as std::atan2(y, x).
double ArcTangent2(double y, double x);
