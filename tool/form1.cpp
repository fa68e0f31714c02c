// TForm1's start-up and close. t407.dat is form1_settings.cpp's; OK, the
// preview and taking a reference are form1_ok.cpp's.

#include "tool/form1.h"

#include <string>

#include "host/data_model.h"
#include "host/durable_file.h"
#include "host/exchange_reader.h"
#include "host/file_primitives.h"
#include "host/output_writer.h"
#include "tool/file_messages.h"
#include "tool/ui_texts.h"
#include "util/number_text.h"

TForm1::TForm1(FormToolkit& toolkit, DimensionMode mode) : toolkit_(toolkit), mode_(mode) {}

void TForm1::FormShow() {
  started_ = true;
  ReadInputFiles();
  const std::string failure = InputFailureMessage(kNothingAdded);
  // A row measures the selection and chains from nothing: without t407.dat
  // the dialog's defaults serve, and OK makes one.
  const bool hasReference = ReferenceLayerGroup != -1;
  if (failure.empty() && (hasReference || mode_ == DimensionMode::WholeRow)) {
    SelectTextTypeForNewSettings();
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
  std::string message;
  exchangeWritten_ = DeliverFiles(message) == FileFailure::None;
  if (!exchangeWritten_) ReportUndelivered(message);
  FreeDataModel();
}

FileFailure TForm1::DeliverFiles(std::string& message) {
  const std::filesystem::path exchangePath = ProgramFolder / kExchangeFileName;
  SettingsSave& settings = settingsSave_;
  const std::string_view notDone = settings.Pending.IsPending() ? settings.NotDone : "";
  // Everything slow first: both new files written whole and flushed beside
  // the old ones. A run that fails or is killed up to here leaves both files
  // as they were.
  PendingReplacement exchange;
  if (const FileFailure prepared = exchange.Prepare(exchangePath, FormatOutputLines());
      prepared != FileFailure::None) {
    settings.Pending.Discard();
    message = FileMessage(kExchangeFileName, FileAction::Save, prepared, notDone);
    return prepared;
  }
  // Then the two renames, back to back. t407.dat goes first: should the run
  // end between them, Jw_cad finds its own JWC_TEMP.TXT, says the pass did
  // not run and draws nothing, and the chain has a gap where this dimension
  // would be. The other order would draw it while t407.dat still held the
  // last one, and the next run would draw a dimension over it whose value
  // reads as if this one were not there: a wrong figure in the drawing, and
  // nothing to tell the drafter.
  const bool withSettings = settings.Pending.IsPending();
  if (const FileFailure placed = settings.Pending.PutInPlace(); placed != FileFailure::None) {
    exchange.Discard();
    message = FileMessage(kSettingsFileName, FileAction::Save, placed, notDone);
    return placed;
  }
  if (const FileFailure placed = exchange.PutInPlace(); placed != FileFailure::None) {
    message = FileMessage(kExchangeFileName, FileAction::Save, placed, notDone);
    // The commands that go with the new t407.dat never reach Jw_cad: the
    // reference goes back to the last dimension really drawn.
    if (withSettings) {
      if (const FileFailure restored = RestoreSettings(); restored != FileFailure::None) {
        message += kSettingsNotRestored;
        message += FailureReason(restored, FileAction::Save);
        message += kFileReasonClose;
      }
    }
    return placed;
  }
  FlushFolder(ProgramFolder);
  return FileFailure::None;
}

void TForm1::ReportUndelivered(const std::string& message) {
  const bool hadCommands = !gDataModel.OutputLines.empty();
  refusalMessage_ = message;
  // Nothing is lost when all there was to write was "hq".
  if (hadCommands) toolkit_.ShowMessage(message);
  // What Jw_cad may still be told, should a short file fit where the
  // commands did not: the reason, or that nothing was done. Should even that
  // fail, the reason has reached the user already (the box, or the quick
  // pass's message), and Jw_cad's own file stays, which it reads as a pass
  // that did not run; t407.dat agrees with it either way.
  gDataModel.OutputLines.clear();
  if (failuresForJwCad_) AddOutputLine("he" + message);
  static_cast<void>(WriteExchangeFile(ProgramFolder / kExchangeFileName));
}

void TForm1::Button2Click() {
  if (TakesClicks()) RequestClose();
}

void TForm1::RequestClose() {
  closing_ = true;
  toolkit_.RequestClose();
}

void TForm1::SelectTextTypeForNewSettings() {
  if (settingsFailure_ == FileFailure::Missing && toolkit_.ItemIndex(ControlId::ComboBox3) < 0) {
    toolkit_.SetItemIndex(ControlId::ComboBox3, 0);
  }
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
