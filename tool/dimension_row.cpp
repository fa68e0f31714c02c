#include "tool/dimension_row.h"

#include <cmath>

Placement PlaceBetween(Point from, Point to, Point linePoint, double axisAngle) {
  Placement p;
  p.AddedSide = 1;
  p.MeasureStart = from;
  p.MeasureEnd = to;
  p.LinePoint = linePoint;
  p.LineStart = FootOnDimensionLine(from, linePoint, axisAngle);
  p.LineEnd = FootOnDimensionLine(to, linePoint, axisAngle);
  p.MeasuredLength = PointDistance(p.LineStart.X, p.LineStart.Y, p.LineEnd.X, p.LineEnd.Y);
  return p;
}

DimensionRow ComputeDimensionRow(const RowDrawing& drawing, const DialogValues& values) {
  DimensionRow row;
  const std::vector<Point>& points = drawing.MeasurePoints;
  if (points.size() < 2) return row;
  DimensionDrawing one;
  one.AxisAngle = drawing.AxisAngle;
  one.ReferenceAxisAngle = drawing.AxisAngle;
  one.LayerScale = drawing.LayerScale;
  row.Figures.reserve(points.size() - 1);
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    one.Geometry = PlaceBetween(points[i], points[i + 1], drawing.LinePoint, drawing.AxisAngle);
    // The dimension before has drawn the extension line at this one's start.
    const DrawnExtensionLine drawn =
        i == 0 ? DrawnExtensionLine::None : DrawnExtensionLine::AtStart;
    row.Figures.push_back(ComputeDimensionFigure(one, values, drawn));
  }
  row.NewReference = ReferenceDimension{points.front(), points.back(), drawing.LinePoint};
  const Point start = row.Figures.front().DimensionLine.From;
  const Point end = row.Figures.back().DimensionLine.To;
  row.TotalLength = PointDistance(start.X, start.Y, end.X, end.Y);
  return row;
}

namespace {

bool IsFinite(Point p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

}  // namespace

bool IsFinite(const DimensionRow& row) {
  for (const DimensionFigure& figure : row.Figures) {
    if (!IsFinite(figure)) return false;
  }
  const ReferenceDimension& r = row.NewReference;
  return IsFinite(r.Start) && IsFinite(r.End) && IsFinite(r.LinePoint) &&
         std::isfinite(row.TotalLength);
}
