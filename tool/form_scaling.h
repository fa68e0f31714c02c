#pragma once
// The form at the screen's resolution. The form table (tool/form_layout.h) is
// drawn at 96 pixels per inch; on a screen scaled to 125, 150 or 200 % the
// window lays itself out from these functions, so the table stays the one
// source of every position and size.
//
// One rounding rule for everything: a length at 96 DPI times dpi / 96, to the
// nearest pixel, halves away from zero. A rectangle scales its edges (left,
// top, right, bottom), not its size: controls that share an edge at 96 DPI
// share it at every resolution, so neighbours neither overlap nor open gaps,
// and every gap is within one pixel of the scaled gap. At 96 DPI every
// result is the table's own number.

#include <cstdint>
#include <vector>

#include "tool/form_layout.h"

// The resolution the form table is drawn at.
inline constexpr int kFormDpi = 96;

// `value` * `to` / `from`, to the nearest integer with halves away from zero,
// kept within the range of int. A `from` of 0 or less leaves `value` as it
// is (clamped).
int ScaleRounded(std::int64_t value, int to, int from);

// A length or coordinate of the form table at `dpi`. A resolution of 0 or
// less (a query that failed) counts as 96.
int ScaleToDpi(int value, int dpi);

// A rectangle of the form table at `dpi`, edge by edge.
FormRect ScaleRect(const FormRect& rect, int dpi);

struct FormSize {
  int Width = 0;
  int Height = 0;
};

// The window's client area at `dpi` (the form's at 96 DPI, one and a half
// times it at 144).
FormSize ScaledClientSize(int dpi);

// A font's character height at `dpi`, by the same rule.
int ScaledFontHeight(int height, int dpi);

// The dialog's own font (ＭＳ ゴシック, 13 px at 96 DPI) at `dpi`.
int DialogFontHeight(int dpi);

// Where a control of the form stands at `dpi`, in client pixels.
FormRect ScaledControlBounds(ControlId id, int dpi);

// The rectangle the control's window is created with at `dpi`: its scaled
// bounds, and for a drop-down list the dropped list below it too.
FormRect ControlWindowBounds(const ControlDescription& control, int dpi);

// A label at `dpi`: its scaled place, at least as wide as its caption and as
// high as its font at the scaled height. The font is rounded as a length is,
// so a caption may need a pixel or two more than its scaled rectangle.
FormRect ScaledLabelBounds(const LabelDescription& label, int dpi);

// The buttons of a radio group at `dpi`, in item order: they share the group
// box's width in columns below its caption, each column filled from the top.
// `captionHeight` is the height of a line of the group's font as the screen
// draws it.
std::vector<FormRect> RadioItemBounds(const ControlDescription& group, int captionHeight, int dpi);
