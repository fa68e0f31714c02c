#include "tool/dimension_figure.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "tool/end_markers.h"
#include "tool/value_text.h"
#include "util/geometry.h"
#include "util/trigonometry.h"

namespace {

// The steepest a value text may stand and still be turned no further: a hair
// past a quarter turn, so that a drawing's axis of 90 degrees (with the
// rounding error it was read with) keeps its text reading upwards.
constexpr double kSteepestUprightText = 90.00000001;

bool IsLineArrow(const EndMarker* marker) {
  return marker != nullptr && marker->Drawing == MarkerDrawing::LineArrow;
}

double Distance(Point a, Point b) { return PointDistance(a.X, a.Y, b.X, b.Y); }

// Direction out of the dimension at `from` (seen from `to`), turned by
// `turn`, kept below a full turn.
double MarkerAngle(Point from, Point to, double turn) {
  double a = VectorAngleDeg(from.X - to.X, from.Y - to.Y) + turn;
  if (a >= 360) a = a - 360;
  return a;
}

bool IsFinite(Point p) { return std::isfinite(p.X) && std::isfinite(p.Y); }
bool IsFinite(const Segment& s) { return IsFinite(s.From) && IsFinite(s.To); }

}  // namespace

bool AlongReferenceAxis(const DimensionDrawing& drawing) {
  return std::fabs(NormalizeDegrees(drawing.AxisAngle - drawing.ReferenceAxisAngle)) <=
         kGeometryTolerance;
}

Point DirectionCache::Direction(double degrees) {
  for (const auto& [known, direction] : known_) {
    if (std::bit_cast<std::uint64_t>(known) == std::bit_cast<std::uint64_t>(degrees)) {
      return direction;
    }
  }
  const double r = DegreesToRadians(degrees);
  const Point direction{Cosine(r), Sine(r)};
  // A few ways at most in a row; anything beyond is worked out each time.
  if (known_.size() < 16) known_.emplace_back(degrees, direction);
  return direction;
}

ScaledDistances ScaleDistances(const DialogValues& values, double layerScale) {
  ScaledDistances d;
  d.TextGap = values.TextGapPaper * layerScale;
  d.ExtensionGap = values.ExtensionGapPaper * layerScale;
  d.ExtensionOvershoot = values.ExtensionOvershootPaper * layerScale;
  d.ReverseOvershoot = values.ReverseOvershootPaper * layerScale;
  return d;
}

EndMarkerStyle EndMarkerStyleOf(const DialogValues& values, double layerScale) {
  EndMarkerStyle s;
  s.ArrowLength = values.ArrowLength;
  s.ArrowAngle = values.ArrowAngle;
  s.EndMarkerScale = values.EndMarkerScale;
  s.ReverseOvershoot = ScaleDistances(values, layerScale).ReverseOvershoot;
  s.LayerScale = layerScale;
  return s;
}

TextStyle ResolveValueTextType(int textTypeChoice, const DataModel& model) {
  int type = textTypeChoice;
  // The dialog lists 11 items; anything else can only be a stray index and is
  // read as the first item, the host's current type, rather than reading past
  // the text-type table.
  if (type < 1 || type > 10) {
    type = model.CurTextType;
    if (type == 0) {
      return TextStyle{0, model.CurFreeTextWidth, model.CurFreeTextHeight, model.CurFreeTextSpacing,
                       model.CurFreeTextColor};
    }
    if (type < 1 || type > 10) type = 1;
  }
  const TextTypeRecord& record = model.TextTypeTable[type];
  return TextStyle{type, record.Width, record.Height, record.Spacing, record.Color};
}

