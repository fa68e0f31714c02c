#include "tool/placement.h"

#include <cmath>

namespace {

// A reference coordinate recorded at the reference's layer-group scale, moved
// to the current one: real units to paper millimetres, then to real units of
// the current layer group, so the reference keeps its place on the sheet.
double ToCurrentScale(double v, double referenceScale, double layerScale) {
  return v / referenceScale * layerScale;
}

Point ToCurrentScale(Point p, double referenceScale, double layerScale) {
  return {ToCurrentScale(p.X, referenceScale, layerScale),
          ToCurrentScale(p.Y, referenceScale, layerScale)};
}

}  // namespace

// In the frame turned about the measure point the line is horizontal, so the
// foot keeps the measure point's X and takes the line's Y.
Point FootOnDimensionLine(Point measure, Point linePoint, double axisAngle) {
  Point turnedLine = Turned(linePoint, measure, -axisAngle);
  Point foot{measure.X, turnedLine.Y};
  return Turned(foot, measure, axisAngle);
}

Placement PlaceDimension(const PlacementInput& input) {
  const double axisAngle = input.AxisAngle;
  Point a = ToCurrentScale(input.Reference.Start, input.ReferenceScale, input.LayerScale);
  Point b = ToCurrentScale(input.Reference.End, input.ReferenceScale, input.LayerScale);
  const Point l = ToCurrentScale(input.Reference.LinePoint, input.ReferenceScale, input.LayerScale);
  const Point p = input.Picked;

  // In the frame turned about A, A keeps its own coordinates; the reference
  // ends are put in order along the axis angle, whatever order t407.dat has.
  Point turnedPicked = Turned(p, a, -axisAngle);
  Point turnedB = Turned(b, a, -axisAngle);
  if (a.X > turnedB.X) {
    ExchangeReals(a.X, b.X);
    ExchangeReals(a.Y, b.Y);
    turnedPicked = Turned(p, a, -axisAngle);
    turnedB = Turned(b, a, -axisAngle);
  }

  Placement result;
  if (a.X - kGeometryTolerance <= turnedPicked.X &&
      turnedPicked.X <= turnedB.X + kGeometryTolerance) {
    result.Inside = true;
    return result;
  }

  if (turnedPicked.X < a.X - kGeometryTolerance) {
    // Before the reference: the new dimension ends at the reference's first end.
    result.AddedSide = 0;
    result.MeasureStart = p;
    result.MeasureEnd = a;
    result.NewReference = {p, b, l};
  } else {
    result.AddedSide = 1;
    result.MeasureStart = b;
    result.MeasureEnd = p;
    result.NewReference = {a, p, l};
  }
  result.LinePoint = l;

  result.LineStart = FootOnDimensionLine(result.MeasureStart, l, axisAngle);
  result.LineEnd = FootOnDimensionLine(result.MeasureEnd, l, axisAngle);
  result.MeasuredLength =
      PointDistance(result.LineStart.X, result.LineStart.Y, result.LineEnd.X, result.LineEnd.Y);
  return result;
}

bool SpansAlongAxis(Point start, Point end, double axisAngle) {
  // Turned about the start, the axis runs along X and the start keeps its X.
  const Point turnedEnd = Turned(end, start, -axisAngle);
  return std::fabs(turnedEnd.X - start.X) > kGeometryTolerance;
}
