#pragma once
// Where the added dimension goes: outside the reference dimension (the one
// drawn last, kept in t407.dat), on its dimension line, ending at the picked
// point. Pure: no I/O, no state.

#include "util/geometry.h"

struct ReferenceDimension {
  Point Start;
  Point End;
  Point LinePoint;
};

struct PlacementInput {
  double AxisAngle = 0;          // degrees, the drawing's horizontal
  double LayerScale = 1;         // scale of the current layer group
  double ReferenceScale = 1;     // scale the reference was recorded at (> 1e-10)
  ReferenceDimension Reference;  // real units at ReferenceScale
  Point Picked;                  // picked point 1
};

struct Placement {
  // True when the picked point lies within the reference's extent (ends
  // included to within kGeometryTolerance): nothing else below is set.
  bool Inside = false;
  int AddedSide = 0;  // 0 before the reference (MeasureEnd shared), 1 after it
  Point MeasureStart, MeasureEnd;
  Point LinePoint;
  Point LineStart, LineEnd;
  double MeasuredLength = 0;
  // The extended reference to save, in real units at LayerScale.
  ReferenceDimension NewReference;
};

// Where the dimension from the reference to the picked point goes, in real
// units of the current layer group; Inside (and nothing else) when the
// point lies within the reference's extent along the axis.
Placement PlaceDimension(const PlacementInput& input);

// The foot of the perpendicular from `measure` onto the dimension line, which
// runs through `linePoint` along `axisAngle` (degrees): LineStart or LineEnd
// of the measure point.
Point FootOnDimensionLine(Point measure, Point linePoint, double axisAngle);

// Whether a dimension from `start` to `end` measures anything along the axis
// angle: their places along it differ by more than kGeometryTolerance. A
// reference that does not could never have a dimension chained onto it.
bool SpansAlongAxis(Point start, Point end, double axisAngle);
