#include "tool/form1.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "host/data_model.h"
#include "host/durable_file.h"
#include "host/exchange_reader.h"
#include "host/output_writer.h"
#include "tool/dimension_output.h"
#include "tool/file_messages.h"
#include "tool/settings_file.h"
#include "tool/ui_texts.h"
#include "util/geometry.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

bool IsFinite(Point p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

bool IsFinite(const ReferenceDimension& r) {
  return IsFinite(r.Start) && IsFinite(r.End) && IsFinite(r.LinePoint);
}

// Lines 1-2 and 23-31 of t407.dat, which belong to fields of the window
// rather than to controls: its position and the reference dimension.
struct FieldLine {
  int Line;
  void (*Read)(TForm1& form, const std::string& text);
  std::string (*Write)(const TForm1& form);
};

// A reference scale not above this is no scale at all and reads as 1.
constexpr double kSmallestReferenceScale = 1e-10;

// One coordinate of a reference point, written by the shared number rule.
template <Point TForm1::*point, double Point::*axis>
constexpr FieldLine Coordinate(int line) {
  return {line, [](TForm1& f, const std::string& text) { (f.*point).*axis = TextToReal(text); },
          [](const TForm1& f) { return RealToText((f.*point).*axis); }};
}

// Lines 23 to 25 are written from the data model, not from the fields they
// are read into: they describe the dimension just drawn, in the layer group
// it was drawn in.
constexpr FieldLine kFieldLines[] = {
    {1, [](TForm1& f, const std::string& text) { f.SavedLeft = TextToInteger(text); },
     [](const TForm1& f) { return IntegerToText(f.SavedLeft); }},
    {2, [](TForm1& f, const std::string& text) { f.SavedTop = TextToInteger(text); },
     [](const TForm1& f) { return IntegerToText(f.SavedTop); }},
    {23,
     [](TForm1& f, const std::string& text) {
       const int group = TextToInteger(text);
       f.ReferenceLayerGroup = (group < 0 || group > 15) ? 0 : group;
     },
     [](const TForm1&) { return IntegerToText(gDataModel.CurLayerGroup); }},
    {24,
     [](TForm1& f, const std::string& text) {
       const double scale = TextToReal(text);
       f.ReferenceScale = scale <= kSmallestReferenceScale ? 1.0 : scale;
     },
     [](const TForm1&) {
       const DataModel& m = gDataModel;
       return RealToText(m.LayerGroupScale[m.CurLayerGroup]);
     }},
    {25, [](TForm1& f, const std::string& text) { f.ReferenceAxisAngle = TextToReal(text); },
     [](const TForm1&) { return RealToText(gDataModel.AxisAngle); }},
    Coordinate<&TForm1::ReferenceStart, &Point::X>(26),
    Coordinate<&TForm1::ReferenceStart, &Point::Y>(27),
    Coordinate<&TForm1::ReferenceEnd, &Point::X>(28),
    Coordinate<&TForm1::ReferenceEnd, &Point::Y>(29),
    Coordinate<&TForm1::ReferenceLinePoint, &Point::X>(30),
    Coordinate<&TForm1::ReferenceLinePoint, &Point::Y>(31),
};

const FieldLine* FieldOnLine(int line) {
  for (const FieldLine& field : kFieldLines) {
    if (field.Line == line) return &field;
  }
  return nullptr;
}

}  // namespace

std::string DefaultSettingsLine(int line) {
  if (line == 1 || line == 2) return IntegerToText(kDefaultWindowPosition);
  const DialogValueRow* value = DialogValueOnLine(line);
  return value != nullptr ? DefaultSettingsText(*value) : std::string();
}

TForm1::TForm1(FormToolkit& toolkit) : toolkit_(toolkit) {}

// ---- Start-up and close ---------------------------------------------------

