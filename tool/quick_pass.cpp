#include "tool/quick_pass.h"

#include "host/data_model.h"
#include "host/output_writer.h"
#include "tool/dialog_values.h"
#include "tool/form1.h"
#include "tool/memory_form.h"
#include "tool/ui_texts.h"

namespace {

// How the reason names a value that failed its check.
std::string_view ValueName(ControlId control) {
  const DialogValueRow* row = FindDialogValue(control);
  return row != nullptr ? row->MessageName : std::string_view();
}

// The exchange file then holds the single line "he" + message instead of "hq".
int Refuse(TForm1& form, std::string_view message, std::string* messageOut) {
  AddOutputLine("he" + std::string(message));
  form.FormClose();
  if (messageOut != nullptr) *messageOut = std::string(message);
  return 1;
}

int Succeed(TForm1& form, std::string* messageOut) {
  form.FormClose();
  if (messageOut != nullptr) messageOut->clear();
  return 0;
}

int AddDimension(const std::filesystem::path& programFolder, std::string* messageOut, bool repeat) {
  MemoryForm window(programFolder);
  TForm1 form(window);
  form.FormShow();
  if (form.StartRefused()) return Refuse(form, kMessageNoSettingsFile, messageOut);

  // The window stands where t407.dat put it, so the save keeps that position.
  form.Button1Click();
  switch (form.LastOkOutcome()) {
    case OkOutcome::CheckFailed:
      return Refuse(form,
                    std::string(kInvalidValueOpen) + std::string(ValueName(form.FailedControl())) +
                        std::string(kInvalidValueClose),
                    messageOut);
    case OkOutcome::Inside:
      return Refuse(form, kMessageInsideReference, messageOut);
    case OkOutcome::ZeroLength:
      return Refuse(form, kMessageZeroLength, messageOut);
    case OkOutcome::Added:
      // Jw_cad looks for "hr" on the first line only.
      if (repeat) gDataModel.OutputLines.insert(gDataModel.OutputLines.begin(), "hr");
      break;
    case OkOutcome::NotRun:
      break;
  }
  return Succeed(form, messageOut);
}

}  // namespace

int RunQuickPass(const std::filesystem::path& programFolder, std::string* messageOut) {
  return AddDimension(programFolder, messageOut, false);
}

int RunRepeatingQuickPass(const std::filesystem::path& programFolder, std::string* messageOut) {
  return AddDimension(programFolder, messageOut, true);
}

int RunReferencePass(const std::filesystem::path& programFolder, std::string* messageOut) {
  MemoryForm window(programFolder);
  TForm1 form(window);
  form.ReadInputFiles();
  switch (form.TakeReference()) {
    case ReferenceOutcome::PointsMissing:
      return Refuse(form, kMessageReferencePointsMissing, messageOut);
    case ReferenceOutcome::NoLength:
      return Refuse(form, kMessageReferenceNoLength, messageOut);
    case ReferenceOutcome::SettingsFailed:
      return Refuse(form, kMessageReferenceNotSaved, messageOut);
    case ReferenceOutcome::Taken:
      break;
  }
  AddOutputLine("h#" + std::string(kNoticeReferenceTaken));
  return Succeed(form, messageOut);
}
