#pragma once
// Where the dialog opens, in screen pixels.
//
// Lines 1 and 2 of t407.dat hold the window's left and top as t407 stores
// them. t407 is not DPI-aware: on a scaled screen Windows hands such a
// program, and it saves, positions in 96-DPI units of the primary monitor,
// measured from the primary monitor's top-left corner. This program lays
// itself out in real screen pixels, so it converts at reading and at saving;
// at 100 % both are the same numbers.
//
// A saved position can also lie where no monitor is any longer (a second
// monitor since unplugged). A dialog that nobody can see or reach leaves
// Jw_cad waiting for ever, so such a position gives way to the nearest
// monitor's work area.

#include <span>

struct ScreenPoint {
  int X = 0;
  int Y = 0;
};

// Edges in screen pixels; Right and Bottom lie just outside.
struct ScreenRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// The screen position of a position saved in t407.dat, on a screen whose
// primary monitor runs at `primaryDpi`.
ScreenPoint ScreenFromSaved(ScreenPoint saved, int primaryDpi);

// The position to save for a window at `screen`; ScreenFromSaved turns it
// back into the same screen position wherever that can be said in 96-DPI
// units, and a saved position read and saved again stays the same number.
ScreenPoint SavedFromScreen(ScreenPoint screen, int primaryDpi);

// Where a window of `width` x `height` pixels (its outer rectangle) placed
// at `place` should stand. It stays exactly there while some work area holds
// a part of its caption bar (its top `captionHeight` pixels) that a mouse can
// take hold of: 100 pixels of its width and 8 of its height at 96 DPI, scaled
// to `dpi`, or all of the caption bar where that is smaller. So a window saved
// partly off an edge, the top included, opens where it was saved. Otherwise
// it moves, as little as it can, into the work area nearest to it (the first
// of equally near ones), aligned to the area's left and top where it is
// larger than the area. With no work areas known it stays.
ScreenPoint ReachablePosition(ScreenPoint place, int width, int height, int captionHeight, int dpi,
                              std::span<const ScreenRect> workAreas);
