#include "tool/quick_pass.h"

#include "host/data_model.h"
#include "host/output_writer.h"
#include "tool/dialog_values.h"
#include "tool/form1.h"
#include "tool/memory_form.h"
#include "tool/ui_texts.h"

namespace {

// The exchange file then holds the single line "he" + message instead of "hq".
// Should even that not fit, Jw_cad's own file stays, which it reads as a pass
// that did not run.
int Refuse(TForm1& form, std::string_view message, std::string* messageOut) {
  const std::string reason(message);
  AddOutputLine("he" + reason);
  form.FormClose();
  if (messageOut != nullptr) *messageOut = reason;
  return 1;
}

// A run whose commands could not be written has failed: t407.dat is back as
// it was, and JWC_TEMP.TXT holds the reason when it could take that much.
int Succeed(TForm1& form, std::string* messageOut) {
  form.FormClose();
  if (!form.ExchangeWritten()) {
    if (messageOut != nullptr) *messageOut = form.RefusalMessage();
    return 1;
  }
  if (messageOut != nullptr) messageOut->clear();
  return 0;
}

int AddDimensions(const std::filesystem::path& programFolder, std::string* messageOut,
                  DimensionMode mode, bool repeat) {
  MemoryForm window(programFolder);
  TForm1 form(window, mode);
  form.LeaveFailuresForJwCad(true);
  form.FormShow();
  if (form.StartRefused()) return Refuse(form, form.RefusalMessage(), messageOut);

  // The window stands where t407.dat put it, so the save keeps that position.
  form.Button1Click();
  switch (form.LastOkOutcome()) {
    case OkOutcome::CheckFailed:
    case OkOutcome::Inside:
    case OkOutcome::NoLinePoint:
    case OkOutcome::TooFewPositions:
    case OkOutcome::TooLarge:
    case OkOutcome::SaveFailed:
    case OkOutcome::ZeroLength:
      return Refuse(form, form.RefusalMessage(), messageOut);
    case OkOutcome::Added:
      if (repeat) AddFirstOutputLine("hr");
      break;
    case OkOutcome::NotRun:
      break;
  }
  return Succeed(form, messageOut);
}

}  // namespace

int RunQuickPass(const std::filesystem::path& programFolder, std::string* messageOut) {
  return AddDimensions(programFolder, messageOut, DimensionMode::OneDimension, false);
}

int RunRepeatingQuickPass(const std::filesystem::path& programFolder, std::string* messageOut) {
  return AddDimensions(programFolder, messageOut, DimensionMode::OneDimension, true);
}

int RunWholeRowPass(const std::filesystem::path& programFolder, std::string* messageOut) {
  return AddDimensions(programFolder, messageOut, DimensionMode::WholeRow, false);
}

int RunReferencePass(const std::filesystem::path& programFolder, std::string* messageOut) {
  MemoryForm window(programFolder);
  TForm1 form(window);
  form.LeaveFailuresForJwCad(true);
  form.ReadInputFiles();
  if (form.TakeReference() != ReferenceOutcome::Taken) {
    return Refuse(form, form.RefusalMessage(), messageOut);
  }
  AddOutputLine("h#" + std::string(kNoticeReferenceTaken));
  return Succeed(form, messageOut);
}
