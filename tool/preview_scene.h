#pragma once
// The picture in the strip at the bottom of the dialog: the dimension OK
// would add, drawn in the axis frame (its dimension line horizontal) and
// fitted to the strip, beside the end of the reference it chains from, with
// the picked point marked; or, when OK would refuse, the refusal's text. All
// in strip pixels (x right, y down): the window only paints it.

#include <optional>
#include <string>
#include <vector>

#include "tool/dimension_figure.h"

struct ScenePoint {
  double X = 0, Y = 0;
};

// What a stroke or a shape belongs to; the window picks the colour.
enum class SceneInk {
  Dimension,  // the new dimension: black
  Figure,     // the line and value of a dimension figure, one object: blue
  Reference,  // the reference it chains from: grey
  Picked,     // the picked point: red
};

// What a line of the scene stands for.
enum class SceneLineRole {
  Extension,   // an extension line
  Dimension,   // the dimension line (or the dimension figure's line)
  Overshoot,   // the dimension line run on past a reversed marker
  Stroke,      // a stroke of a line arrow
  Reference,   // the reference's dimension line and extension line
  PickedMark,  // the cross on the picked point
};

struct SceneLine {
  ScenePoint From, To;
  SceneInk Ink = SceneInk::Dimension;
  SceneLineRole Role = SceneLineRole::Dimension;
};

enum class SceneFill {
  None,   // outline only: what lies behind shows through
  Ink,    // filled in the outline's colour
  Paper,  // filled in the strip's background: hides what lies behind
};

// A polygon or a polyline of a marker shape.
struct ScenePath {
  std::vector<ScenePoint> Points;
  bool Closed = false;
  SceneFill Fill = SceneFill::None;
};

struct SceneEllipse {
  ScenePoint Centre;
  double Radius = 0;
  SceneFill Fill = SceneFill::None;
};

// A point marker Jw_cad draws from its code, with the shape that stands for it.
struct SceneMarker {
  int Code = 0;
  ScenePoint Tip;
  double Angle = 0;  // degrees in the strip, counter-clockwise, 0 pointing right
  double Size = 0;   // pixels along the dimension line
  std::vector<ScenePath> Paths;
  std::vector<SceneEllipse> Ellipses;
};

// The value text: its Shift-JIS bytes as OK writes them, its start point
// (the left end of its baseline when it reads left to right), its character
// height and its direction.
struct SceneText {
  std::string Text;
  SceneInk Ink = SceneInk::Dimension;
  ScenePoint Anchor;
  double Height = 0;
  double Angle = 0;  // degrees in the strip, counter-clockwise
};

// How a drawing coordinate becomes a strip pixel: turned by minus the axis
// angle about `Origin`, scaled by ScaleX along the dimension and by ScaleY
// across it, and placed so that `Origin` lands on (OffsetX, OffsetY).
struct SceneTransform {
  Point Origin;
  double AxisAngle = 0;
  double ScaleX = 1, ScaleY = 1;
  double OffsetX = 0, OffsetY = 0;

  ScenePoint Apply(Point drawing) const;
};

// A line of text: Shift-JIS, with one character that has no Shift-JIS code
// between Before and After when a refusal names one.
struct SceneMessage {
  std::string Before;
  std::optional<char32_t> Character;
  std::string After;
};

struct PreviewScene {
  int Width = 0, Height = 0;
  int FontHeight = 13;                  // the dialog's font, which the messages are written in
  std::optional<SceneMessage> Message;  // set: a refusal, and nothing else is drawn
  SceneTransform Transform;
  std::vector<SceneLine> Lines;
  std::vector<SceneMarker> Markers;
  std::optional<SceneText> Text;
  // One line saying what would be added, or the refusal: what a screen reader
  // announces.
  SceneMessage Description;
};

// The strip's size and the dialog's font height, in pixels.
struct StripSize {
  int Width = 492;
  int Height = 65;
  int FontHeight = 13;
};

// The scene of an accepted dimension.
PreviewScene DrawPreview(const DimensionFigure& figure, const DimensionDrawing& drawing,
                         const StripSize& strip);

// The scene of a refusal.
PreviewScene RefusalPreview(const SceneMessage& message, const StripSize& strip);

// The scene as text, one element a line, pixels to two decimals: what the
// golden scenes in examples/expected/ hold.
std::string FormatScene(const PreviewScene& scene);
