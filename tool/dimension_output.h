#pragma once
// The output commands of one added dimension, appended through the emitters of
// host/output_writer.h in Jw_cad's expected order: attributes, extension
// lines, dimension line and value (or a dimension figure), end markers, and
// the restore of the host's text type.

#include <string>
#include <string_view>

#include "tool/dialog_values.h"
#include "tool/placement.h"

struct TextStyle {
  int Type = 1;
  double Width = 3, Height = 3, Spacing = 0;
  int Color = 2;
};

struct TextPlacement {
  double X = 0, Y = 0;    // start point of the text
  double DX = 10, DY = 0; // direction vector
};

// Everything the emission needs besides the dialog values.
struct DimensionDrawing {
  Placement Geometry;  // accepted: not Inside, length at least kGeometryTolerance
  double AxisAngle = 0;
  double ReferenceAxisAngle = 0;
  double LayerScale = 1;
};

// Real-unit distances from the dialog's paper millimetres.
struct ScaledDistances {
  double TextGap = 0, ExtensionGap = 0, ExtensionOvershoot = 0, ReverseOvershoot = 0;
};
ScaledDistances ScaleDistances(const DialogValues& values, double layerScale);

// 0 the host's current text type (data model), 1..10 that text type.
TextStyle ResolveValueTextType(int textTypeChoice);

TextPlacement PlaceValueText(std::string_view valueText, double width, double spacing,
                             double layerScale, double textGap, Point lineStart, Point lineEnd,
                             double axisAngle);

double EndMarkerExtent(int kind, double arrowLength, double arrowAngle, double endMarkerScale,
                       double layerScale);

void EmitExtensionLine(Point m, Point linePoint, double axisAngle, double extensionGap,
                       double extensionOvershoot);

void EmitEndMarker(Point e, double a, int kind, bool reversed, double reverseOvershoot,
                   double arrowLength, double arrowAngle, double endMarkerScale,
                   double layerScale);

// Steps 2 to 13 of the OK action's output: every command of the dimension.
// Returns the value text it drew. Status texts and closing are TForm1's.
std::string EmitDimensionCommands(const DimensionDrawing& drawing, const DialogValues& values);
