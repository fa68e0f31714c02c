#include "tool/dimension_row.h"

#include <cmath>

namespace {

// The dimension from the point `from` to the point `to` after it, whose feet
// on the dimension line are given: as OK places one chained after a
// reference ending at `from`.
Placement Between(const RowDrawing& drawing, std::size_t from, const std::vector<Point>& feet) {
  Placement p;
  p.AddedSide = 1;
  p.MeasureStart = drawing.MeasurePoints[from];
  p.MeasureEnd = drawing.MeasurePoints[from + 1];
  p.LinePoint = drawing.LinePoint;
  p.LineStart = feet[from];
  p.LineEnd = feet[from + 1];
  p.MeasuredLength = PointDistance(p.LineStart.X, p.LineStart.Y, p.LineEnd.X, p.LineEnd.Y);
  return p;
}

bool IsFinite(Point p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

}  // namespace

DimensionRow ComputeDimensionRow(const RowDrawing& drawing, const DialogValues& values) {
  DimensionRow row;
  const std::vector<Point>& points = drawing.MeasurePoints;
  if (points.size() < 2) return row;
  // Each foot once: one dimension's line end is the next one's line start.
  std::vector<Point> feet;
  feet.reserve(points.size());
  for (const Point p : points) {
    feet.push_back(FootOnDimensionLine(p, drawing.LinePoint, drawing.AxisAngle));
  }
  DimensionDrawing one;
  one.AxisAngle = drawing.AxisAngle;
  one.ReferenceAxisAngle = drawing.AxisAngle;
  one.LayerScale = drawing.LayerScale;
  one.ValueTextStyle = drawing.ValueTextStyle;
  row.Figures.reserve(points.size() - 1);
  DirectionCache directions;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    one.Geometry = Between(drawing, i, feet);
    // The dimension before has drawn the extension line at this one's start.
    const DrawnExtensionLine drawn =
        i == 0 ? DrawnExtensionLine::None : DrawnExtensionLine::AtStart;
    row.Figures.push_back(ComputeDimensionFigure(one, values, drawn, directions));
  }
  row.NewReference = ReferenceDimension{points.front(), points.back(), drawing.LinePoint};
  const Point start = row.Figures.front().DimensionLine.From;
  const Point end = row.Figures.back().DimensionLine.To;
  row.TotalLength = PointDistance(start.X, start.Y, end.X, end.Y);
  row.WholeLine = one;
  Placement& whole = row.WholeLine.Geometry;
  whole = Between(drawing, 0, feet);
  whole.MeasureEnd = points.back();
  whole.LineEnd = feet.back();
  whole.MeasuredLength = row.TotalLength;
  return row;
}

bool IsFinite(const DimensionRow& row) {
  for (const DimensionFigure& figure : row.Figures) {
    if (!IsFinite(figure)) return false;
  }
  const ReferenceDimension& r = row.NewReference;
  return IsFinite(r.Start) && IsFinite(r.End) && IsFinite(r.LinePoint) &&
         std::isfinite(row.TotalLength);
}
