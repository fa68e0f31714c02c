// The preview's scene as text: what the golden scenes in examples/expected/
// hold, one element a line.

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "tool/preview_scene.h"

namespace {

// Pixels (and drawing units) to two decimals.
std::string Number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.2f", std::fabs(v) < 0.005 ? 0.0 : v);
  return text;
}

// Pixels for a drawing unit: small, and worth its digits.
std::string ScaleText(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6g", v);
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
    case SceneLineRole::Break:
      return "break";
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
  line({"scene", std::to_string(scene.Width), std::to_string(scene.Height), "dpi",
        std::to_string(scene.Dpi)});
  if (scene.Message) {
    line({"message", MessageText(*scene.Message)});
    line({"says", MessageText(scene.Description)});
    return out;
  }
  const SceneTransform& t = scene.Transform;
  std::string transform = "transform axis " + Number(t.AxisAngle) + " scale " + ScaleText(t.Scale);
  if (t.Break) {
    transform += " break " + Number(t.Break->From) + " " + Number(t.Break->To) + " gap " +
                 Number(t.Break->Gap);
  }
  line({transform});
  const SceneRect& in = scene.Inside;
  line({"inside", Number(in.Left), Number(in.Top), Number(in.Right), Number(in.Bottom),
        "line-width", Number(scene.LineWidth)});
  for (const SceneLine& l : scene.Lines) {
    const std::string role =
        std::string(l.Ink == SceneInk::Figure ? "figure " : "") + RoleName(l.Role);
    line({"line", role, PointText(l.From), PointText(l.To)});
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
  for (const SceneText& text : scene.Texts) {
    line({"text at", PointText(text.Anchor), "height", Number(text.Height), "width",
          Number(text.Width), "length", Number(text.Length), "angle", Number(text.Angle),
          "\"" + text.Text});
  }
  line({"says", MessageText(scene.Description)});
  return out;
}
