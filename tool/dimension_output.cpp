#include "tool/dimension_output.h"

#include <cmath>
#include <numbers>

#include "host/data_model.h"
#include "host/output_writer.h"
#include "tool/end_markers.h"
#include "tool/value_text.h"
#include "util/geometry.h"
#include "util/trigonometry.h"

namespace {

constexpr int kZ3 = 4;  // the "z3" modifier line before each drawn piece

double Radians(double degrees) { return degrees / 180 * std::numbers::pi; }

bool IsLineArrow(const EndMarker* marker) {
  return marker != nullptr && marker->Drawing == MarkerDrawing::LineArrow;
}

double Distance(Point a, Point b) { return PointDistance(a.X, a.Y, b.X, b.Y); }

// Direction out of the dimension at `from` (seen from `to`), turned by `off`,
// kept below a full turn.
double MarkerAngle(Point from, Point to, double off) {
  double a = VectorAngleDeg(from.X - to.X, from.Y - to.Y) + off;
  if (a >= 360) a = a - 360;
  return a;
}

}  // namespace

ScaledDistances ScaleDistances(const DialogValues& values, double layerScale) {
  ScaledDistances d;
  d.TextGap = values.TextGapPaper * layerScale;
  d.ExtensionGap = values.ExtensionGapPaper * layerScale;
  d.ExtensionOvershoot = values.ExtensionOvershootPaper * layerScale;
  d.ReverseOvershoot = values.ReverseOvershootPaper * layerScale;
  return d;
}

TextStyle ResolveValueTextType(int textTypeChoice) {
  const DataModel& m = gDataModel;
  int type = textTypeChoice;
  // The dialog lists 11 items; anything else can only be a stray index and is
  // read as the first item, the host's current type, rather than reading past
  // the text-type table.
  if (type < 1 || type > 10) {
    type = m.CurTextType;
    if (type == 0) {
      return TextStyle{0, m.CurFreeTextWidth, m.CurFreeTextHeight, m.CurFreeTextSpacing,
                       m.CurFreeTextColor};
    }
    if (type < 1 || type > 10) type = 1;
  }
  const TextTypeRecord& record = m.TextTypeTable[type];
  return TextStyle{type, record.Width, record.Height, record.Spacing, record.Color};
}

TextPlacement PlaceValueText(std::string_view valueText, double width, double spacing,
                             double layerScale, double textGap, Point lineStart, Point lineEnd,
                             double axisAngle) {
  const double w = TextRunLength(valueText, width, spacing);

  // Never upside down: the angle ends up in 0..90 or 270..360.
  double ta = NormalizeDegrees(axisAngle);
  if (ta >= 180) ta = ta - 180;
  if (ta > 90.00000001) ta = ta + 180;

  // Centred on the middle of the dimension line, lifted by the gap.
  const Point offset{-w * layerScale / 2, textGap};
  const Point turned = Turned(offset, Point{0, 0}, ta);

  TextPlacement t;
  t.X = (lineStart.X + lineEnd.X) / 2 + turned.X;
  t.Y = (lineStart.Y + lineEnd.Y) / 2 + turned.Y;
  t.DX = 10 * Cosine(Radians(ta));
  t.DY = 10 * Sine(Radians(ta));
  return t;
}

double EndMarkerExtent(int kind, double arrowLength, double arrowAngle, double endMarkerScale,
                       double layerScale) {
  // The length a marker takes up along the dimension line: a point marker's
  // paper extent times both scales, a line arrow's from its own length.
  const EndMarker* marker = FindEndMarker(kind);
  if (IsLineArrow(marker)) return Cosine(Radians(arrowAngle)) * arrowLength * layerScale;
  const double extent = marker != nullptr ? marker->PaperExtent : 0;
  return extent * endMarkerScale * layerScale;
}

void EmitExtensionLine(Point m, Point linePoint, double axisAngle, double extensionGap,
                       double extensionOvershoot) {
  // In the frame turned about M the dimension line is horizontal at r.Y; the
  // extension line leaves M towards it and runs past it.
  const Point r = Turned(linePoint, m, -axisAngle);
  const double s = r.Y >= m.Y ? 1 : -1;
  const Point p1 = Turned(Point{m.X, m.Y + s * extensionGap}, m, axisAngle);
  const Point p2 = Turned(Point{m.X, r.Y + s * extensionOvershoot}, m, axisAngle);
  OutZFlags(kZ3);
  OutLine(p1.X, p1.Y, p2.X, p2.Y);
}

