#include "tool/preview_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "tool/end_markers.h"
#include "tool/preview_markers.h"
#include "tool/ui_texts.h"
#include "util/geometry.h"
#include "util/sjis.h"

namespace {

// Room kept free at the strip's edges, in pixels.
constexpr double kMarginX = 8;
constexpr double kMarginY = 5;
// What keeps the drawing legible however small the dimension comes out.
constexpr double kSmallestStroke = 6;
constexpr double kSmallestMarker = 5;
constexpr double kLargestMarker = 14;
constexpr double kPickedCross = 3;
// The stub of the reference shown beside the shared end: at most this share
// of the new dimension's width.
constexpr double kReferenceStubShare = 0.25;

// A point in the axis frame: along the dimension (U) and across it (V).
struct FramePoint {
  double U = 0, V = 0;
};

struct Range {
  double Low = INFINITY, High = -INFINITY;
  void Add(double v) {
    Low = std::min(Low, v);
    High = std::max(High, v);
  }
  double Span() const { return High > Low ? High - Low : 0; }
};

FramePoint ToFrame(Point p, Point origin, double axisAngle) {
  const Point t = Turned(p, origin, -axisAngle);
  return FramePoint{t.X - origin.X, t.Y - origin.Y};
}

// How many full-width characters wide the text is: a half-width character
// takes half, as in the dialog's MS Gothic.
double TextEms(std::string_view text) { return TextRunLength(text, 1, 0); }

ScenePoint Lengthened(ScenePoint from, ScenePoint to, double smallest) {
  const double dx = to.X - from.X, dy = to.Y - from.Y;
  const double length = std::hypot(dx, dy);
  if (length >= smallest || length == 0) return to;
  return ScenePoint{from.X + dx / length * smallest, from.Y + dy / length * smallest};
}

// The direction of a drawing angle in the strip, in degrees counter-clockwise:
// the frame turns by minus the axis angle.
double StripAngle(double drawingAngle, double axisAngle) {
  return NormalizeDegrees(drawingAngle - axisAngle);
}

class SceneBuilder {
 public:
  SceneBuilder(const DimensionFigure& figure, const DimensionDrawing& drawing,
               const StripSize& strip)
      : f_(figure), d_(drawing), strip_(strip) {}

  PreviewScene Build() {
    PreviewScene scene;
    scene.Width = strip_.Width;
    scene.Height = strip_.Height;
    scene.FontHeight = strip_.FontHeight;
    Fit(scene.Transform);
    t_ = &scene.Transform;
    AddReference(scene);
    for (const Segment& s : f_.ExtensionLines) AddLine(scene, s, SceneLineRole::Extension);
    // A dimension figure is one object, line and value: it shows in a colour
    // of its own.
    AddLine(scene, f_.DimensionLine, SceneLineRole::Dimension,
            f_.AsDimensionFigure ? SceneInk::Figure : SceneInk::Dimension);
    AddMarker(scene, f_.Start);
    AddMarker(scene, f_.End);
    AddPicked(scene);
    AddText(scene);
    return scene;
  }

 private:
  const Placement& g() const { return d_.Geometry; }
  FramePoint Frame(Point p) const { return ToFrame(p, g().LineStart, d_.AxisAngle); }

  // Where the reference's far end lies along the dimension, and whether it
  // lies before the new dimension (the new one was added after it).
  double ReferenceFarEnd() const {
    const ReferenceDimension& r = g().NewReference;
    return Frame(g().AddedSide == 1 ? r.Start : r.End).U;
  }
  double SharedEnd() const { return Frame(g().AddedSide == 1 ? g().LineStart : g().LineEnd).U; }
  double ReferenceStub(double newWidth) const {
    return std::min(std::fabs(SharedEnd() - ReferenceFarEnd()), kReferenceStubShare * newWidth);
  }
  double TrueTextWidth() const {
    return TextRunLength(f_.ValueText, f_.Style.Width, f_.Style.Spacing) * d_.LayerScale;
  }

