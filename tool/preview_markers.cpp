#include "tool/preview_markers.h"

#include <cmath>
#include <numbers>

#include "util/geometry.h"

namespace {

struct Frame {
  ScenePoint Tip;
  double OutX, OutY;    // out of the dimension, along the line
  double SideX, SideY;  // across the line, a quarter turn counter-clockwise

  // The point `along` pixels out of the dimension and `across` to its side.
  ScenePoint At(double along, double across) const {
    return ScenePoint{Tip.X + OutX * along + SideX * across, Tip.Y + OutY * along + SideY * across};
  }
};

Frame FrameAt(ScenePoint tip, double angle) {
  const double a = DegreesToRadians(angle);
  // The strip's y runs down: counter-clockwise turns towards -y.
  return Frame{tip, std::cos(a), -std::sin(a), -std::sin(a), -std::cos(a)};
}

ScenePath Arrowhead(const Frame& f, double size, double spread, bool closed, SceneFill fill) {
  const double half = size * spread;
  ScenePath path{{f.At(-size, half), f.At(0, 0), f.At(-size, -half)}, closed, fill};
  return path;
}

ScenePath Box(const Frame& f, double size, SceneFill fill) {
  const double h = size / 2;
  return ScenePath{{f.At(-h, -h), f.At(h, -h), f.At(h, h), f.At(-h, h)}, true, fill};
}

// The integral sign: an S along the slash's diagonal, as far along the line
// as the slash.
ScenePath Integral(const Frame& f, double size) {
  ScenePath path;
  constexpr int kSteps = 12;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = -1 + 2.0 * i / kSteps;
    const double wiggle = 0.15 * size * std::sin(t * std::numbers::pi);
    path.Points.push_back(f.At(t * size / 2 + wiggle, t * size / 2 - wiggle));
  }
  return path;
}

}  // namespace

SceneMarker MarkerShape(const EndMarker& marker, const MarkerPlace& place) {
  SceneMarker m;
  m.Code = marker.PointCode;
  m.Tip = place.Tip;
  m.Angle = place.Angle;
  m.Size = place.Size;
  const Frame f = FrameAt(place.Tip, place.Angle);
  const double size = place.Size;
  auto arrow = [&](bool closed, SceneFill fill) {
    m.Paths.push_back(Arrowhead(f, size, place.Spread, closed, fill));
  };
  switch (marker.Shape) {
    case PointShape::BlankArrow:
      arrow(true, SceneFill::Paper);
      break;
    case PointShape::FilledArrow:
      arrow(true, SceneFill::Ink);
      break;
    case PointShape::OpenArrow:
      arrow(false, SceneFill::None);
      break;
    case PointShape::UnfilledArrow:
      arrow(true, SceneFill::None);
      break;
    case PointShape::BlankBox:
      m.Paths.push_back(Box(f, size, SceneFill::Paper));
      break;
    case PointShape::FilledBox:
      m.Paths.push_back(Box(f, size, SceneFill::Ink));
      break;
    case PointShape::BlankDot:
      m.Ellipses.push_back(SceneEllipse{place.Tip, size / 2, SceneFill::Paper});
      break;
    case PointShape::Ring:
      m.Ellipses.push_back(SceneEllipse{place.Tip, size / 2, SceneFill::None});
      break;
    case PointShape::FilledDot:
      m.Ellipses.push_back(SceneEllipse{place.Tip, size / 2, SceneFill::Ink});
      break;
    case PointShape::Integral:
      m.Paths.push_back(Integral(f, size));
      break;
    case PointShape::Slash:
      // Rising to the right when the line runs right.
      m.Paths.push_back(ScenePath{{f.At(-size / 2, -size / 2), f.At(size / 2, size / 2)}});
      break;
    case PointShape::None:
      break;
  }
  return m;
}
