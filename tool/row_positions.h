#pragma once
// Where a row of dimensions measures: the places of the feature points
// (tool/feature_points.h) along the drawing's axis angle. Places nearer each
// other than the smallest step the value text shows are one place, so that no
// dimension of the row reads 0; at each place the feature point nearest the
// dimension line is the one measured to.
//
// A big selection has millions of points on a few hundred places: they are
// gathered in bins of one step along the axis, each keeping its first and
// last place and its best point, and only the bins are sorted. Points in one
// bin are less than a step apart, so they belong to one place whatever lies
// between them, and two bins next to each other in the order are one place
// when the gap between them is less than a step: that is the rule for a
// sorted list of every point, applied to the bins' ends.

#include <vector>

#include "host/data_model.h"
#include "util/geometry.h"

struct RowRules {
  double AxisAngle = 0;  // degrees: the direction the row runs in
  Point LinePoint;       // a point of the dimension line
  double Step = 1;       // real units, above 0: places nearer than this are one
};

struct RowPositions {
  // One point a place, in order along the axis.
  std::vector<Point> MeasurePoints;
  // False when some point's place along the axis, or its distance from the
  // dimension line, is not a finite number: then MeasurePoints is empty.
  bool AllFinite = true;
};

// The places of every feature point of `model`.
RowPositions FindRowPositions(const DataModel& model, const RowRules& rules);

// The same places found by sorting every point: what the bins must give, and
// what is used when they cannot (places so far out that a step is below the
// precision of a double, where a bin would hold points a step apart).
RowPositions SortRowPositions(const std::vector<Point>& points, const RowRules& rules);
