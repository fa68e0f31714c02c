#include "tool/preview_scene.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <string_view>

#include "tool/end_markers.h"
#include "tool/preview_band.h"
#include "tool/preview_fit.h"
#include "tool/preview_markers.h"
#include "util/geometry.h"
#include "util/sjis.h"
#include "util/text_to_number.h"

namespace {

// Pixels at 96 DPI; the strip scales them with its resolution.
constexpr double kInsideMargin = 3;  // nothing is drawn nearer the strip's edge
constexpr double kPickedCross = 3;   // half the cross's width
constexpr double kBreakGap = 12;     // the width of a broken line's break mark
constexpr double kBreakRise = 4;     // how far its zigzag leaves the line
constexpr double kTextClearance = 4;
constexpr double kSmallestDrawnText = 1;  // a text lower than this is a hair

// A point in the axis frame: along the dimension (U) and across it (V, up).
struct FramePoint {
  double U = 0, V = 0;
};

struct Range {
  double Low = INFINITY, High = -INFINITY;
  void Add(double v) {
    Low = std::min(Low, v);
    High = std::max(High, v);
  }
};

FramePoint ToFrame(Point p, Point origin, double axisAngle) {
  const Point t = Turned(p, origin, -axisAngle);
  return FramePoint{t.X - origin.X, t.Y - origin.Y};
}

// The direction of a drawing angle in the strip, in degrees counter-clockwise:
// the frame turns by minus the axis angle.
double StripAngle(double drawingAngle, double axisAngle) {
  return NormalizeDegrees(drawingAngle - axisAngle);
}

// Jw_cad's arrowhead markers come with no angle of their own in the dialog;
// the line arrow's default angle gives them their width.
double PointArrowSpread() {
  static const double spread = std::tan(DegreesToRadians(TextToReal(kDefaultArrowAngleText)));
  return spread;
}

// The part of `line` inside `r`, or none. A line along an edge is inside:
// the fit puts the band's outermost lines exactly there, give or take the
// last bit of a double.
std::optional<SceneLine> Clipped(SceneLine line, const SceneRect& r) {
  constexpr double kOnEdge = 1e-6;
  const double dx = line.To.X - line.From.X, dy = line.To.Y - line.From.Y;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {line.From.X - r.Left + kOnEdge, r.Right - line.From.X + kOnEdge,
                      line.From.Y - r.Top + kOnEdge, r.Bottom - line.From.Y + kOnEdge};
  double enter = 0, leave = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) return std::nullopt;
  const ScenePoint from = line.From;
  auto at = [&](double t) {
    return ScenePoint{std::clamp(from.X + t * dx, r.Left, r.Right),
                      std::clamp(from.Y + t * dy, r.Top, r.Bottom)};
  };
  line.From = at(enter);
  line.To = at(leave);
  return line;
}

ScenePoint Plus(ScenePoint a, double x, double y) { return ScenePoint{a.X + x, a.Y + y}; }

// What the scene shows: one dimension chained from its reference, or the
// dimensions of a row, which the drawing spans from the first one's line
// start to the last one's line end.
enum class SceneSubject { Chained, Row };

// A scene of the strip's size with nothing in it yet.
PreviewScene EmptyScene(const StripSize& strip) {
  PreviewScene scene;
  scene.Width = strip.Width;
  scene.Height = strip.Height;
  scene.Dpi = strip.Dpi;
  scene.FontHeight = strip.FontHeight;
  return scene;
}

class SceneBuilder {
 public:
  SceneBuilder(std::span<const DimensionFigure> figures, const DimensionDrawing& drawing,
               const StripSize& strip, SceneSubject subject)
      : figures_(figures), drawing_(drawing), strip_(strip), subject_(subject) {}

