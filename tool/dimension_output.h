#pragma once
// The output commands of the added dimensions, appended through the emitters
// of host/output_writer.h in Jw_cad's expected order: attributes, then for
// each dimension its extension lines, dimension line and value (or a
// dimension figure) and end markers, and last the restore of the host's text
// type. One dimension or a row: the same code writes both. The geometry is
// tool/dimension_figure.h's.

#include <span>
#include <string>

#include "tool/dimension_figure.h"

// Every command of computed dimensions: the drawing's current attributes
// once, the pieces of each dimension in order (its extension lines, the
// dimension line and value or a dimension figure, its end markers), and once
// the restore of Jw_cad's own text type.
void EmitDimensions(std::span<const DimensionFigure> figures);
// The same for one dimension.
void EmitDimensionFigure(const DimensionFigure& figure);
