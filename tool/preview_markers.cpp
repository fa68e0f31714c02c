#include "tool/preview_markers.h"

#include <cmath>
#include <numbers>

#include "util/geometry.h"

namespace {

// An arrowhead's half-width for its length: the line arrow's default 15 degrees.
constexpr double kArrowSpread = 0.268;

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

ScenePath Arrowhead(const Frame& f, double size, bool closed, SceneFill fill) {
  const double half = size * kArrowSpread;
  ScenePath path{{f.At(-size, half), f.At(0, 0), f.At(-size, -half)}, closed, fill};
  return path;
}

ScenePath Box(const Frame& f, double size, SceneFill fill) {
  const double h = size / 2;
  return ScenePath{{f.At(-h, -h), f.At(h, -h), f.At(h, h), f.At(-h, h)}, true, fill};
}

// The integral sign: a tall S across the line.
ScenePath Integral(const Frame& f, double size) {
  ScenePath path;
  constexpr int kSteps = 8;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = -1 + 2.0 * i / kSteps;
    path.Points.push_back(f.At(std::sin(t * std::numbers::pi / 2) * size * 0.3, t * size * 0.7));
  }
  return path;
}

}  // namespace

SceneMarker MarkerShape(int code, ScenePoint tip, double angle, double size) {
  SceneMarker m;
  m.Code = code;
  m.Tip = tip;
  m.Angle = angle;
  m.Size = size;
  const Frame f = FrameAt(tip, angle);
  switch (code) {
    case 1:  // blank arrow: hides the line inside it
      m.Paths.push_back(Arrowhead(f, size, true, SceneFill::Paper));
      break;
    case 6:  // filled arrow
      m.Paths.push_back(Arrowhead(f, size, true, SceneFill::Ink));
      break;
    case 9:  // open arrow: two strokes
      m.Paths.push_back(Arrowhead(f, size, false, SceneFill::None));
      break;
    case 11:  // unfilled arrow: the line shows through
      m.Paths.push_back(Arrowhead(f, size, true, SceneFill::None));
      break;
    case 2:  // blank box
      m.Paths.push_back(Box(f, size, SceneFill::Paper));
      break;
    case 5:  // filled box
      m.Paths.push_back(Box(f, size, SceneFill::Ink));
      break;
    case 3:  // blank dot
      m.Ellipses.push_back(SceneEllipse{tip, size / 2, SceneFill::Paper});
      break;
    case 4:  // dimension origin: a ring
      m.Ellipses.push_back(SceneEllipse{tip, size / 2, SceneFill::None});
      break;
    case 7:  // filled dot
      m.Ellipses.push_back(SceneEllipse{tip, size / 2, SceneFill::Ink});
      break;
    case 8:
      m.Paths.push_back(Integral(f, size));
      break;
    case 10:  // slash, rising to the right when the line runs right
      m.Paths.push_back(ScenePath{{f.At(-size / 2, -size / 2), f.At(size / 2, size / 2)}});
      break;
    default:
      // Any other code is drawn by Jw_cad as its own point; a dot stands for it.
      m.Ellipses.push_back(SceneEllipse{tip, 1.5, SceneFill::Ink});
      break;
  }
  return m;
}