  PreviewScene Build() {
    PreviewScene scene = EmptyScene(strip_);
    dpiScale_ = strip_.Dpi > 0 ? strip_.Dpi / 96.0 : 1;
    scene.LineWidth = dpiScale_;
    // Where a line's middle may run: its width too stays inside the margin.
    const double margin = kInsideMargin * dpiScale_ + scene.LineWidth / 2;
    scene.Inside = SceneRect{margin, margin, strip_.Width - margin, strip_.Height - margin};
    const FitResult fit =
        FitBand(MeasureBand(), FitRoom{scene.Inside, double(strip_.FontHeight),
                                       kBreakGap * dpiScale_, kTextClearance * dpiScale_});
    scene.Transform = SceneTransform{Geometry().LineStart, drawing_.AxisAngle, fit.Scale,
                                     fit.OffsetX,          fit.OffsetY,        fit.Break};
    transform_ = &scene.Transform;
    if (subject_ == SceneSubject::Chained) AddReference(scene);
    for (std::size_t i = 0; i < figures_.size(); ++i) {
      const DimensionFigure& f = figures_[i];
      if (!Shown(f)) continue;
      for (const Segment& s : f.ExtensionLines) AddLine(scene, s, SceneLineRole::Extension);
      // In a row a dimension's start shares the extension line of the one
      // before: drawn here when that one is left out for the break.
      if (subject_ == SceneSubject::Row && i > 0 && !Shown(figures_[i - 1]) &&
          f.ReferenceExtensionLine) {
        AddLine(scene, *f.ReferenceExtensionLine, SceneLineRole::Extension);
      }
    }
    AddDimensionLine(scene);
    for (const DimensionFigure& f : figures_) {
      if (!Shown(f)) continue;
      AddMarker(scene, f.Start);
      AddMarker(scene, f.End);
    }
    AddPicked(scene);
    for (const DimensionFigure& f : figures_) {
      if (Shown(f)) AddText(scene, f);
    }
    return scene;
  }

 private:
  const Placement& Geometry() const { return drawing_.Geometry; }
  FramePoint Frame(Point p) const { return ToFrame(p, Geometry().LineStart, drawing_.AxisAngle); }
  // The point `along` drawing units from LineStart on the dimension line.
  Point OnLine(double along) const {
    const double a = DegreesToRadians(drawing_.AxisAngle);
    return Point{Geometry().LineStart.X + along * std::cos(a),
                 Geometry().LineStart.Y + along * std::sin(a)};
  }

  double TextLength(const DimensionFigure& f) const {
    return TextRunLength(f.ValueText, f.Style.Width, f.Style.Spacing) * drawing_.LayerScale;
  }
  double TextAngle(const DimensionFigure& f) const {
    return StripAngle(VectorAngleDeg(f.Text.DX, f.Text.DY), drawing_.AxisAngle);
  }

  // A row drawn broken shows the dimensions at its two ends; those the break
  // stands for are left out whole. One dimension is always shown.
  bool Shown(const DimensionFigure& f) const {
    if (subject_ == SceneSubject::Chained || !transform_->Break) return true;
    const double from = Frame(f.DimensionLine.From).U, to = Frame(f.DimensionLine.To).U;
    const double slack = 1e-9 * std::max(1.0, std::fabs(transform_->Break->To));
    return to <= transform_->Break->From + slack || from >= transform_->Break->To - slack;
  }

  // The reference's dimension line from the shared end to its far end, along
  // the axis angle it was drawn at.
  Segment ReferenceLine() const {
    const bool after = Geometry().AddedSide == 1;
    const Point shared = after ? Geometry().MeasureStart : Geometry().MeasureEnd;
    const Point far = after ? Geometry().NewReference.Start : Geometry().NewReference.End;
    return Segment{FootOnDimensionLine(shared, Geometry().LinePoint, drawing_.ReferenceAxisAngle),
                   FootOnDimensionLine(far, Geometry().LinePoint, drawing_.ReferenceAxisAngle)};
  }

  // A point marker's shape in the axis frame, in drawing units (y = -V).
  SceneMarker FrameMarker(const EndMarkerFigure& m, ScenePoint tip, double scale) const {
    const EndMarker* row = FindEndMarker(m.Kind);
    EndMarkerStyle style;
    style.EndMarkerScale = m.PointScale;
    style.LayerScale = drawing_.LayerScale;
    const double extent = EndMarkerExtent(m.Kind, style);
    return MarkerShape(*row, MarkerPlace{tip, StripAngle(m.Angle, drawing_.AxisAngle),
                                         extent * scale, PointArrowSpread()});
  }

