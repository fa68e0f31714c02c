#pragma once
// The output commands of one added dimension, appended through the emitters of
// host/output_writer.h in Jw_cad's expected order: attributes, extension
// lines, dimension line and value (or a dimension figure), end markers, and
// the restore of the host's text type. The geometry is tool/dimension_figure.h's.

#include <string>

#include "tool/dimension_figure.h"

void EmitExtensionLine(Point m, Point linePoint, double axisAngle, double extensionGap,
                       double extensionOvershoot);

void EmitEndMarker(Point e, double a, int kind, bool reversed, double reverseOvershoot,
                   double arrowLength, double arrowAngle, double endMarkerScale, double layerScale);

// Every command of a computed dimension.
void EmitDimensionFigure(const DimensionFigure& figure);

// Computes the dimension and emits it; returns the value text it drew. Status
// texts and closing are TForm1's.
std::string EmitDimensionCommands(const DimensionDrawing& drawing, const DialogValues& values);
