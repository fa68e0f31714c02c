#pragma once
// The added dimension as geometry, before anything is written: its extension
// lines, dimension line, value text and its place, and the two end markers,
// turned outward when they do not fit. Computed once from the placement and
// the dialog values; the output commands (tool/dimension_output.h) and the
// dialog's preview both read it, so what is shown is what OK writes.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/data_model.h"
#include "tool/dialog_values.h"
#include "tool/placement.h"

struct TextStyle {
  int Type = 1;
  double Width = 3, Height = 3, Spacing = 0;
  int Color = 2;
};

struct TextPlacement {
  double X = 0, Y = 0;     // start point of the text
  double DX = 10, DY = 0;  // direction vector
};

// Everything the dimension needs besides the dialog values.
struct DimensionDrawing {
  Placement Geometry;  // accepted: not Inside
  double AxisAngle = 0;
  double ReferenceAxisAngle = 0;
  double LayerScale = 1;
  // The value text's text type (ResolveValueTextType).
  TextStyle ValueTextStyle;
};

// True when the drawing's axis angle is the reference's: the new dimension
// then continues the reference's line, and their shared extension line is
// already drawn.
bool AlongReferenceAxis(const DimensionDrawing& drawing);

// Real-unit distances from the dialog's paper millimetres.
struct ScaledDistances {
  double TextGap = 0, ExtensionGap = 0, ExtensionOvershoot = 0, ReverseOvershoot = 0;
};
// The dialog's paper distances (Edit4, Edit5, Edit6, Edit9) times `layerScale`.
ScaledDistances ScaleDistances(const DialogValues& values, double layerScale);

struct Segment {
  Point From, To;
};

// One end marker at the tip `Tip`, pointing along `Angle` (degrees, 0..360).
struct EndMarkerFigure {
  int Kind = 0;
  Point Tip;
  double Angle = 0;
  // Reversed markers sit outside: the dimension line runs on to carry them.
  std::optional<Segment> Overshoot;
  // A line arrow's two strokes from the tip; none for a point marker.
  std::vector<Segment> Strokes;
  // A point marker: Jw_cad's point code and the dialog's end-marker scale.
  int PointCode = 0;
  double PointScale = 1;
};

struct DimensionFigure {
  std::vector<Segment> ExtensionLines;  // 0, 1 or 2, MeasureStart's first
  // The extension line the reference already has at the shared end (in a
  // row: the dimension before), which is therefore not drawn again (the
  // preview shows it as the reference's).
  std::optional<Segment> ReferenceExtensionLine;
  Segment DimensionLine;  // LineStart to LineEnd
  TextStyle Style;
  std::string ValueText;
  TextPlacement Text;
  bool AsDimensionFigure = false;  // one figure carries the line and the value
  bool Reversed = false;           // the markers did not fit and turn outward
  EndMarkerFigure Start, End;
};

// Directions, the cosine and sine of an angle in degrees, each worked out once
// and kept: the dimensions of a row all lie on one line, so their markers and
// texts turn the same few ways, and each of these costs more than the rest of
// a figure. The same doubles as working them out anew.
class DirectionCache {
 public:
  // (cos, sin) of DegreesToRadians(degrees).
  Point Direction(double degrees);

 private:
  std::vector<std::pair<double, Point>> known_;
};

// The text type of the value for the dialog's choice: 0 the host's current
// text type as `model` holds it (type 1 when that is none of 0..10), 1..10
// that text type of `model`'s table; any other choice reads as 0.
TextStyle ResolveValueTextType(int textTypeChoice, const DataModel& model);

// Where a value text goes on its dimension line, in real units.
struct ValueTextLine {
  Segment DimensionLine;
  double AxisAngle = 0;   // degrees
  double LayerScale = 1;  // paper mm to real units
  double TextGap = 0;     // real units between the line and the text
};

// The start point and direction of `valueText` in `style`: centred on the
// middle of the dimension line, lifted by the gap, never upside down.
TextPlacement PlaceValueText(std::string_view valueText, const TextStyle& style,
                             const ValueTextLine& line);

// How the end markers are drawn: the dialog's values that shape them.
struct EndMarkerStyle {
  double ArrowLength = 0;       // paper mm: a line arrow's strokes
  double ArrowAngle = 0;        // degrees: between a line arrow's stroke and its line
  double EndMarkerScale = 1;    // a point marker's scale
  double ReverseOvershoot = 0;  // real units the line runs on past a marker turned outward
  double LayerScale = 1;        // paper mm to real units
};
// The end-marker values of the dialog, the reverse overshoot scaled.
EndMarkerStyle EndMarkerStyleOf(const DialogValues& values, double layerScale);

// The length, in real units, that a marker of `kind` takes up along the
// dimension line: what decides whether the two fit between its ends.
double EndMarkerExtent(int kind, const EndMarkerStyle& style);

// The extension line at the measure point `m`: from the gap beside `m`, or
// from the dimension line where the gap would reach past it, to the
// overshoot past the dimension line through `linePoint`.
Segment ExtensionLineOf(Point m, Point linePoint, double axisAngle, double extensionGap,
                        double extensionOvershoot);

// The marker of `kind` with its tip at `tip`, pointing along `angle`
// (degrees, out of the dimension, or into it when `reversed`).
EndMarkerFigure EndMarkerOf(Point tip, double angle, int kind, bool reversed,
                            const EndMarkerStyle& style);

// Which end of a dimension has its extension line already, drawn with what
// the dimension chains from, and so gets none of its own.
enum class DrawnExtensionLine { None, AtStart, AtEnd };

// The end shared with the reference, as long as the reference was drawn along
// the same axis angle.
DrawnExtensionLine ReferenceExtensionLineOf(const DimensionDrawing& drawing);

// The dimension OK adds for `drawing` (accepted: not Inside) with the
// dialog's `values`, in real units; without `drawn`, the reference's shared
// extension line (ReferenceExtensionLineOf) is the one already drawn.
DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing, const DialogValues& values);
DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing, const DialogValues& values,
                                       DrawnExtensionLine drawn);
// The same, its directions from `directions`, shared with the other
// dimensions of a row.
DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing, const DialogValues& values,
                                       DrawnExtensionLine drawn, DirectionCache& directions);

// True when every coordinate the figure would write is a finite number.
bool IsFinite(const DimensionFigure& figure);