  // The band of the dimension line in the axis frame, and what the fit
  // needs to know about it.
  BandExtent MeasureBand() const {
    Range u, v;
    auto add = [&](FramePoint q) {
      u.Add(q.U);
      v.Add(q.V);
    };
    for (Point p : {Geometry().LineStart, Geometry().LineEnd}) add(Frame(p));
    const double length = Frame(Geometry().LineEnd).U;
    double inward = 0;
    for (const DimensionFigure& f : figures_) MeasureFigure(f, length, add, inward);
    BandExtent band;
    band.LowU = u.Low;
    band.HighU = u.High;
    band.LowV = v.Low;
    band.HighV = v.High;
    band.LineLength = length;
    const DimensionFigure& first = figures_.front();
    band.TextHeight = first.Style.Height * drawing_.LayerScale;
    band.InwardReach = inward;
    if (subject_ == SceneSubject::Chained) {
      band.TextLength = TextLength(first);
      const Segment reference = ReferenceLine();
      band.ReferenceLength = std::fabs(Frame(reference.To).U - Frame(reference.From).U);
      band.ReferenceBefore = Geometry().AddedSide == 1;
    } else {
      // No value lies in a broken row's middle: its first and last dimension
      // are kept whole instead.
      for (const DimensionFigure* f : {&first, &figures_.back()}) {
        band.KeptAtEachEnd =
            std::max({band.KeptAtEachEnd, Distance(f->DimensionLine), TextLength(*f)});
      }
    }
    return band;
  }

  static double Distance(const Segment& s) {
    return PointDistance(s.From.X, s.From.Y, s.To.X, s.To.Y);
  }

  // Adds what `f` draws to the band through `add`; its markers at the ends
  // of the whole line to how far a marker reaches in along it.
  template <class Add>
  void MeasureFigure(const DimensionFigure& f, double length, Add& add, double& inward) const {
    for (const EndMarkerFigure* m : {&f.Start, &f.End}) {
      const bool atStart = m == &f.Start;
      const bool atAnEnd = atStart ? &f == &figures_.front() : &f == &figures_.back();
      auto reach = [&](FramePoint q) {
        add(q);
        if (atAnEnd) inward = std::max(inward, atStart ? q.U : length - q.U);
      };
      if (m->Overshoot) {
        for (Point p : {m->Overshoot->From, m->Overshoot->To}) add(Frame(p));
      }
      for (const Segment& s : m->Strokes) reach(Frame(s.To));
      if (!m->Strokes.empty() || FindEndMarker(m->Kind) == nullptr) continue;
      const FramePoint tip = Frame(m->Tip);
      const SceneMarker shape = FrameMarker(*m, ScenePoint{tip.U, -tip.V}, 1);
      for (const ScenePath& path : shape.Paths) {
        for (ScenePoint q : path.Points) reach(FramePoint{q.X, -q.Y});
      }
      for (const SceneEllipse& e : shape.Ellipses) {
        for (double side : {-1.0, 1.0}) {
          reach(FramePoint{e.Centre.X + side * e.Radius, -e.Centre.Y + side * e.Radius});
        }
      }
    }
    // The text's box: from its anchor along its direction, and up from it.
    const FramePoint anchor = Frame(Point{f.Text.X, f.Text.Y});
    const double a = DegreesToRadians(TextAngle(f));
    const double height = f.Style.Height * drawing_.LayerScale, run = TextLength(f);
    for (double along : {0.0, run}) {
      for (double up : {0.0, height}) {
        add(FramePoint{anchor.U + along * std::cos(a) - up * std::sin(a),
                       anchor.V + along * std::sin(a) + up * std::cos(a)});
      }
    }
  }