  void AddAll(Range& u, Range& v, const Segment& s) const {
    for (Point p : {s.From, s.To}) {
      const FramePoint q = Frame(p);
      u.Add(q.U);
      v.Add(q.V);
    }
  }

  // Along the dimension every proportion is true: one scale fits the new
  // dimension, its markers, its text and a stub of the reference into the
  // strip's width. Across it the same scale holds unless the drawing would
  // not fit the strip's height; then only the heights are squeezed.
  void Fit(SceneTransform& t) const {
    Range u, v;
    for (const Segment& s : f_.ExtensionLines) AddAll(u, v, s);
    AddAll(u, v, f_.DimensionLine);
    for (const EndMarkerFigure* m : {&f_.Start, &f_.End}) {
      if (m->Overshoot) AddAll(u, v, *m->Overshoot);
      for (const Segment& s : m->Strokes) AddAll(u, v, s);
    }
    for (Point p : {g().MeasureStart, g().MeasureEnd}) {
      const FramePoint q = Frame(p);
      u.Add(q.U);
      v.Add(q.V);
    }
    const FramePoint text = Frame(Point{f_.Text.X, f_.Text.Y});
    const double textAngle = StripAngle(VectorAngleDeg(f_.Text.DX, f_.Text.DY), d_.AxisAngle);
    const bool leftToRight = textAngle < 90 || textAngle > 270;
    const double width = TrueTextWidth(), height = f_.Style.Height * d_.LayerScale;
    u.Add(text.U);
    u.Add(text.U + (leftToRight ? width : -width));
    v.Add(text.V);
    v.Add(text.V + (leftToRight ? height : -height));
    const double stub = ReferenceStub(u.Span());
    if (g().AddedSide == 1) u.Add(SharedEnd() - stub);
    if (g().AddedSide == 0) u.Add(SharedEnd() + stub);

    const double roomX = strip_.Width - 2 * kMarginX;
    const double roomY = strip_.Height - 2 * kMarginY;
    t.Origin = g().LineStart;
    t.AxisAngle = d_.AxisAngle;
    t.ScaleX = u.Span() > 0 ? roomX / u.Span() : 1;
    t.ScaleY = v.Span() > 0 ? std::min(t.ScaleX, roomY / v.Span()) : t.ScaleX;
    // Centred both ways in the strip.
    t.OffsetX = strip_.Width / 2.0 - (u.Low + u.High) / 2 * t.ScaleX;
    t.OffsetY = strip_.Height / 2.0 + (v.Low + v.High) / 2 * t.ScaleY;
  }

  void AddLine(PreviewScene& scene, const Segment& s, SceneLineRole role,
               SceneInk ink = SceneInk::Dimension) const {
    scene.Lines.push_back(SceneLine{t_->Apply(s.From), t_->Apply(s.To), ink, role});
  }

  // The reference's dimension line runs on from the shared end, away from the
  // new dimension; its extension line there is the one the new dimension
  // leaves out.
  void AddReference(PreviewScene& scene) const {
    const double newWidth = std::fabs(Frame(g().LineEnd).U - Frame(g().LineStart).U);
    const double stub = ReferenceStub(newWidth);
    const Point shared = g().AddedSide == 1 ? g().LineStart : g().LineEnd;
    const double away = (g().AddedSide == 1 ? -stub : stub);
    const double axis = DegreesToRadians(d_.AxisAngle);
    if (stub > 0) {
      const Point far{shared.X + away * std::cos(axis), shared.Y + away * std::sin(axis)};
      AddLine(scene, Segment{shared, far}, SceneLineRole::Reference, SceneInk::Reference);
    }
    if (f_.ReferenceExtensionLine) {
      AddLine(scene, *f_.ReferenceExtensionLine, SceneLineRole::Reference, SceneInk::Reference);
    }
  }