void TForm1::FormShow() {
  started_ = true;
  ReadInputFiles();
  const std::string failure = InputFailureMessage(kNothingAdded);
  if (failure.empty() && ReferenceLayerGroup != -1) {
    toolkit_.MoveWindow(SavedLeft, SavedTop);
    previewing_ = true;
    ValuesChanged();
    return;
  }
  startRefused_ = true;
  // Without t407.dat, t407 has never run: there is no reference to add to.
  Refuse(failure.empty() ? std::string(kMessageNoSettingsFile) : failure);
  RequestClose();
}

void TForm1::ReadInputFiles() {
  ResetDataModel();
  ProgramFolder = toolkit_.ProgramFolder();
  ReadExchangeFile(ProgramFolder / kExchangeFileName, &exchangeFailure_);
  ResetOutputState();
  FillTextTypeList();
  LoadSettings(ProgramFolder / kSettingsFileName);
}

std::string TForm1::InputFailureMessage(std::string_view notDone) const {
  // Going on with half of what Jw_cad passed, or with a reference half read,
  // would draw in the wrong place and then save that as the reference.
  if (exchangeFailure_ != FileFailure::None && exchangeFailure_ != FileFailure::Missing) {
    return FileMessage(kExchangeFileName, FileAction::Read, exchangeFailure_, notDone);
  }
  if (settingsFailure_ != FileFailure::None && settingsFailure_ != FileFailure::Missing) {
    return FileMessage(kSettingsFileName, FileAction::Read, settingsFailure_, notDone);
  }
  return std::string();
}

void TForm1::Refuse(std::string_view message) {
  refusalMessage_ = std::string(message);
  toolkit_.ShowMessage(message);
}

void TForm1::FormClose() {
  if (closed_) return;
  closed_ = true;
  closing_ = true;
  FileFailure failure = FileFailure::None;
  exchangeWritten_ = WriteExchangeFile(ProgramFolder / kExchangeFileName, &failure);
  if (!exchangeWritten_) ReportUndeliveredCommands(failure);
  FreeDataModel();
}

void TForm1::ReportUndeliveredCommands(FileFailure failure) {
  const DataModel& m = gDataModel;
  const bool hadCommands = !m.OutputLines.empty();
  std::string message = FileMessage(kExchangeFileName, FileAction::Save, failure,
                                    settingsBackup_.Armed ? settingsBackup_.NotDone : "");
  // The commands that go with the new t407.dat never reach Jw_cad: the
  // reference goes back to the last dimension really drawn.
  if (settingsBackup_.Armed) {
    const FileFailure restored = RestoreSettings();
    if (restored != FileFailure::None) {
      message += kSettingsNotRestored;
      message += FailureReason(restored, FileAction::Save);
      message += kFileReasonClose;
    }
  }
  refusalMessage_ = message;
  // Nothing is lost when all there was to write was "hq".
  if (hadCommands) toolkit_.ShowMessage(message);
  // What Jw_cad may still be told, should a short file fit where the
  // commands did not: the reason, or that nothing was done.
  gDataModel.OutputLines.clear();
  if (failuresForJwCad_) AddOutputLine("he" + message);
  WriteExchangeFile(ProgramFolder / kExchangeFileName);
}

void TForm1::Button2Click() {
  if (TakesClicks()) RequestClose();
}

void TForm1::RequestClose() {
  closing_ = true;
  toolkit_.RequestClose();
}

void TForm1::FillTextTypeList() {
  const DataModel& m = gDataModel;
  toolkit_.ClearItems(ControlId::ComboBox3);
  std::string current(kTextTypeCurrentOpen);
  if (m.CurTextType == 0) {
    current += "Free)";
  } else {
    current += "No" + IntegerToText(m.CurTextType) + ")";
  }
  toolkit_.AddItem(ControlId::ComboBox3, current);
  for (int n = 1; n <= 10; ++n) {
    const TextTypeRecord& t = m.TextTypeTable[n];
    toolkit_.AddItem(ControlId::ComboBox3, "No" + IntegerToText(n) + ": W" + RealToText(t.Width) +
                                               " H" + RealToText(t.Height) + " D" +
                                               RealToText(t.Spacing));
  }
}

// ---- t407.dat ----------------------------------------------------------------