  void AddLine(PreviewScene& scene, SceneLine line) const {
    if (std::optional<SceneLine> inside = Clipped(line, scene.Inside)) {
      scene.Lines.push_back(*inside);
    }
  }
  void AddLine(PreviewScene& scene, const Segment& s, SceneLineRole role,
               SceneInk ink = SceneInk::Dimension) const {
    AddLine(scene, SceneLine{transform_->Apply(s.From), transform_->Apply(s.To), ink, role});
  }

  // The reference's dimension line runs on from the shared end, away from the
  // new dimension; its extension line there is the one the new dimension
  // leaves out.
  void AddReference(PreviewScene& scene) const {
    const DimensionFigure& f = figures_.front();
    AddLine(scene, ReferenceLine(), SceneLineRole::Reference, SceneInk::Reference);
    if (f.ReferenceExtensionLine) {
      AddLine(scene, *f.ReferenceExtensionLine, SceneLineRole::Reference, SceneInk::Reference);
    }
  }

  // A dimension figure is one object, line and value: it shows in a colour
  // of its own. A broken line leaves out its middle for a zigzag.
  void AddDimensionLine(PreviewScene& scene) const {
    const SceneInk ink =
        figures_.front().AsDimensionFigure ? SceneInk::Figure : SceneInk::Dimension;
    const Segment line{Geometry().LineStart, Geometry().LineEnd};
    if (!transform_->Break) {
      AddLine(scene, line, SceneLineRole::Dimension, ink);
      return;
    }
    const Point before = OnLine(transform_->Break->From), after = OnLine(transform_->Break->To);
    AddLine(scene, Segment{line.From, before}, SceneLineRole::Dimension, ink);
    AddLine(scene, Segment{after, line.To}, SceneLineRole::Dimension, ink);
    const ScenePoint a = transform_->Apply(before), b = transform_->Apply(after);
    const double rise = kBreakRise * dpiScale_, dx = b.X - a.X;
    const ScenePoint zigzag[] = {a, Plus(a, 0.3 * dx, -rise), Plus(a, 0.7 * dx, rise), b};
    for (int i = 0; i < 3; ++i) {
      AddLine(scene, SceneLine{zigzag[i], zigzag[i + 1], ink, SceneLineRole::Break});
    }
  }

  void AddMarker(PreviewScene& scene, const EndMarkerFigure& m) const {
    if (m.Overshoot) AddLine(scene, *m.Overshoot, SceneLineRole::Overshoot);
    for (const Segment& s : m.Strokes) AddLine(scene, s, SceneLineRole::Stroke);
    if (!m.Strokes.empty() || FindEndMarker(m.Kind) == nullptr) return;
    scene.Markers.push_back(FrameMarker(m, transform_->Apply(m.Tip), transform_->Scale));
  }

  // A cross on the picked point (for a row: where its line goes); where that
  // lies beyond the strip, an arrow at the strip's edge pointing to it.
  void AddPicked(PreviewScene& scene) const {
    const Point picked = subject_ == SceneSubject::Row ? Geometry().LinePoint
                         : Geometry().AddedSide == 1   ? Geometry().MeasureEnd
                                                       : Geometry().MeasureStart;
    const ScenePoint p = transform_->Apply(picked);
    const double c = kPickedCross * dpiScale_;
    const SceneRect& in = scene.Inside;
    const ScenePoint q{std::clamp(p.X, in.Left + c, std::max(in.Left + c, in.Right - c)),
                       std::clamp(p.Y, in.Top + c, std::max(in.Top + c, in.Bottom - c))};
    auto mark = [&](ScenePoint from, ScenePoint to) {
      scene.Lines.push_back(SceneLine{from, to, SceneInk::Picked, SceneLineRole::PickedMark});
    };
    const double dx = p.X - q.X, dy = p.Y - q.Y, away = std::hypot(dx, dy);
    if (away < 1e-9) {
      mark(Plus(p, -c, -c), Plus(p, c, c));
      mark(Plus(p, -c, c), Plus(p, c, -c));
      return;
    }
    const double ux = dx / away * c / std::sqrt(2.0), uy = dy / away * c / std::sqrt(2.0);
    mark(Plus(q, -ux - uy, -uy + ux), q);
    mark(Plus(q, -ux + uy, -uy - ux), q);
  }