  void AddMarker(PreviewScene& scene, const EndMarkerFigure& m) const {
    if (m.Overshoot) AddLine(scene, *m.Overshoot, SceneLineRole::Overshoot);
    if (!m.Strokes.empty()) {
      for (const Segment& s : m.Strokes) {
        const ScenePoint from = t_->Apply(s.From);
        scene.Lines.push_back(SceneLine{from, Lengthened(from, t_->Apply(s.To), kSmallestStroke),
                                        SceneInk::Dimension, SceneLineRole::Stroke});
      }
      return;
    }
    const double extent = EndMarkerExtent(m.Kind, 0, 0, m.PointScale, d_.LayerScale);
    const double size = std::clamp(extent * t_->ScaleX, kSmallestMarker, kLargestMarker);
    scene.Markers.push_back(
        MarkerShape(m.PointCode, t_->Apply(m.Tip), StripAngle(m.Angle, d_.AxisAngle), size));
  }

  void AddPicked(PreviewScene& scene) const {
    const ScenePoint p = t_->Apply(g().AddedSide == 1 ? g().MeasureEnd : g().MeasureStart);
    for (double side : {-1.0, 1.0}) {
      scene.Lines.push_back(SceneLine{ScenePoint{p.X - kPickedCross, p.Y - side * kPickedCross},
                                      ScenePoint{p.X + kPickedCross, p.Y + side * kPickedCross},
                                      SceneInk::Picked, SceneLineRole::PickedMark});
    }
  }

  // The text keeps its true height when that is at least the dialog's font,
  // never smaller; and it stays wholly inside the strip.
  void AddText(PreviewScene& scene) const {
    SceneText text;
    text.Text = f_.ValueText;
    text.Ink = f_.AsDimensionFigure ? SceneInk::Figure : SceneInk::Dimension;
    text.Angle = StripAngle(VectorAngleDeg(f_.Text.DX, f_.Text.DY), d_.AxisAngle);
    const double ems = TextEms(f_.ValueText);
    const double trueHeight = f_.Style.Height * d_.LayerScale * t_->ScaleY;
    const double font = strip_.FontHeight;
    text.Height = std::clamp(trueHeight, font, std::max(font, scene.Height - 2 * kMarginY));
    text.Anchor = t_->Apply(Point{f_.Text.X, f_.Text.Y});
    const bool leftToRight = text.Angle < 90 || text.Angle > 270;
    // Drawn in the dialog's font, the text is as wide as that font makes it:
    // it stays centred where OK centres it.
    const double width = ems * text.Height;
    const double trueWidth = TrueTextWidth() * t_->ScaleX;
    text.Anchor.X += (leftToRight ? 1 : -1) * (trueWidth - width) / 2;
    // The box the text takes, from its anchor: up and right, or (upside
    // down) down and left.
    const double left = leftToRight ? text.Anchor.X : text.Anchor.X - width;
    const double top = leftToRight ? text.Anchor.Y - text.Height : text.Anchor.Y;
    const double shiftX = std::clamp(left, 1.0, std::max(1.0, scene.Width - 1 - width)) - left;
    const double shiftY = std::clamp(top, 1.0, std::max(1.0, scene.Height - 1 - text.Height)) - top;
    text.Anchor.X += shiftX;
    text.Anchor.Y += shiftY;
    scene.Text = text;
  }

 private:
  const DimensionFigure& f_;
  const DimensionDrawing& d_;
  const StripSize& strip_;
  const SceneTransform* t_ = nullptr;
};

std::string_view MarkerName(int kind) {
  const EndMarker* marker = FindEndMarker(kind);
  return marker != nullptr ? marker->Label : std::string_view();
}

SceneMessage DescribeDimension(const DimensionFigure& f) {
  SceneMessage d;
  d.Before = std::string(kPreviewAdded) + f.ValueText;
  if (f.AsDimensionFigure) d.Before += kPreviewFigure;
  d.Before += kPreviewStartMarker;
  d.Before += MarkerName(f.Start.Kind);
  d.Before += kPreviewEndMarker;
  d.Before += MarkerName(f.End.Kind);
  if (f.Reversed) d.Before += kPreviewReversed;
  return d;
}

// ---- The scene as text

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", std::fabs(v) < 0.005 ? 0.0 : v);
  return text;
}

