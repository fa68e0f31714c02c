#pragma once
// The picture in the strip at the bottom of the dialog: the dimension OK
// would add, drawn in the axis frame (its dimension line horizontal) at one
// scale both ways, beside the end of the reference it chains from, with the
// picked point marked; or, when OK would refuse, the refusal's text. A long
// dimension is drawn broken in the middle, its two ends and its value at a
// legible zoom. All in strip pixels (x right, y down): the window only
// paints it.

#include <optional>
#include <string>
#include <vector>

#include "tool/dialog_values.h"
#include "tool/dimension_figure.h"
#include "tool/dimension_row.h"

struct ScenePoint {
  double X = 0, Y = 0;
};

struct SceneRect {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
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
  PickedMark,  // the cross on the picked point, or the arrow towards it
  Break,       // the break mark of a dimension drawn broken: not drawn by OK
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

// One character of the value text: its Shift-JIS bytes and where its cell
// starts, in pixels from the text's anchor along the text's direction.
struct SceneGlyph {
  std::string Bytes;
  double Offset = 0;
};

// The value text: its Shift-JIS bytes as OK writes them, its anchor (the
// bottom left of its first character cell when it reads left to right), its
// characters' height and full-width cell width, and its direction. Every
// size is the text type's, at the scene's scale.
struct SceneText {
  std::string Text;
  SceneInk Ink = SceneInk::Dimension;
  ScenePoint Anchor;
  double Height = 0;
  double Width = 0;   // a full-width character's cell; a half-width one takes half
  double Length = 0;  // the whole run, as OK measures it
  double Angle = 0;   // degrees in the strip, counter-clockwise: 0 or 180
  std::vector<SceneGlyph> Glyphs;
};

// The stretch of the dimension line a broken drawing leaves out: along the
// dimension, in drawing units from the transform's origin, and the pixels
// its break mark takes instead.
struct SceneBreak {
  double From = 0, To = 0;
  double Gap = 0;
};

// How a drawing coordinate becomes a strip pixel: turned by minus the axis
// angle about `Origin`, scaled by `Scale` both ways, and placed so that
// `Origin` lands on (OffsetX, OffsetY). With a break, what lies beyond it
// along the dimension moves in to follow the break mark; what lies within
// it is spread over the mark.
struct SceneTransform {
  Point Origin;
  double AxisAngle = 0;
  double Scale = 1;
  double OffsetX = 0, OffsetY = 0;
  std::optional<SceneBreak> Break;

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
  int Dpi = 96;
  int FontHeight = 13;                  // the dialog's font, which the messages are written in
  std::optional<SceneMessage> Message;  // set: a refusal, and nothing else is drawn
  SceneTransform Transform;
  // Where the middle of every line lies: lines longer are cut at its edge.
  // With half a line's width around it, nothing comes nearer the strip's
  // edge than 3 pixels at 96 DPI.
  SceneRect Inside;
  double LineWidth = 1;  // pixels, with the resolution
  std::vector<SceneLine> Lines;
  std::vector<SceneMarker> Markers;
  std::vector<SceneText> Texts;  // the value texts, one a dimension
  // One line saying what OK would do, or why it would refuse: the band above
  // the strip shows it, and a screen reader announces it.
  SceneMessage Description;
};

// The strip's size, the dialog's font height in pixels and the resolution,
// as the window has them (FormToolkit::PreviewSize).
struct StripSize {
  int Width = 0;
  int Height = 0;
  int FontHeight = 0;
  int Dpi = 96;
};

// The scene of an accepted dimension.
PreviewScene DrawPreview(const DimensionFigure& figure, const DimensionDrawing& drawing,
                         const StripSize& strip);

// The scene of a whole row: all of it, or when that would make its values
// too small to read, broken in the middle with the dimensions at its two
// ends at a legible zoom; the band says how many dimensions and how long
// the row is, written as `values` write a value.
PreviewScene DrawRowPreview(const DimensionRow& row, const DialogValues& values,
                            const StripSize& strip);

// The scene of a refusal: OK's own text in the strip, `description` in the band.
PreviewScene RefusalPreview(const SceneMessage& message, const StripSize& strip,
                            const SceneMessage& description);

// The scene as text, one element a line, pixels to two decimals: what the
// golden scenes in examples/expected/ hold (tool/preview_scene_format.cpp).
std::string FormatScene(const PreviewScene& scene);