void TForm1::ApplySettingsLine(int line, const std::string& text) {
  if (const FieldLine* field = FieldOnLine(line)) {
    field->Read(*this, text);
  } else if (const DialogValueRow* value = DialogValueOnLine(line)) {
    ApplySettingsText(toolkit_, *value, text);
  }
}

void TForm1::LoadSettings(const std::filesystem::path& path) {
  SavedLeft = kDefaultWindowPosition;
  SavedTop = kDefaultWindowPosition;
  ReferenceLayerGroup = -1;
  ReferenceScale = 1.0;
  ReferenceAxisAngle = 0;
  ReferenceStart = Point{};
  ReferenceEnd = Point{};
  ReferenceLinePoint = Point{};
  loadedSettingsLines_.clear();
  loadedLineCount_ = 0;
  settingsFailure_ = FileFailure::Missing;
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return;
  if (!std::filesystem::is_regular_file(status)) {
    settingsFailure_ = FileFailure::NotAFile;
    return;
  }
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) {
    settingsFailure_ =
        FailureOf(std::error_code(errno, std::generic_category()), FileFailure::ReadError);
    return;
  }
  settingsFailure_ = FileFailure::None;
  SettingsLineReader reader(StreamSource(file));
  std::string text;
  for (int line = 1; line <= kSettingsLineCount; ++line) {
    // A line past the end reads as empty; a read error stops applying, so
    // everything after keeps its default.
    const SettingsLineStatus read = reader.ReadLine(text);
    if (read == SettingsLineStatus::Failed) {
      settingsFailure_ = FileFailure::ReadError;
      break;
    }
    if (read == SettingsLineStatus::Read) ++loadedLineCount_;
    ApplySettingsLine(line, text);
    loadedSettingsLines_.push_back(text);
  }
}

std::string TForm1::SettingsLineText(int line) {
  if (const FieldLine* field = FieldOnLine(line)) return field->Write(*this);
  const DialogValueRow* value = DialogValueOnLine(line);
  return value != nullptr ? SettingsText(toolkit_, *value) : std::string();
}

std::vector<std::string> TForm1::SettingsLines() {
  std::vector<std::string> lines;
  lines.reserve(kSettingsLineCount);
  for (int line = 1; line <= kSettingsLineCount; ++line) lines.push_back(SettingsLineText(line));
  return lines;
}

FileFailure TForm1::WriteSettingsLines(const std::filesystem::path& path,
                                       const std::vector<std::string>& lines) {
  // What the file holds now is kept, to be put back should this run's
  // commands not reach Jw_cad; a file that cannot be read could not be.
  std::string before;
  const FileFailure read = ReadFileBytes(path, before);
  if (read != FileFailure::None && read != FileFailure::Missing) return read;
  // Written whole or not at all: a failed save keeps the previous t407.dat,
  // which t407 shares, rather than leaving none.
  const FileFailure written = ReplaceFileDurably(path, FormatSettingsLines(lines));
  if (written == FileFailure::None) {
    settingsBackup_ = SettingsBackup{};
    settingsBackup_.Path = path;
    settingsBackup_.Existed = read == FileFailure::None;
    settingsBackup_.Bytes = std::move(before);
  }
  return written;
}

FileFailure TForm1::RestoreSettings() {
  const SettingsBackup& b = settingsBackup_;
  if (b.Existed) return ReplaceFileDurably(b.Path, b.Bytes);
  std::error_code ec;
  std::filesystem::remove(b.Path, ec);
  return FailureOf(ec, FileFailure::WriteError);
}

