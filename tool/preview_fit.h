#pragma once
// Choosing the preview's one scale: the band of the dimension line (the line,
// its markers, the overshoot lines and the value text) fits the strip; when
// that would make the value smaller than the dialog's font, the dimension
// line is broken in the middle so that its ends and its value show at a
// legible zoom instead.

#include <optional>

#include "tool/preview_scene.h"

// The band in the axis frame, in drawing units: U along the dimension from
// LineStart, V across it (up); the dimension line runs from U 0 to LineLength.
struct BandExtent {
  double LowU = 0, HighU = 0, LowV = 0, HighV = 0;
  double LineLength = 0;
  double TextHeight = 0, TextLength = 0;
  // The furthest either end's marker reaches in along the line.
  double InwardReach = 0;
  // The reference's length beyond the shared end: before U 0 (ReferenceBefore)
  // or after LineLength.
  double ReferenceLength = 0;
  bool ReferenceBefore = true;
  // A row: what a break keeps whole at either end (its first and its last
  // dimension, the longer of them); 0 for one dimension.
  double KeptAtEachEnd = 0;
};

// Where the band goes: the strip's inside and the pixels of the break mark.
struct FitRoom {
  SceneRect Inside;
  double FontHeight = 13;
  double BreakGap = 12;      // pixels the break mark takes
  double TextClearance = 4;  // pixels between a broken dimension's value and its ends
};

struct FitResult {
  double Scale = 1;
  double OffsetX = 0, OffsetY = 0;
  std::optional<SceneBreak> Break;
};

// The one scale (pixels per real unit) and the offsets that put `band` in
// `room`, with a break in the middle when the true scale would leave the
// value text below the font height.
FitResult FitBand(const BandExtent& band, const FitRoom& room);
