#pragma once
// A row of dimensions along one dimension line: one between each two
// neighbouring measure points, in order along the axis, each drawn exactly as
// OK draws a dimension from the one point to the other. An extension line
// stands at every measure point once: the first dimension has both of its
// own, each later one only its far one. Pure: no I/O, no state.

#include <vector>

#include "tool/dialog_values.h"
#include "tool/dimension_figure.h"
#include "tool/placement.h"

struct RowDrawing {
  std::vector<Point> MeasurePoints;  // in order along the axis angle, two or more
  Point LinePoint;                   // the dimension line runs through it along the axis
  double AxisAngle = 0;
  double LayerScale = 1;
  TextStyle ValueTextStyle;  // the value texts' text type (ResolveValueTextType)
};

struct DimensionRow {
  std::vector<DimensionFigure> Figures;  // in order along the axis
  // The whole row as the dimension to chain the next one from: the first
  // measure point to the last, its line through LinePoint.
  ReferenceDimension NewReference;
  // From the first dimension's line start to the last one's line end.
  double TotalLength = 0;
  // The whole row as one dimension from its first measure point to its
  // last, on its line: what the preview frames.
  DimensionDrawing WholeLine;
};

// The row on `drawing` (two or more measure points; none is made of fewer)
// with the dialog's `values`, in real units.
DimensionRow ComputeDimensionRow(const RowDrawing& drawing, const DialogValues& values);

// True when every coordinate the row would write or save is a finite number.
bool IsFinite(const DimensionRow& row);
