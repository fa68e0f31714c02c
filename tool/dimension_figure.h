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
};

// True when the drawing's axis angle is the reference's: the new dimension
// then continues the reference's line, and their shared extension line is
// already drawn.
bool AlongReferenceAxis(const DimensionDrawing& drawing);

// Real-unit distances from the dialog's paper millimetres.
struct ScaledDistances {
  double TextGap = 0, ExtensionGap = 0, ExtensionOvershoot = 0, ReverseOvershoot = 0;
};
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

// 0 the host's current text type (data model), 1..10 that text type.
TextStyle ResolveValueTextType(int textTypeChoice);

TextPlacement PlaceValueText(std::string_view valueText, double width, double spacing,
                             double layerScale, double textGap, Point lineStart, Point lineEnd,
                             double axisAngle);

double EndMarkerExtent(int kind, double arrowLength, double arrowAngle, double endMarkerScale,
                       double layerScale);

// The extension line at the measure point `m`: from the gap beside `m` to the
// overshoot past the dimension line through `linePoint`.
Segment ExtensionLineOf(Point m, Point linePoint, double axisAngle, double extensionGap,
                        double extensionOvershoot);

EndMarkerFigure EndMarkerOf(Point e, double a, int kind, bool reversed, double reverseOvershoot,
                            double arrowLength, double arrowAngle, double endMarkerScale,
                            double layerScale);

// Which end of a dimension has its extension line already, drawn with what
// the dimension chains from, and so gets none of its own.
enum class DrawnExtensionLine { None, AtStart, AtEnd };

// The end shared with the reference, as long as the reference was drawn along
// the same axis angle.
DrawnExtensionLine ReferenceExtensionLineOf(const DimensionDrawing& drawing);

DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing, const DialogValues& values);
DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing, const DialogValues& values,
                                       DrawnExtensionLine drawn);
// The same, its directions from `directions`, shared with the other
// dimensions of a row.
DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing, const DialogValues& values,
                                       DrawnExtensionLine drawn, DirectionCache& directions);

// True when every coordinate the figure would write is a finite number.
bool IsFinite(const DimensionFigure& figure);
