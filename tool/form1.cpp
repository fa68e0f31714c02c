#include "tool/form1.h"

#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "host/atomic_file.h"
#include "host/data_model.h"
#include "host/exchange_reader.h"
#include "host/output_writer.h"
#include "tool/dimension_output.h"
#include "tool/settings_file.h"
#include "tool/ui_texts.h"
#include "util/geometry.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
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

TForm1::TForm1(FormToolkit& toolkit) : toolkit_(toolkit) {}

// ---- Start-up and close ---------------------------------------------------

void TForm1::FormShow() {
  started_ = true;
  ReadInputFiles();
  if (FileExists(ProgramFolder / kSettingsFileName) && ReferenceLayerGroup != -1) {
    toolkit_.MoveWindow(SavedLeft, SavedTop);
    PageAddress = std::string(kPromotionalPageAddress);
    toolkit_.NavigatePage(PageAddress);
    return;
  }
  // t407 has never run: there is no reference dimension to add to.
  startRefused_ = true;
  toolkit_.ShowMessage(kMessageNoSettingsFile);
  RequestClose();
}

void TForm1::ReadInputFiles() {
  ResetDataModel();
  ProgramFolder = toolkit_.ProgramFolder();
  ReadExchangeFile(ProgramFolder / kExchangeFileName);
  ResetOutputState();
  FillTextTypeList();
  LoadSettings(ProgramFolder / kSettingsFileName);
}

void TForm1::FormClose() {
  if (closed_) return;
  closed_ = true;
  closing_ = true;
  WriteExchangeFile(ProgramFolder / kExchangeFileName);
  FreeDataModel();
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
  SavedLeft = 100;
  SavedTop = 100;
  ReferenceLayerGroup = -1;
  ReferenceScale = 1.0;
  ReferenceAxisAngle = 0;
  ReferenceStart = Point{};
  ReferenceEnd = Point{};
  ReferenceLinePoint = Point{};
  loadedSettingsLines_.clear();
  settingsUnreadable_ = false;
  if (!FileExists(path)) return;

  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) {
    settingsUnreadable_ = true;
    return;
  }
  SettingsLineReader reader(StreamSource(file));
  std::string text;
  for (int line = 1; line <= kSettingsLineCount; ++line) {
    // A line past the end reads as empty; a read error stops applying, so
    // everything after keeps its default.
    if (reader.ReadLine(text) == SettingsLineStatus::Failed) {
      settingsUnreadable_ = true;
      break;
    }
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

bool TForm1::WriteSettingsLines(const std::filesystem::path& path,
                                const std::vector<std::string>& lines) {
  // Written whole or not at all: a failed save keeps the previous t407.dat,
  // which t407 shares, rather than leaving none.
  return ReplaceFileAtomically(path, FormatSettingsLines(lines));
}

void TForm1::SaveSettings(const std::filesystem::path& path) {
  WriteSettingsLines(path, SettingsLines());
}

// ---- OK ------------------------------------------------------------------------

bool TForm1::ReadDialog(DialogValues& values) {
  for (const DialogValueRow& row : DialogValueRows()) {
    if (!ReadDialogValue(toolkit_, row, values)) {
      failedControl_ = row.Control;
      toolkit_.SetFocus(row.Control);
      return false;
    }
  }
  return true;
}

void TForm1::Button1Click() {
  if (!TakesClicks()) return;
  SavedLeft = toolkit_.WindowLeft();
  SavedTop = toolkit_.WindowTop();

  DialogValues values;
  if (!ReadDialog(values)) {
    lastOkOutcome_ = OkOutcome::CheckFailed;
    return;
  }

  const DataModel& m = gDataModel;
  PlacementInput input;
  input.AxisAngle = m.AxisAngle;
  input.LayerScale = m.LayerGroupScale[m.CurLayerGroup];
  input.ReferenceScale = ReferenceScale;
  input.Reference = ReferenceDimension{ReferenceStart, ReferenceEnd, ReferenceLinePoint};
  // An exchange file without picked point 1 leaves it at (0, 0).
  if (m.PickedPoints.size() > 1) input.Picked = Point{m.PickedPoints[1].X, m.PickedPoints[1].Y};

  const Placement placement = PlaceDimension(input);
  if (placement.Inside) {
    lastOkOutcome_ = OkOutcome::Inside;
    toolkit_.ShowMessage(kMessageInsideReference);
    RequestClose();
    return;
  }

  ReferenceStart = placement.NewReference.Start;
  ReferenceEnd = placement.NewReference.End;
  ReferenceLinePoint = placement.NewReference.LinePoint;
  SaveSettings(ProgramFolder / kSettingsFileName);

  if (placement.MeasuredLength < kGeometryTolerance) {
    lastOkOutcome_ = OkOutcome::ZeroLength;
    toolkit_.ShowMessage(kMessageZeroLength);
    return;
  }

  toolkit_.SetStatus(kStatusWorking);
  DimensionDrawing drawing;
  drawing.Geometry = placement;
  drawing.AxisAngle = m.AxisAngle;
  drawing.ReferenceAxisAngle = ReferenceAxisAngle;
  drawing.LayerScale = input.LayerScale;
  EmitDimensionCommands(drawing, values);
  toolkit_.SetStatus(kStatusWritingFile);
  lastOkOutcome_ = OkOutcome::Added;
  RequestClose();
}

// ---- Taking a reference -----------------------------------------------------------

namespace {

// The last line of t407.dat that belongs to the dialog and the window rather
// than to the reference.
constexpr int kLastDialogLine = 22;

}  // namespace

ReferenceOutcome TForm1::TakeReference() {
  const DataModel& m = gDataModel;
  for (int n = 1; n <= 3; ++n) {
    if (m.PickedPoints.size() <= static_cast<std::size_t>(n) || !m.PickedPoints[n].IsSet) {
      return ReferenceOutcome::PointsMissing;
    }
  }
  const auto picked = [&m](int n) { return Point{m.PickedPoints[n].X, m.PickedPoints[n].Y}; };
  if (!SpansAlongAxis(picked(1), picked(2), m.AxisAngle)) return ReferenceOutcome::NoLength;
  // Writing over a t407.dat that could not be read would lose the user's
  // settings, and t407's.
  if (settingsUnreadable_) return ReferenceOutcome::SettingsFailed;

  ReferenceStart = picked(1);
  ReferenceEnd = picked(2);
  ReferenceLinePoint = picked(3);
  const std::filesystem::path path = ProgramFolder / kSettingsFileName;
  const bool existed = FileExists(path);
  // The text-type list has no selection of its own before t407.dat gives it
  // one; a new file names the current text type, so the next pass can run.
  if (!existed && toolkit_.ItemIndex(ControlId::ComboBox3) < 0) {
    toolkit_.SetItemIndex(ControlId::ComboBox3, 0);
  }
  std::vector<std::string> lines = SettingsLines();
  if (existed) {
    // The dialog's settings and the window position stay exactly as the user
    // (or t407) left them; missing lines stay empty, as they read.
    for (int line = 1; line <= kLastDialogLine; ++line) {
      const std::size_t i = static_cast<std::size_t>(line - 1);
      lines[i] = i < loadedSettingsLines_.size() ? loadedSettingsLines_[i] : std::string();
    }
  }
  return WriteSettingsLines(path, lines) ? ReferenceOutcome::Taken
                                         : ReferenceOutcome::SettingsFailed;
}
