// TForm1's whole row (t408a.bat): the plan of the row OK would add, and what
// the strip says about it. OK itself, the save and the close are
// form1_ok.cpp's, shared with the single dimension.

#include <string>

#include "host/data_model.h"
#include "tool/form1.h"
#include "tool/ui_texts.h"
#include "tool/value_text.h"

void TForm1::PlanRow(OkPlan& plan) {
  const DataModel& m = gDataModel;
  // Without picked point 1 there is no place for the dimension line; (0, 0)
  // would put it anywhere.
  if (m.PickedPoints.size() <= 1 || !m.PickedPoints[1].IsSet) {
    plan.Outcome = OkOutcome::NoLinePoint;
    return;
  }
  const Point linePoint{m.PickedPoints[1].X, m.PickedPoints[1].Y};
  const DialogValues& v = plan.Values;
  const RowPositions& positions =
      RowPositionsFor(SmallestShownLength(ValueTextSettingsOf(v).Unit, v.PrecisionIndex));
  if (!positions.AllFinite) {
    plan.Outcome = OkOutcome::TooLarge;
    return;
  }
  if (positions.MeasurePoints.size() < 2) {
    plan.Outcome = OkOutcome::TooFewPositions;
    return;
  }
  RowDrawing drawing;
  drawing.MeasurePoints = positions.MeasurePoints;
  drawing.LinePoint = linePoint;
  drawing.AxisAngle = m.AxisAngle;
  drawing.LayerScale = m.LayerGroupScale[m.CurLayerGroup];
  drawing.ValueTextStyle = ResolveValueTextType(v.TextTypeChoice, m);
  plan.Row = RowFor(drawing, v);
  // Jw_cad cannot draw at an infinite place, and t407.dat would keep it.
  if (!IsFinite(*plan.Row)) {
    plan.Outcome = OkOutcome::TooLarge;
    return;
  }
  plan.NewReference = plan.Row->NewReference;
  plan.Outcome = OkOutcome::Added;
}

const RowPositions& TForm1::RowPositionsFor(double step) {
  if (!rowPositions_ || rowPositions_->Step != step) {
    const DataModel& m = gDataModel;
    RowRules rules;
    rules.AxisAngle = m.AxisAngle;
    rules.LinePoint = Point{m.PickedPoints[1].X, m.PickedPoints[1].Y};
    rules.Step = step;
    rowPositions_ = CachedPositions{step, FindRowPositions(m, rules)};
  }
  return rowPositions_->Positions;
}

std::shared_ptr<const DimensionRow> TForm1::RowFor(const RowDrawing& drawing,
                                                   const DialogValues& values) {
  // The drawing follows from the values alone: the positions from their
  // step, the line point and the scale from the exchange file.
  if (!row_ || row_->Values != values) {
    row_ = CachedRow{values,
                     std::make_shared<const DimensionRow>(ComputeDimensionRow(drawing, values))};
  }
  return row_->Row;
}

PreviewScene TForm1::RowPreview(const OkPlan& plan, const StripSize& strip) const {
  return DrawRowPreview(*plan.Row, plan.Values, strip);
}
