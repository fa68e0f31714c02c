#pragma once
// The shapes the preview draws for Jw_cad's point markers. Jw_cad draws the
// real ones from the point code; these follow the names its documentation
// gives the codes (1 blank arrow, 2 blank box, 3 blank dot, 4 dimension
// origin, 5 filled box, 6 filled arrow, 7 filled dot, 8 integral symbol,
// 9 open arrow, 10 slash, 11 unfilled arrow), recognisable rather than exact.

#include "tool/preview_scene.h"

// The marker of `code` with its tip at `tip`, pointing along `angle` (degrees
// counter-clockwise in the strip, out of the dimension when not reversed),
// `size` pixels along the dimension line.
SceneMarker MarkerShape(int code, ScenePoint tip, double angle, double size);
