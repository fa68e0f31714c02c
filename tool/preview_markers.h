#pragma once
// The shapes the preview draws for Jw_cad's point markers. Jw_cad draws the
// real ones from the point code; these follow the names its documentation
// gives the codes (tool/end_markers.cpp), recognisable rather than exact, at
// the size the markers take along the dimension line.

#include "tool/end_markers.h"
#include "tool/preview_scene.h"

// Where a marker stands and how large it is drawn.
struct MarkerPlace {
  ScenePoint Tip;
  double Angle = 0;   // degrees counter-clockwise, out of the dimension when not reversed
  double Size = 0;    // along the dimension line
  double Spread = 0;  // an arrowhead's half-width for its length
};

// The marker `marker` at `place`, in the units of `place` (y down).
SceneMarker MarkerShape(const EndMarker& marker, const MarkerPlace& place);