namespace {

TextPlacement PlaceValueTextWith(std::string_view valueText, const TextStyle& style,
                                 const ValueTextLine& line, DirectionCache& directions) {
  const double w = TextRunLength(valueText, style.Width, style.Spacing);

  // Never upside down: the angle ends up in 0..90 or 270..360.
  double ta = NormalizeDegrees(line.AxisAngle);
  if (ta >= 180) ta = ta - 180;
  if (ta > kSteepestUprightText) ta = ta + 180;

  // Centred on the middle of the dimension line, lifted by the gap.
  const Point offset{-w * line.LayerScale / 2, line.TextGap};
  const Point turned = Turned(offset, Point{0, 0}, ta);

  const Segment& d = line.DimensionLine;
  TextPlacement t;
  t.X = (d.From.X + d.To.X) / 2 + turned.X;
  t.Y = (d.From.Y + d.To.Y) / 2 + turned.Y;
  const Point direction = directions.Direction(ta);
  t.DX = 10 * direction.X;
  t.DY = 10 * direction.Y;
  return t;
}

double EndMarkerExtentWith(int kind, const EndMarkerStyle& style, DirectionCache& directions) {
  // A point marker's paper extent times both scales, a line arrow's from its
  // own length.
  const EndMarker* marker = FindEndMarker(kind);
  if (IsLineArrow(marker)) {
    return directions.Direction(style.ArrowAngle).X * style.ArrowLength * style.LayerScale;
  }
  const double extent = marker != nullptr ? marker->PaperExtent : 0;
  return extent * style.EndMarkerScale * style.LayerScale;
}

EndMarkerFigure EndMarkerWith(Point tip, double angle, int kind, bool reversed,
                              const EndMarkerStyle& style, DirectionCache& directions) {
  EndMarkerFigure f;
  f.Kind = kind;
  f.Tip = tip;
  f.Angle = angle;
  const double overshoot = style.ReverseOvershoot;
  if (reversed && overshoot > kGeometryTolerance) {
    const Point back = directions.Direction(angle + 180);
    f.Overshoot = Segment{tip, Point{tip.X + overshoot * back.X, tip.Y + overshoot * back.Y}};
  }
  const EndMarker* marker = FindEndMarker(kind);
  if (IsLineArrow(marker)) {
    // Line arrow with its tip at the end; the length is paper mm, not
    // end-marker scaled.
    const double r = style.ArrowLength * style.LayerScale;
    for (const double side : {angle + 180 + style.ArrowAngle, angle + 180 - style.ArrowAngle}) {
      const Point d = directions.Direction(side);
      f.Strokes.push_back(Segment{tip, Point{tip.X + r * d.X, tip.Y + r * d.Y}});
    }
    return f;
  }
  // Jw_cad draws the marker shape from the point code; the scale is the
  // dialog's own value, not a drawing size.
  f.PointCode = marker != nullptr ? marker->PointCode : kind;
  f.PointScale = style.EndMarkerScale;
  return f;
}

}  // namespace

TextPlacement PlaceValueText(std::string_view valueText, const TextStyle& style,
                             const ValueTextLine& line) {
  DirectionCache directions;
  return PlaceValueTextWith(valueText, style, line, directions);
}

double EndMarkerExtent(int kind, const EndMarkerStyle& style) {
  DirectionCache directions;
  return EndMarkerExtentWith(kind, style, directions);
}

Segment ExtensionLineOf(Point m, Point linePoint, double axisAngle, double extensionGap,
                        double extensionOvershoot) {
  // In the frame turned about M the dimension line is horizontal at r.Y; the
  // extension line leaves M towards it and runs past it.
  const Point r = Turned(linePoint, m, -axisAngle);
  const double s = r.Y >= m.Y ? 1 : -1;
  const Point end = Turned(Point{m.X, r.Y + s * extensionOvershoot}, m, axisAngle);
  // A measure point nearer the line than the gap: a line started a gap away
  // would float past the dimension line, touching neither it nor the point,
  // so it starts on the dimension line, at the dimension's end.
  if (extensionGap > s * (r.Y - m.Y)) {
    return Segment{FootOnDimensionLine(m, linePoint, axisAngle), end};
  }
  return Segment{Turned(Point{m.X, m.Y + s * extensionGap}, m, axisAngle), end};
}