void EmitEndMarker(Point e, double a, int kind, bool reversed, double reverseOvershoot,
                   double arrowLength, double arrowAngle, double endMarkerScale,
                   double layerScale) {
  if (reversed && reverseOvershoot > kGeometryTolerance) {
    // Reversed markers sit outside: the dimension line runs on to carry them.
    const double back = Radians(a + 180);
    const Point q{e.X + reverseOvershoot * Cosine(back), e.Y + reverseOvershoot * Sine(back)};
    OutZFlags(kZ3);
    OutLine(e.X, e.Y, q.X, q.Y);
  }
  const EndMarker* marker = FindEndMarker(kind);
  if (IsLineArrow(marker)) {
    // Line arrow with its tip at E; the length is paper mm, not end-marker scaled.
    const double r = arrowLength * layerScale;
    const double side1 = Radians(a + 180 + arrowAngle);
    const double side2 = Radians(a + 180 - arrowAngle);
    const Point w1{e.X + r * Cosine(side1), e.Y + r * Sine(side1)};
    const Point w2{e.X + r * Cosine(side2), e.Y + r * Sine(side2)};
    OutZFlags(kZ3);
    OutLine(e.X, e.Y, w1.X, w1.Y);
    OutZFlags(kZ3);
    OutLine(e.X, e.Y, w2.X, w2.Y);
    return;
  }
  // Jw_cad draws the marker shape from the point code; the scale is the
  // dialog's own value, not a drawing size.
  OutZFlags(kZ3);
  OutPoint(marker != nullptr ? marker->PointCode : kind, e.X, e.Y, endMarkerScale, a);
}

std::string EmitDimensionCommands(const DimensionDrawing& drawing, const DialogValues& values) {
  const DataModel& m = gDataModel;
  const Placement& g = drawing.Geometry;
  const double layerScale = drawing.LayerScale;
  const ScaledDistances d = ScaleDistances(values, layerScale);

  OutLayerGroup(m.CurLayerGroup);
  OutLayer(m.CurLayer);
  OutPenColor(m.CurPenColor);
  OutPointColor(m.CurPenColor);  // points take the pen colour too
  OutLineType(m.CurLineType);
  OutLineWidth(m.CurLineWidth);
  OutFontName(m.CurFontName);

  // The end shared with the reference already has its extension line, as
  // long as the reference was drawn along the same axis angle.
  const bool sameAxis =
      std::fabs(NormalizeDegrees(drawing.AxisAngle - drawing.ReferenceAxisAngle)) <=
      kGeometryTolerance;
  if (!(g.AddedSide == 1 && sameAxis)) {
    EmitExtensionLine(g.MeasureStart, g.LinePoint, drawing.AxisAngle, d.ExtensionGap,
                      d.ExtensionOvershoot);
  }
  if (!(g.AddedSide == 0 && sameAxis)) {
    EmitExtensionLine(g.MeasureEnd, g.LinePoint, drawing.AxisAngle, d.ExtensionGap,
                      d.ExtensionOvershoot);
  }

  const TextStyle style = ResolveValueTextType(values.TextTypeChoice);
  const std::string valueText = FormatDimensionValue(
      Distance(g.LineStart, g.LineEnd), values.ValueUnit, values.PrecisionIndex,
      values.RoundingMode, values.ShowTrailingZeros, values.AddThousandsCommas, values.AddUnitText,
      values.FullWidthValue, values.ValuePrefix, values.ValueSuffix);
  const TextPlacement t = PlaceValueText(valueText, style.Width, style.Spacing, layerScale,
                                         d.TextGap, g.LineStart, g.LineEnd, drawing.AxisAngle);

  if (!values.MakeDimensionFigure) {
    OutZFlags(kZ3);
    OutLine(g.LineStart.X, g.LineStart.Y, g.LineEnd.X, g.LineEnd.Y);
    OutTextType(style.Type, style.Color, style.Width, style.Height, style.Spacing);
    OutTextCC(0);
    OutZFlags(kZ3);
    OutText(2, valueText, t.X, t.Y, t.DX, t.DY);
  } else {
    // One dimension figure carries both the line and its value.
    OutTextType(style.Type, style.Color, style.Width, style.Height, style.Spacing);
    OutDimension(valueText, g.LineStart.X, g.LineStart.Y, g.LineEnd.X, g.LineEnd.Y, t.X, t.Y, t.DX,
                 t.DY);
  }

  // Markers that do not fit between the ends are turned to sit outside them.
  const double e1 = EndMarkerExtent(values.StartMarkerKind, values.ArrowLength, values.ArrowAngle,
                                    values.EndMarkerScale, layerScale);
  const double e2 = EndMarkerExtent(values.EndMarkerKind, values.ArrowLength, values.ArrowAngle,
                                    values.EndMarkerScale, layerScale);
  const bool reversed = e1 + e2 > Distance(g.LineStart, g.LineEnd);
  const double off = reversed ? 180 : 0;

  EmitEndMarker(g.LineStart, MarkerAngle(g.LineStart, g.LineEnd, off), values.StartMarkerKind,
                reversed, d.ReverseOvershoot, values.ArrowLength, values.ArrowAngle,
                values.EndMarkerScale, layerScale);
  OutZFlags(kZ3);
  EmitEndMarker(g.LineEnd, MarkerAngle(g.LineEnd, g.LineStart, off), values.EndMarkerKind, reversed,
                d.ReverseOvershoot, values.ArrowLength, values.ArrowAngle, values.EndMarkerScale,
                layerScale);

  // Give Jw_cad its own current text type back (written only when it changed).
  OutTextType(m.CurTextType, m.CurFreeTextColor, m.CurFreeTextWidth, m.CurFreeTextHeight,
              m.CurFreeTextSpacing);
  return valueText;
}
