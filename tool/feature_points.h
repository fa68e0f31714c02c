#pragma once
// The points of the figures Jw_cad passed that a row of dimensions measures
// to: both ends of every straight line (the pieces of a polyline too), the
// centre of every circle, arc and elliptic arc, every plain point, the
// insertion point of every block and every corner of a solid. Texts, marker
// points, dimension figures and curved solids have none, and neither has
// anything Jw_cad marks as part of a dimension ("z3"): what earlier
// dimensions drew.
//
// Read straight from the packed entity tables, each record decoded once: a
// selection of a million lines is read back in about a third of the time it
// took to read the file.

#include "host/data_model.h"
#include "util/geometry.h"

// Whether the entity is a piece of an earlier dimension (its "z3").
inline bool IsDimensionPiece(const EntityHeader& header) {
  return (header.ZFlags & kDimensionPieceZFlag) != 0;
}

// Calls `visit(point)` for every feature point of `model`'s entity tables,
// table by table, each table in the order of the file.
template <class Visit>
void ForEachFeaturePoint(const DataModel& model, Visit&& visit) {
  model.LineTable.ForEach([&](const LineRecord& r) {
    if (IsDimensionPiece(r.Header)) return;
    visit(Point{r.X1, r.Y1});
    visit(Point{r.X2, r.Y2});
  });
  model.CircleTable.ForEach([&](const CircleRecord& r) {
    if (!IsDimensionPiece(r.Header)) visit(Point{r.X, r.Y});
  });
  // Arcs and elliptic arcs begin with their centre.
  model.ArcTable.ForEach([&](const ArcRecord& r) {
    if (!IsDimensionPiece(r.Header)) visit(Point{r.Values[0], r.Values[1]});
  });
  model.PointTable.ForEach([&](const PointRecord& r) {
    if (!IsDimensionPiece(r.Header)) visit(Point{r.X, r.Y});
  });
  model.BlockTable.ForEach([&](const BlockRecord& r) {
    if (!IsDimensionPiece(r.Header)) visit(Point{r.X, r.Y});
  });
  model.Solid2Table.ForEach([&](const Solid2Record& r) {
    if (IsDimensionPiece(r.Header)) return;
    visit(Point{r.X1, r.Y1});
    visit(Point{r.X2, r.Y2});
  });
  model.Solid3Table.ForEach([&](const Solid3Record& r) {
    if (IsDimensionPiece(r.Header)) return;
    visit(Point{r.X1, r.Y1});
    visit(Point{r.X2, r.Y2});
    visit(Point{r.X3, r.Y3});
  });
  model.Solid4Table.ForEach([&](const Solid4Record& r) {
    if (IsDimensionPiece(r.Header)) return;
    visit(Point{r.X1, r.Y1});
    visit(Point{r.X2, r.Y2});
    visit(Point{r.X3, r.Y3});
    visit(Point{r.X4, r.Y4});
  });
}
