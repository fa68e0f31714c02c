// TForm1 and t407.dat: loading it into the dialog and the window's fields,
// saving it whole, and putting it back when the commands that go with a new
// one cannot reach Jw_cad.

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "host/data_model.h"
#include "host/durable_file.h"
#include "host/file_primitives.h"
#include "tool/dialog_value_rows.h"
#include "tool/form1.h"
#include "tool/settings_file.h"
#include "tool/settings_layout.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

// The lines of t407.dat that belong to fields of the window rather than to
// controls: its position and the reference dimension.
struct FieldLine {
  SettingsLine Line;
  void (*Read)(TForm1& form, const std::string& text);
  std::string (*Write)(const TForm1& form);
};

// A reference scale not above this is no scale at all and reads as 1.
constexpr double kSmallestReferenceScale = 1e-10;

// One coordinate of a reference point, written by the shared number rule.
template <Point TForm1::*point, double Point::*axis>
constexpr FieldLine Coordinate(SettingsLine line) {
  return {line, [](TForm1& f, const std::string& text) { (f.*point).*axis = TextToReal(text); },
          [](const TForm1& f) { return RealToText((f.*point).*axis); }};
}

// The reference's layer group, scale and axis angle are written from the
// data model, not from the fields they are read into: they describe the
// dimension just drawn, in the layer group it was drawn in.
constexpr FieldLine kFieldLines[] = {
    {SettingsLine::WindowLeft,
     [](TForm1& f, const std::string& text) { f.SavedLeft = TextToInteger(text); },
     [](const TForm1& f) { return IntegerToText(f.SavedLeft); }},
    {SettingsLine::WindowTop,
     [](TForm1& f, const std::string& text) { f.SavedTop = TextToInteger(text); },
     [](const TForm1& f) { return IntegerToText(f.SavedTop); }},
    {SettingsLine::ReferenceLayerGroup,
     [](TForm1& f, const std::string& text) {
       const int group = TextToInteger(text);
       f.ReferenceLayerGroup = (group < 0 || group > 15) ? 0 : group;
     },
     [](const TForm1&) { return IntegerToText(gDataModel.CurLayerGroup); }},
    {SettingsLine::ReferenceScale,
     [](TForm1& f, const std::string& text) {
       const double scale = TextToReal(text);
       f.ReferenceScale = scale <= kSmallestReferenceScale ? 1.0 : scale;
     },
     [](const TForm1&) {
       const DataModel& m = gDataModel;
       return RealToText(m.LayerGroupScale[m.CurLayerGroup]);
     }},
    {SettingsLine::ReferenceAxisAngle,
     [](TForm1& f, const std::string& text) { f.ReferenceAxisAngle = TextToReal(text); },
     [](const TForm1&) { return RealToText(gDataModel.AxisAngle); }},
    Coordinate<&TForm1::ReferenceStart, &Point::X>(SettingsLine::ReferenceStartX),
    Coordinate<&TForm1::ReferenceStart, &Point::Y>(SettingsLine::ReferenceStartY),
    Coordinate<&TForm1::ReferenceEnd, &Point::X>(SettingsLine::ReferenceEndX),
    Coordinate<&TForm1::ReferenceEnd, &Point::Y>(SettingsLine::ReferenceEndY),
    Coordinate<&TForm1::ReferenceLinePoint, &Point::X>(SettingsLine::ReferenceLinePointX),
    Coordinate<&TForm1::ReferenceLinePoint, &Point::Y>(SettingsLine::ReferenceLinePointY),
};

const FieldLine* FieldOnLine(int line) {
  for (const FieldLine& field : kFieldLines) {
    if (static_cast<int>(field.Line) == line) return &field;
  }
  return nullptr;
}

// Every line that no control keeps is a field's.
constexpr bool FieldsCoverTheirLines() {
  for (const SettingsLineRow& row : kSettingsLines) {
    if (row.Owner == SettingsOwner::Dialog) continue;
    int fields = 0;
    for (const FieldLine& field : kFieldLines) fields += field.Line == row.Line;
    if (fields != 1) return false;
  }
  return true;
}
static_assert(FieldsCoverTheirLines());

}  // namespace

std::string DefaultSettingsLine(int line) {
  if (line < 1 || line > kSettingsLineCount) return std::string();
  if (SettingsLineRowOf(line).Owner == SettingsOwner::Window) {
    return IntegerToText(kDefaultWindowPosition);
  }
  const DialogValueRow* value = DialogValueOnLine(line);
  return value != nullptr ? DefaultSettingsText(*value) : std::string();
}

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

FileFailure TForm1::PrepareSettings(const std::filesystem::path& path,
                                    const std::vector<std::string>& lines,
                                    std::string_view notDone) {
  // What the file holds now is kept, to be put back should this run's
  // commands not reach Jw_cad; a file that cannot be read could not be.
  std::string before;
  const FileFailure read = ReadFileBytes(path, before);
  if (read != FileFailure::None && read != FileFailure::Missing) return read;
  // Whole or not at all: a failed save keeps the previous t407.dat, which
  // t407 shares, rather than leaving none.
  SettingsSave save;
  const FileFailure prepared = save.Pending.Prepare(path, FormatSettingsLines(lines));
  if (prepared == FileFailure::None) {
    save.Existed = read == FileFailure::None;
    save.Bytes = std::move(before);
    save.NotDone = notDone;
    settingsSave_ = std::move(save);
  }
  return prepared;
}

FileFailure TForm1::PutSettingsInPlace() {
  const FileFailure placed = settingsSave_.Pending.PutInPlace();
  if (placed == FileFailure::None) FlushFolder(settingsSave_.Pending.Target().parent_path());
  return placed;
}

FileFailure TForm1::RestoreSettings() {
  const SettingsSave& save = settingsSave_;
  const std::filesystem::path& path = save.Pending.Target();
  if (save.Existed) return ReplaceFileDurably(path, save.Bytes);
  std::error_code ec;
  std::filesystem::remove(path, ec);
  return FailureOf(ec, FileFailure::WriteError);
}

FileFailure TForm1::SaveSettings(const std::filesystem::path& path) {
  const FileFailure prepared = PrepareSettings(path, SettingsLines(), "");
  return prepared != FileFailure::None ? prepared : PutSettingsInPlace();
}
