#pragma once
// What OK adds: one dimension chained outside the last one drawn, or a whole
// row of dimensions along the points of the figures the user selected
// (t408a.bat).

enum class DimensionMode {
  OneDimension,
  WholeRow,
};
