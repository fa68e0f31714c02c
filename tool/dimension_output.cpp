#include "tool/dimension_output.h"

#include "host/data_model.h"
#include "host/output_writer.h"

namespace {

void EmitSegment(const Segment& s) {
  OutZFlags(kDimensionPieceZFlag);
  OutLine(s.From.X, s.From.Y, s.To.X, s.To.Y);
}

void EmitMarker(const EndMarkerFigure& m) {
  if (m.Overshoot) EmitSegment(*m.Overshoot);
  if (!m.Strokes.empty()) {
    for (const Segment& stroke : m.Strokes) EmitSegment(stroke);
    return;
  }
  OutZFlags(kDimensionPieceZFlag);
  OutPoint(m.PointCode, m.Tip.X, m.Tip.Y, m.PointScale, m.Angle);
}

// The drawing's current attributes, before the first piece.
void EmitAttributes() {
  const DataModel& m = gDataModel;
  OutLayerGroup(m.CurLayerGroup);
  OutLayer(m.CurLayer);
  OutPenColor(m.CurPenColor);
  OutPointColor(m.CurPenColor);  // points take the pen colour too
  OutLineType(m.CurLineType);
  OutLineWidth(m.CurLineWidth);
  OutFontName(m.CurFontName);
}

// One dimension's pieces, each drawn line and point after its "z3": Jw_cad
// keeps them as parts of a dimension.
void EmitDimensionPieces(const DimensionFigure& f) {
  for (const Segment& line : f.ExtensionLines) EmitSegment(line);

  const TextStyle& style = f.Style;
  const Segment& line = f.DimensionLine;
  if (!f.AsDimensionFigure) {
    EmitSegment(line);
    OutTextType(style.Type, style.Color, style.Width, style.Height, style.Spacing);
    OutTextCC(0);
    OutZFlags(kDimensionPieceZFlag);
    OutText(kDimensionValueTextKind, f.ValueText, f.Text.X, f.Text.Y, f.Text.DX, f.Text.DY);
  } else {
    // One dimension figure carries both the line and its value.
    OutTextType(style.Type, style.Color, style.Width, style.Height, style.Spacing);
    OutDimension(f.ValueText, line.From.X, line.From.Y, line.To.X, line.To.Y, f.Text.X, f.Text.Y,
                 f.Text.DX, f.Text.DY);
  }

  EmitMarker(f.Start);
  OutZFlags(kDimensionPieceZFlag);
  EmitMarker(f.End);
}

// Gives Jw_cad its own current text type back (written only when it changed).
void EmitTextTypeRestore() {
  const DataModel& m = gDataModel;
  OutTextType(m.CurTextType, m.CurFreeTextColor, m.CurFreeTextWidth, m.CurFreeTextHeight,
              m.CurFreeTextSpacing);
}

}  // namespace

void EmitDimensions(std::span<const DimensionFigure> figures) {
  EmitAttributes();
  for (const DimensionFigure& figure : figures) EmitDimensionPieces(figure);
  EmitTextTypeRestore();
}

void EmitDimensionFigure(const DimensionFigure& f) { EmitDimensions({&f, 1}); }
