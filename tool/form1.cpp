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
#include "tool/form_layout.h"
#include "tool/settings_file.h"
#include "tool/ui_texts.h"
#include "tool/value_text.h"
#include "util/number_text.h"
#include "util/text_to_number.h"

namespace {

constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
constexpr const char* kSettingsFileName = "t407.dat";

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

// The control whose value t407.dat keeps on `line` (3..22), or null.
const ControlDescription* ControlOnLine(int line) {
  for (const ControlDescription& c : Form1Description().Controls) {
    if (c.SettingLine == line) return &c;
  }
  return nullptr;
}

}  // namespace

TForm1::TForm1(FormToolkit& toolkit) : toolkit_(toolkit) {}

// ---- Start-up and close ---------------------------------------------------

void TForm1::FormShow() {
  started_ = true;
  ResetDataModel();
  ProgramFolder = toolkit_.ProgramFolder();
  ReadExchangeFile(ProgramFolder / kExchangeFileName);
  ResetOutputState();
  FillTextTypeList();
  const std::filesystem::path settingsPath = ProgramFolder / kSettingsFileName;
  LoadSettings(settingsPath);
  if (FileExists(settingsPath) && ReferenceLayerGroup != -1) {
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

void TForm1::FormClose() {
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

// ---- The controls' own rules for a selection index --------------------------

void TForm1::SelectListItem(ControlId list, int index) {
  // A drop-down list has no selection for an index past its items.
  if (index < -1 || index >= toolkit_.ItemCount(list)) index = -1;
  toolkit_.SetItemIndex(list, index);
}

void TForm1::SelectRadioItem(ControlId group, int index) {
  // A radio group selects its last item for an index past its items.
  const int count = toolkit_.ItemCount(group);
  if (index >= count) index = count - 1;
  if (index < -1) index = -1;
  toolkit_.SetItemIndex(group, index);
}

// ---- t407.dat ----------------------------------------------------------------

void TForm1::ApplySettingsLine(int line, const std::string& text) {
  switch (line) {
    case 1:
      SavedLeft = TextToInteger(text);
      return;
    case 2:
      SavedTop = TextToInteger(text);
      return;
    case 23: {
      const int group = TextToInteger(text);
      ReferenceLayerGroup = (group < 0 || group > 15) ? 0 : group;
      return;
    }
    case 24: {
      const double scale = TextToReal(text);
      ReferenceScale = scale <= 1e-10 ? 1.0 : scale;
      return;
    }
    case 25:
      ReferenceAxisAngle = TextToReal(text);
      return;
    case 26:
      ReferenceStart.X = TextToReal(text);
      return;
    case 27:
      ReferenceStart.Y = TextToReal(text);
      return;
    case 28:
      ReferenceEnd.X = TextToReal(text);
      return;
    case 29:
      ReferenceEnd.Y = TextToReal(text);
      return;
    case 30:
      ReferenceLinePoint.X = TextToReal(text);
      return;
    case 31:
      ReferenceLinePoint.Y = TextToReal(text);
      return;
    default:
      break;
  }
  const ControlDescription* control = ControlOnLine(line);
  if (control == nullptr) return;
  switch (control->Kind) {
    case ControlKind::DropDownList: {
      const int index = TextToInteger(text);
      SelectListItem(control->Id, index < 0 ? 0 : index);
      return;
    }
    case ControlKind::RadioGroup: {
      const int index = TextToInteger(text);
      SelectRadioItem(control->Id, index < 0 ? 0 : index);
      return;
    }
    case ControlKind::Edit:
      // In full: the maximum length limits typing only.
      toolkit_.SetText(control->Id, text);
      return;
    case ControlKind::CheckBox:
      toolkit_.SetChecked(control->Id, TextToInteger(text) != 0);
      return;
    default:
      return;
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
  if (!FileExists(path)) return;

  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) return;
  SettingsLineReader reader(StreamSource(file));
  std::string text;
  for (int line = 1; line <= kSettingsLineCount; ++line) {
    // A line past the end reads as empty; a read error stops applying, so
    // everything after keeps its default.
    if (reader.ReadLine(text) == SettingsLineStatus::Failed) break;
    ApplySettingsLine(line, text);
  }
}

std::string TForm1::SettingsLineText(int line) {
  const DataModel& m = gDataModel;
  switch (line) {
    case 1:
      return IntegerToText(SavedLeft);
    case 2:
      return IntegerToText(SavedTop);
    // The dimension just drawn, in the layer group it was drawn in.
    case 23:
      return IntegerToText(m.CurLayerGroup);
    case 24:
      return RealToText(m.LayerGroupScale[m.CurLayerGroup]);
    case 25:
      return RealToText(m.AxisAngle);
    case 26:
      return RealToText(ReferenceStart.X);
    case 27:
      return RealToText(ReferenceStart.Y);
    case 28:
      return RealToText(ReferenceEnd.X);
    case 29:
      return RealToText(ReferenceEnd.Y);
    case 30:
      return RealToText(ReferenceLinePoint.X);
    case 31:
      return RealToText(ReferenceLinePoint.Y);
    default:
      break;
  }
  const ControlDescription* control = ControlOnLine(line);
  if (control == nullptr) return std::string();
  switch (control->Kind) {
    case ControlKind::DropDownList:
    case ControlKind::RadioGroup:
      return IntegerToText(toolkit_.ItemIndex(control->Id));
    case ControlKind::Edit:
      return toolkit_.Text(control->Id);
    case ControlKind::CheckBox:
      return toolkit_.Checked(control->Id) ? "1" : "0";
    default:
      return std::string();
  }
}

void TForm1::SaveSettings(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  lines.reserve(kSettingsLineCount);
  for (int line = 1; line <= kSettingsLineCount; ++line) lines.push_back(SettingsLineText(line));
  // Written whole or not at all: a failed save keeps the previous t407.dat,
  // which t407 shares, rather than leaving none.
  ReplaceFileAtomically(path, FormatSettingsLines(lines));
}

// ---- OK ------------------------------------------------------------------------

bool TForm1::ReadDialog(DialogValues& v) {
  struct Check {
    ControlId control;
    bool passes;
  };
  v.StartMarkerKind = toolkit_.ItemIndex(ControlId::ComboBox1);
  v.EndMarkerKind = toolkit_.ItemIndex(ControlId::ComboBox2);
  v.EndMarkerScale = TextToReal(toolkit_.Text(ControlId::Edit1));
  v.ArrowLength = TextToReal(toolkit_.Text(ControlId::Edit7));
  v.ArrowAngle = TextToReal(toolkit_.Text(ControlId::Edit8));
  v.TextTypeChoice = toolkit_.ItemIndex(ControlId::ComboBox3);
  v.PrecisionIndex = toolkit_.ItemIndex(ControlId::ComboBox4);
  v.RoundingMode = toolkit_.ItemIndex(ControlId::ComboBox5);
  v.ShowTrailingZeros = toolkit_.ItemIndex(ControlId::RadioGroup1);
  v.ValueUnit = toolkit_.ItemIndex(ControlId::RadioGroup2);
  v.ExtensionGapPaper = TextToReal(toolkit_.Text(ControlId::Edit5));
  v.ExtensionOvershootPaper = TextToReal(toolkit_.Text(ControlId::Edit6));
  v.ReverseOvershootPaper = TextToReal(toolkit_.Text(ControlId::Edit9));
  // In the order the user is sent to fix them: the first failing control wins.
  const Check checks[] = {
      {ControlId::ComboBox1, v.StartMarkerKind >= 0},
      {ControlId::ComboBox2, v.EndMarkerKind >= 0},
      {ControlId::Edit1, v.EndMarkerScale > 0},
      {ControlId::Edit7, v.ArrowLength > 0 && v.ArrowLength <= 1000},
      {ControlId::Edit8, v.ArrowAngle > 0 && v.ArrowAngle < 180},
      {ControlId::ComboBox3, v.TextTypeChoice >= 0},
      {ControlId::ComboBox4, v.PrecisionIndex >= 0},
      {ControlId::ComboBox5, v.RoundingMode >= 0},
      {ControlId::RadioGroup1, v.ShowTrailingZeros >= 0},
      {ControlId::RadioGroup2, v.ValueUnit >= 0},
      {ControlId::Edit5, v.ExtensionGapPaper >= 0},
      {ControlId::Edit6, v.ExtensionOvershootPaper >= 0},
      {ControlId::Edit9, v.ReverseOvershootPaper >= 0},
  };
  for (const Check& check : checks) {
    if (!check.passes) {
      failedControl_ = check.control;
      toolkit_.SetFocus(check.control);
      return false;
    }
  }
  v.TextGapPaper = TextToReal(toolkit_.Text(ControlId::Edit4));
  v.ValuePrefix = BlankToEmpty(toolkit_.Text(ControlId::Edit2));
  v.ValueSuffix = BlankToEmpty(toolkit_.Text(ControlId::Edit3));
  v.AddThousandsCommas = toolkit_.Checked(ControlId::CheckBox1);
  v.AddUnitText = toolkit_.Checked(ControlId::CheckBox2);
  v.FullWidthValue = toolkit_.Checked(ControlId::CheckBox3);
  v.MakeDimensionFigure = toolkit_.Checked(ControlId::CheckBox4);
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

  if (placement.MeasuredLength < 1e-10) {
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
