#pragma once
// The one line the band above the preview strip (LabelA1) says: what OK
// would add and where, or what a refused value has to be.

#include <optional>
#include <string_view>

#include "tool/dialog_values.h"
#include "tool/dimension_figure.h"
#include "tool/dimension_row.h"
#include "tool/preview_scene.h"

// The value and the side of the reference it goes on, as the strip shows
// them (its frame runs along the axis angle), the markers' outward turn, and
// a chain that will not lie in line; the value text is shortened in its
// middle when the line would not fit `strip`'s width.
SceneMessage DescribeAddition(const DimensionFigure& figure, const DimensionDrawing& drawing,
                              const StripSize& strip);

// A row: how many dimensions and the length of the whole row, written as
// `values` write a value (without the prefix and suffix of each).
SceneMessage DescribeRow(const DimensionRow& row, const DialogValues& values,
                         const StripSize& strip);

// A value that fails its check, named `name`: a number, with the text exactly
// as typed and what `accepted` holds; or, without `accepted`, a list with no
// item chosen.
SceneMessage DescribeRefusedValue(std::string_view name,
                                  const std::optional<AcceptedRange>& accepted,
                                  std::string_view typed);