  // The value at its text type's size, centred where OK centres it: on the
  // middle of the dimension line, which a broken drawing keeps at its break.
  void AddText(PreviewScene& scene, const DimensionFigure& f) const {
    SceneText text;
    text.Text = f.ValueText;
    text.Ink = f.AsDimensionFigure ? SceneInk::Figure : SceneInk::Dimension;
    text.Angle = TextAngle(f);
    const double scale = transform_->Scale;
    text.Height = f.Style.Height * drawing_.LayerScale * scale;
    text.Width = f.Style.Width * drawing_.LayerScale * scale;
    text.Length = TextLength(f) * scale;
    const double run = std::hypot(f.Text.DX, f.Text.DY);
    const double half = run > 0 ? TextLength(f) / 2 / run : 0;
    const ScenePoint centre =
        transform_->Apply(Point{f.Text.X + f.Text.DX * half, f.Text.Y + f.Text.DY * half});
    const double a = DegreesToRadians(text.Angle);
    text.Anchor = Plus(centre, -std::cos(a) * text.Length / 2, std::sin(a) * text.Length / 2);
    // Each character starts where the run before it and its spacing end. A
    // text too small to make out (a prefix of megabytes) has no characters
    // worth drawing one by one.
    if (text.Height < kSmallestDrawnText * dpiScale_) {
      scene.Texts.push_back(text);
      return;
    }
    const std::string_view value = f.ValueText;
    const double unit = scale * drawing_.LayerScale;
    double offset = 0;
    for (std::size_t i = 0; i < value.size();) {
      const std::size_t n = CharByteCount(value, i);
      text.Glyphs.push_back(SceneGlyph{std::string(value.substr(i, n)), offset * unit});
      const std::size_t next = i + n;
      if (next >= value.size()) break;
      const std::size_t pair = n + CharByteCount(value, next);
      offset += TextRunLength(value.substr(i, pair), f.Style.Width, f.Style.Spacing) -
                TextRunLength(value.substr(next, pair - n), f.Style.Width, f.Style.Spacing);
      i = next;
    }
    scene.Texts.push_back(text);
  }

  std::span<const DimensionFigure> figures_;  // one at least
  const DimensionDrawing& drawing_;
  const StripSize& strip_;
  SceneSubject subject_;
  const SceneTransform* transform_ = nullptr;
  double dpiScale_ = 1;
};

}  // namespace

ScenePoint SceneTransform::Apply(Point drawing) const {
  const FramePoint q = ToFrame(drawing, Origin, AxisAngle);
  double along = q.U * Scale;
  if (Break && q.U >= Break->To) {
    along = (q.U - (Break->To - Break->From)) * Scale + Break->Gap;
  } else if (Break && q.U > Break->From) {
    along = Break->From * Scale + (q.U - Break->From) / (Break->To - Break->From) * Break->Gap;
  }
  return ScenePoint{OffsetX + along, OffsetY - q.V * Scale};
}

PreviewScene DrawPreview(const DimensionFigure& figure, const DimensionDrawing& drawing,
                         const StripSize& strip) {
  PreviewScene scene = SceneBuilder({&figure, 1}, drawing, strip, SceneSubject::Chained).Build();
  scene.Description = DescribeAddition(figure, drawing, strip);
  return scene;
}

PreviewScene DrawRowPreview(const DimensionRow& row, const DialogValues& values,
                            const StripSize& strip) {
  PreviewScene scene = SceneBuilder(row.Figures, row.WholeLine, strip, SceneSubject::Row).Build();
  scene.Description = DescribeRow(row, values, strip);
  return scene;
}

PreviewScene RefusalPreview(const SceneMessage& message, const StripSize& strip,
                            const SceneMessage& description) {
  PreviewScene scene = EmptyScene(strip);
  scene.Message = message;
  scene.Description = description;
  return scene;
}