EndMarkerFigure EndMarkerOf(Point tip, double angle, int kind, bool reversed,
                            const EndMarkerStyle& style) {
  DirectionCache directions;
  return EndMarkerWith(tip, angle, kind, reversed, style, directions);
}

DrawnExtensionLine ReferenceExtensionLineOf(const DimensionDrawing& drawing) {
  if (!AlongReferenceAxis(drawing)) return DrawnExtensionLine::None;
  return drawing.Geometry.AddedSide == 1 ? DrawnExtensionLine::AtStart : DrawnExtensionLine::AtEnd;
}

DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing,
                                       const DialogValues& values) {
  return ComputeDimensionFigure(drawing, values, ReferenceExtensionLineOf(drawing));
}

DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing, const DialogValues& values,
                                       DrawnExtensionLine drawn) {
  DirectionCache directions;
  return ComputeDimensionFigure(drawing, values, drawn, directions);
}

DimensionFigure ComputeDimensionFigure(const DimensionDrawing& drawing, const DialogValues& values,
                                       DrawnExtensionLine drawn, DirectionCache& directions) {
  const Placement& g = drawing.Geometry;
  const double layerScale = drawing.LayerScale;
  const ScaledDistances d = ScaleDistances(values, layerScale);
  DimensionFigure f;

  for (const auto& [measure, hasOne] :
       {std::pair{g.MeasureStart, drawn == DrawnExtensionLine::AtStart},
        std::pair{g.MeasureEnd, drawn == DrawnExtensionLine::AtEnd}}) {
    const Segment line = ExtensionLineOf(measure, g.LinePoint, drawing.AxisAngle, d.ExtensionGap,
                                         d.ExtensionOvershoot);
    if (hasOne) {
      f.ReferenceExtensionLine = line;
    } else {
      f.ExtensionLines.push_back(line);
    }
  }

  f.DimensionLine = Segment{g.LineStart, g.LineEnd};
  f.Style = drawing.ValueTextStyle;
  f.ValueText = FormatDimensionValue(Distance(g.LineStart, g.LineEnd), ValueTextSettingsOf(values));
  f.Text = PlaceValueTextWith(
      f.ValueText, f.Style,
      ValueTextLine{f.DimensionLine, drawing.AxisAngle, layerScale, d.TextGap}, directions);
  f.AsDimensionFigure = values.MakeDimensionFigure;

  // Markers that do not fit between the ends are turned to sit outside them.
  const EndMarkerStyle style = EndMarkerStyleOf(values, layerScale);
  const double startExtent = EndMarkerExtentWith(values.StartMarkerKind, style, directions);
  const double endExtent = EndMarkerExtentWith(values.EndMarkerKind, style, directions);
  f.Reversed = startExtent + endExtent > Distance(g.LineStart, g.LineEnd);
  const double turn = f.Reversed ? 180 : 0;
  f.Start = EndMarkerWith(g.LineStart, MarkerAngle(g.LineStart, g.LineEnd, turn),
                          values.StartMarkerKind, f.Reversed, style, directions);
  f.End = EndMarkerWith(g.LineEnd, MarkerAngle(g.LineEnd, g.LineStart, turn), values.EndMarkerKind,
                        f.Reversed, style, directions);
  return f;
}

bool IsFinite(const DimensionFigure& f) {
  for (const Segment& s : f.ExtensionLines) {
    if (!IsFinite(s)) return false;
  }
  if (!IsFinite(f.DimensionLine)) return false;
  if (!IsFinite(Point{f.Text.X, f.Text.Y}) || !IsFinite(Point{f.Text.DX, f.Text.DY})) return false;
  for (const EndMarkerFigure* m : {&f.Start, &f.End}) {
    if (!IsFinite(m->Tip) || !std::isfinite(m->Angle) || !std::isfinite(m->PointScale)) {
      return false;
    }
    if (m->Overshoot && !IsFinite(*m->Overshoot)) return false;
    for (const Segment& s : m->Strokes) {
      if (!IsFinite(s)) return false;
    }
  }
  return true;
}