FileFailure TForm1::SaveSettings(const std::filesystem::path& path) {
  return WriteSettingsLines(path, SettingsLines());
}

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
  const Placement& placement = plan.Drawing.Geometry;
  switch (plan.Outcome) {
    case OkOutcome::CheckFailed:
      lastOkOutcome_ = OkOutcome::CheckFailed;
      failedControl_ = plan.FailedControl;
      refusalMessage_ = CheckFailureMessage(plan).Before;
      toolkit_.SetFocus(plan.FailedControl);
      return;
    case OkOutcome::Inside:
      lastOkOutcome_ = OkOutcome::Inside;
      Refuse(kMessageInsideReference);
      RequestClose();
      return;
    case OkOutcome::TooLarge:
      lastOkOutcome_ = OkOutcome::TooLarge;
      Refuse(kMessageTooLarge);
      return;
    default:
      break;
  }

  const ReferenceDimension loaded{ReferenceStart, ReferenceEnd, ReferenceLinePoint};
  ReferenceStart = placement.NewReference.Start;
  ReferenceEnd = placement.NewReference.End;
  ReferenceLinePoint = placement.NewReference.LinePoint;
  if (const FileFailure saved = SaveSettings(ProgramFolder / kSettingsFileName);
      saved != FileFailure::None) {
    ReferenceStart = loaded.Start;
    ReferenceEnd = loaded.End;
    ReferenceLinePoint = loaded.LinePoint;
    lastOkOutcome_ = OkOutcome::SaveFailed;
    // Nothing is drawn that t407.dat would not know of: the next run would
    // chain from the old reference and draw over this dimension.
    Refuse(FileMessage(kSettingsFileName, FileAction::Save, saved, kNothingAdded));
    RequestClose();
    return;
  }

  if (plan.Outcome == OkOutcome::ZeroLength) {
    lastOkOutcome_ = OkOutcome::ZeroLength;
    Refuse(kMessageZeroLength);
    return;
  }

  toolkit_.SetStatus(kStatusWorking);
  EmitDimensionFigure(plan.Figure);
  settingsBackup_.Armed = true;
  settingsBackup_.NotDone = kNothingAdded;
  toolkit_.SetStatus(kStatusWritingFile);
  lastOkOutcome_ = OkOutcome::Added;
  RequestClose();
}

// ---- The preview ----------------------------------------------------------------

namespace {

SceneMessage Said(std::string_view text) {
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
      return RefusalPreview(CheckFailureMessage(plan), strip);
    case OkOutcome::Inside:
      return RefusalPreview(Said(kMessageInsideReference), strip);
    case OkOutcome::TooLarge:
      return RefusalPreview(Said(kMessageTooLarge), strip);
    case OkOutcome::ZeroLength:
      return RefusalPreview(Said(kMessageZeroLength), strip);
    default:
      return DrawPreview(plan.Figure, plan.Drawing, strip);
  }
}

void TForm1::ValuesChanged() {
  if (previewing_ && !closing_) toolkit_.ShowPreview(Preview());
}

// ---- Taking a reference -----------------------------------------------------------

namespace {

// The last line of t407.dat that belongs to the dialog and the window rather
// than to the reference.
constexpr int kLastDialogLine = 22;

}  // namespace

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
  // The text-type list has no selection of its own before t407.dat gives it
  // one; a new file names the current text type, so the next pass can run.
  if (!existed && toolkit_.ItemIndex(ControlId::ComboBox3) < 0) {
    toolkit_.SetItemIndex(ControlId::ComboBox3, 0);
  }
  std::vector<std::string> lines = SettingsLines();
  if (existed) {
    // The dialog's settings and the window position stay exactly as the user
    // (or t407) left them; the lines the file does not have get the dialog's
    // defaults, as in a new file.
    for (int line = 1; line <= kLastDialogLine; ++line) {
      const std::size_t i = static_cast<std::size_t>(line - 1);
      lines[i] = line <= loadedLineCount_ ? loadedSettingsLines_[i] : DefaultSettingsLine(line);
    }
  }
  if (const FileFailure saved = WriteSettingsLines(path, lines); saved != FileFailure::None) {
    refusalMessage_ = FileMessage(kSettingsFileName, FileAction::Save, saved, kReferenceNotTaken);
    return ReferenceOutcome::FileFailed;
  }
  settingsBackup_.Armed = true;
  settingsBackup_.NotDone = kReferenceNotTaken;
  return ReferenceOutcome::Taken;
}