std::string PointText(ScenePoint p) { return Number(p.X) + " " + Number(p.Y); }

const char* RoleName(SceneLineRole role) {
  switch (role) {
    case SceneLineRole::Extension:
      return "extension";
    case SceneLineRole::Dimension:
      return "dimension";
    case SceneLineRole::Overshoot:
      return "overshoot";
    case SceneLineRole::Stroke:
      return "stroke";
    case SceneLineRole::Reference:
      return "reference";
    case SceneLineRole::PickedMark:
      return "picked";
  }
  return "";
}

const char* FillName(SceneFill fill) {
  switch (fill) {
    case SceneFill::None:
      return "outline";
    case SceneFill::Ink:
      return "filled";
    case SceneFill::Paper:
      return "blank";
  }
  return "";
}

std::string MessageText(const SceneMessage& m) {
  std::string text = m.Before;
  if (m.Character) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*m.Character));
    text += code;
  }
  return text + m.After;
}

}  // namespace

ScenePoint SceneTransform::Apply(Point drawing) const {
  const FramePoint q = ToFrame(drawing, Origin, AxisAngle);
  return ScenePoint{OffsetX + q.U * ScaleX, OffsetY - q.V * ScaleY};
}

PreviewScene DrawPreview(const DimensionFigure& figure, const DimensionDrawing& drawing,
                         const StripSize& strip) {
  PreviewScene scene = SceneBuilder(figure, drawing, strip).Build();
  scene.Description = DescribeDimension(figure);
  return scene;
}

PreviewScene RefusalPreview(const SceneMessage& message, const StripSize& strip) {
  PreviewScene scene;
  scene.Width = strip.Width;
  scene.Height = strip.Height;
  scene.FontHeight = strip.FontHeight;
  scene.Message = message;
  scene.Description = message;
  return scene;
}

std::string FormatScene(const PreviewScene& scene) {
  std::string out;
  // One element a line, its fields joined by blanks.
  auto line = [&out](std::initializer_list<std::string_view> fields) {
    const char* blank = "";
    for (std::string_view field : fields) {
      out += blank;
      out += field;
      blank = " ";
    }
    out += "\r\n";
  };
  line({"scene", std::to_string(scene.Width), std::to_string(scene.Height)});
  if (scene.Message) {
    line({"message", MessageText(*scene.Message)});
    return out;
  }
  const SceneTransform& t = scene.Transform;
  line({"transform axis", Number(t.AxisAngle), "scale", Number(t.ScaleX), Number(t.ScaleY)});
  for (const SceneLine& l : scene.Lines) {
    line({"line", l.Ink == SceneInk::Figure ? "figure" : RoleName(l.Role), PointText(l.From),
          PointText(l.To)});
  }
  for (const SceneMarker& m : scene.Markers) {
    line({"marker", std::to_string(m.Code), "at", PointText(m.Tip), "angle", Number(m.Angle),
          "size", Number(m.Size)});
    for (const ScenePath& p : m.Paths) {
      std::string points;
      for (ScenePoint q : p.Points) {
        if (!points.empty()) points += ' ';
        points += PointText(q);
      }
      line({"  path", p.Closed ? "closed" : "open", FillName(p.Fill), points});
    }
    for (const SceneEllipse& e : m.Ellipses) {
      line({"  circle", FillName(e.Fill), PointText(e.Centre), Number(e.Radius)});
    }
  }
  if (scene.Text) {
    const SceneText& text = *scene.Text;
    line({"text at", PointText(text.Anchor), "height", Number(text.Height), "angle",
          Number(text.Angle), "\"" + text.Text});
  }
  line({"says", MessageText(scene.Description)});
  return out;
}
