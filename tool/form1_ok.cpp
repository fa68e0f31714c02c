// TForm1's OK: the plan of what OK would do, worked out without doing any of
// it, which both OK and the preview strip follow; and taking a reference.
//
// Sections: OK; the preview; taking a reference.

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "host/data_model.h"
#include "tool/dialog_value_rows.h"
#include "tool/dimension_output.h"
#include "tool/file_messages.h"
#include "tool/form1.h"
#include "tool/preview_band.h"
#include "tool/settings_layout.h"
#include "tool/ui_texts.h"
#include "util/geometry.h"

namespace {

bool IsFinite(Point p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

bool IsFinite(const ReferenceDimension& r) {
  return IsFinite(r.Start) && IsFinite(r.End) && IsFinite(r.LinePoint);
}

// What a refusal says, in a box and in the strip.
std::string_view RefusalText(OkOutcome outcome) {
  switch (outcome) {
    case OkOutcome::Inside:
      return kMessageInsideReference;
    case OkOutcome::NoLinePoint:
      return kMessageNoLinePoint;
    case OkOutcome::TooFewPositions:
      return kMessageTooFewPositions;
    case OkOutcome::TooLarge:
      return kMessageTooLarge;
    case OkOutcome::ZeroLength:
      return kMessageZeroLength;
    default:
      return {};
  }
}

}  // namespace

// ---- OK ------------------------------------------------------------------------

bool TForm1::ReadDialog(DialogValues& values, ControlId& failed) {
  for (const DialogValueRow& row : DialogValueRows()) {
    if (!ReadDialogValue(toolkit_, row, values)) {
      failed = row.Control;
      return false;
    }
  }
  return true;
}

TForm1::OkPlan TForm1::PlanOk() {
  OkPlan plan;
  if (!ReadDialog(plan.Values, plan.FailedControl)) {
    plan.Outcome = OkOutcome::CheckFailed;
    plan.RejectedCharacter = toolkit_.RejectedCharacter(plan.FailedControl);
    return plan;
  }
  if (mode_ == DimensionMode::WholeRow) {
    PlanRow(plan);
    return plan;
  }

  const DataModel& m = gDataModel;
  PlacementInput input;
  input.AxisAngle = m.AxisAngle;
  input.LayerScale = m.LayerGroupScale[m.CurLayerGroup];
  input.ReferenceScale = ReferenceScale;
  input.Reference = ReferenceDimension{ReferenceStart, ReferenceEnd, ReferenceLinePoint};
  // An exchange file without picked point 1 leaves it at (0, 0).
  if (m.PickedPoints.size() > 1) input.Picked = Point{m.PickedPoints[1].X, m.PickedPoints[1].Y};

  plan.Drawing.Geometry = PlaceDimension(input);
  plan.Drawing.AxisAngle = m.AxisAngle;
  plan.Drawing.ReferenceAxisAngle = ReferenceAxisAngle;
  plan.Drawing.LayerScale = input.LayerScale;
  plan.Drawing.ValueTextStyle = ResolveValueTextType(plan.Values.TextTypeChoice, m);
  const Placement& placement = plan.Drawing.Geometry;
  if (placement.Inside) {
    plan.Outcome = OkOutcome::Inside;
    return plan;
  }
  plan.Figure = ComputeDimensionFigure(plan.Drawing, plan.Values);
  // Jw_cad cannot draw at an infinite place, and t407.dat would keep it.
  if (!IsFinite(plan.Figure) || !IsFinite(placement.NewReference)) {
    plan.Outcome = OkOutcome::TooLarge;
    return plan;
  }
  plan.NewReference = placement.NewReference;
  plan.Outcome =
      placement.MeasuredLength < kGeometryTolerance ? OkOutcome::ZeroLength : OkOutcome::Added;
  return plan;
}

SceneMessage TForm1::CheckFailureMessage(const OkPlan& plan) const {
  const DialogValueRow* row = FindDialogValue(plan.FailedControl);
  SceneMessage message;
  message.Before = std::string(kInvalidValueOpen);
  if (row != nullptr) message.Before += row->MessageName;
  if (!plan.RejectedCharacter) {
    message.Before += kInvalidValueClose;
    return message;
  }
  message.Before += kRejectedCharacterMiddle;
  message.After = std::string(kRejectedCharacterClose);
  const char32_t c = *plan.RejectedCharacter;
  // A control character shows nothing of itself: it is named.
  if (c < 0x20 || c == 0x7F) {
    char name[16];
    std::snprintf(name, sizeof name, c == '\t' ? "TAB" : "U+%04X", static_cast<unsigned>(c));
    message.Before += name;
  } else {
    message.Character = c;
  }
  return message;
}

void TForm1::Button1Click() {
  if (!TakesClicks()) return;
  SavedLeft = toolkit_.WindowLeft();
  SavedTop = toolkit_.WindowTop();

  const OkPlan plan = PlanOk();
  if (RefusedBeforeSaving(plan)) return;
  if (!SaveForOk(plan)) return;
  if (plan.Outcome == OkOutcome::ZeroLength) {
    lastOkOutcome_ = OkOutcome::ZeroLength;
    Refuse(RefusalText(plan.Outcome));
    return;
  }

  toolkit_.SetStatus(kStatusWorking);
  if (mode_ == DimensionMode::WholeRow) {
    EmitDimensions(plan.Row->Figures);
  } else {
    EmitDimensionFigure(plan.Figure);
  }
  toolkit_.SetStatus(kStatusWritingFile);
  lastOkOutcome_ = OkOutcome::Added;
  RequestClose();
}

bool TForm1::RefusedBeforeSaving(const OkPlan& plan) {
  switch (plan.Outcome) {
    case OkOutcome::CheckFailed:
      lastOkOutcome_ = OkOutcome::CheckFailed;
      failedControl_ = plan.FailedControl;
      refusalMessage_ = CheckFailureMessage(plan).Before;
      toolkit_.SetFocus(plan.FailedControl);
      return true;
    // Nothing in the dialog could change these: the window closes.
    case OkOutcome::Inside:
    case OkOutcome::NoLinePoint:
      lastOkOutcome_ = plan.Outcome;
      Refuse(RefusalText(plan.Outcome));
      RequestClose();
      return true;
    // The values may: the window stays open. (A row's places merge by the
    // precision the value is shown at.)
    case OkOutcome::TooLarge:
    case OkOutcome::TooFewPositions:
      lastOkOutcome_ = plan.Outcome;
      Refuse(RefusalText(plan.Outcome));
      return true;
    default:
      return false;
  }
}

bool TForm1::SaveForOk(const OkPlan& plan) {
  ReferenceStart = plan.NewReference.Start;
  ReferenceEnd = plan.NewReference.End;
  ReferenceLinePoint = plan.NewReference.LinePoint;
  // The new t407.dat is made ready now and put in place by the close, right
  // before JWC_TEMP.TXT. A dimension of length 0 draws nothing to go with it:
  // its t407.dat is put in place at once.
  const std::filesystem::path path = ProgramFolder / kSettingsFileName;
  FileFailure saved = PrepareSettings(path, SettingsLines(), kNothingAdded);
  if (saved == FileFailure::None && plan.Outcome == OkOutcome::ZeroLength) {
    saved = PutSettingsInPlace();
  }
  if (saved == FileFailure::None) return true;
  lastOkOutcome_ = OkOutcome::SaveFailed;
  // Nothing is drawn that t407.dat would not know of: the next run would
  // chain from the old reference and draw over this dimension.
  Refuse(FileMessage(kSettingsFileName, FileAction::Save, saved, kNothingAdded));
  RequestClose();
  return false;
}

// ---- The preview ----------------------------------------------------------------

namespace {

SceneMessage MessageOf(std::string_view text) {
  SceneMessage message;
  message.Before = std::string(text);
  return message;
}

}  // namespace

PreviewScene TForm1::Preview() {
  const StripSize strip = toolkit_.PreviewSize();
  const OkPlan plan = PlanOk();
  switch (plan.Outcome) {
    case OkOutcome::CheckFailed:
      return RefusalPreview(CheckFailureMessage(plan), strip, RefusedValueLine(plan));
    case OkOutcome::Added:
      if (mode_ == DimensionMode::WholeRow) return RowPreview(plan, strip);
      return DrawPreview(plan.Figure, plan.Drawing, strip);
    default:
      return RefusalPreview(MessageOf(RefusalText(plan.Outcome)), strip,
                            MessageOf(RefusalText(plan.Outcome)));
  }
}

SceneMessage TForm1::RefusedValueLine(const OkPlan& plan) {
  const DialogValueRow* row = FindDialogValue(plan.FailedControl);
  // A text refused for a character names that character, as OK does.
  if (row == nullptr || row->Form == ValueForm::Text) return CheckFailureMessage(plan);
  if (row->Form != ValueForm::Number) return DescribeRefusedValue(row->MessageName, {}, "");
  return DescribeRefusedValue(row->MessageName, row->Accepted, toolkit_.Text(row->Control));
}

void TForm1::ValuesChanged() {
  if (previewing_ && !closing_) toolkit_.ShowPreview(Preview());
}

// ---- Taking a reference -----------------------------------------------------------

ReferenceOutcome TForm1::TakeReference() {
  const DataModel& m = gDataModel;
  // Writing over a t407.dat that could not be read would lose the user's
  // settings, and t407's; points from a JWC_TEMP.TXT read only in part may
  // be the wrong ones.
  if (const std::string failure = InputFailureMessage(kReferenceNotTaken); !failure.empty()) {
    refusalMessage_ = failure;
    return ReferenceOutcome::FileFailed;
  }
  for (int n = 1; n <= 3; ++n) {
    if (m.PickedPoints.size() <= static_cast<std::size_t>(n) || !m.PickedPoints[n].IsSet) {
      refusalMessage_ = std::string(kMessageReferencePointsMissing);
      return ReferenceOutcome::PointsMissing;
    }
  }
  const auto picked = [&](int n) { return Point{m.PickedPoints[n].X, m.PickedPoints[n].Y}; };
  if (!SpansAlongAxis(picked(1), picked(2), m.AxisAngle)) {
    refusalMessage_ = std::string(kMessageReferenceNoLength);
    return ReferenceOutcome::NoLength;
  }

  ReferenceStart = picked(1);
  ReferenceEnd = picked(2);
  ReferenceLinePoint = picked(3);
  const std::filesystem::path path = ProgramFolder / kSettingsFileName;
  const bool existed = settingsFailure_ == FileFailure::None;
  SelectTextTypeForNewSettings();
  std::vector<std::string> lines = SettingsLines();
  if (existed) {
    // The dialog's settings and the window position stay exactly as the user
    // (or t407) left them; the lines the file does not have get the dialog's
    // defaults, as in a new file.
    for (const SettingsLineRow& row : kSettingsLines) {
      if (row.Owner == SettingsOwner::Reference) continue;
      const int line = static_cast<int>(row.Line);
      const std::size_t i = static_cast<std::size_t>(line - 1);
      lines[i] = line <= loadedLineCount_ ? loadedSettingsLines_[i] : DefaultSettingsLine(line);
    }
  }
  if (const FileFailure saved = PrepareSettings(path, lines, kReferenceNotTaken);
      saved != FileFailure::None) {
    refusalMessage_ = FileMessage(kSettingsFileName, FileAction::Save, saved, kReferenceNotTaken);
    return ReferenceOutcome::FileFailed;
  }
  return ReferenceOutcome::Taken;
}
